#include "settings_window/ScrollSteps.h"

#include <algorithm>

namespace lumora {

int NextScrollPosition(ScrollCode code, int position, int trackPosition, const ScrollRange& range) {
  int next = position;
  switch (code) {
    case ScrollCode::LineLeft: next = position - range.smallChange; break;
    case ScrollCode::LineRight: next = position + range.smallChange; break;
    case ScrollCode::PageLeft: next = position - range.largeChange; break;
    case ScrollCode::PageRight: next = position + range.largeChange; break;
    case ScrollCode::ThumbTrack:
    case ScrollCode::ThumbPosition: next = trackPosition; break;
    case ScrollCode::Leftmost: next = range.min; break;
    case ScrollCode::Rightmost: next = range.max; break;
    case ScrollCode::EndScroll: break;
  }
  return std::clamp(next, range.min, std::max(range.min, range.max));
}

}  // namespace lumora
