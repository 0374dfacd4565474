#pragma once
#include "forms/FormLayout.h"

namespace lumora {

// What the user did to a scroll bar.
enum class ScrollCode {
  LineLeft,
  LineRight,
  PageLeft,
  PageRight,
  ThumbTrack,
  ThumbPosition,
  Leftmost,
  Rightmost,
  EndScroll
};

// Where the bar stands after `code`, from `position`, within the bar's range; `trackPosition` is where the thumb
// was dragged to.
int NextScrollPosition(ScrollCode code, int position, int trackPosition, const ScrollRange& range);

}  // namespace lumora
