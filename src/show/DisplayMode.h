#pragma once
#include <functional>

#include "platform/SystemServices.h"
#include "show/PictureControl.h"
#include "show/SaverState.h"

namespace lumora {

// Where a tick puts the control that shows its picture, once the picture is in it. It holds the screen and the
// options it needs, so that the worker can place a copy as the tick will.
using Placement = std::function<void(PictureControl&)>;

// The display mode of the options, 1 to 7, with what it keeps from one tick to the next: the colour step that
// every tick advances (its scheme colours the background in modes 2 and 5), the tile the next picture fills
// (mode 4) and the edge it slides in from (mode 7).
class DisplayMode {
 public:
  explicit DisplayMode(const SaverState& options) : options_(options) {}

  int Number() const { return options_.displayMode; }

  // 1 to 21, then round again.
  void StepColour();
  int ColourStep() const { return colourStep_; }
  Rgb SchemeColour() const;

  // The control that shows the next picture: the next tile in mode 4, mainPicture in every other mode.
  ControlId NextControl() const;
  // Where the next picture goes, in modes 1 to 5; the tick and the worker's copy both place it so.
  Placement NextPlacement(const PixelRect& screen) const;
  // The tick has shown its picture: the next tile is the next quadrant.
  void PictureShown();
  int TilePosition() const { return tilePosition_; }

  // Drawn as the next picture's preparation starts, so that the worker decodes just the band that slides in.
  void DrawSlideDirection(Clock& clock);
  int SlideDirection() const { return slideDirection_; }

 private:
  const SaverState& options_;
  int colourStep_ = 0;
  int tilePosition_ = 1;    // the quadrant, 1 to 4: top-left, bottom-left, top-right, bottom-right
  int slideDirection_ = 1;  // from the left, right, bottom or top
};

}  // namespace lumora
