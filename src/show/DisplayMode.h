#pragma once
#include <functional>

#include "platform/SystemServices.h"
#include "show/PictureControl.h"
#include "show/SaverSettings.h"

namespace lumora {

// Where a tick puts the control that shows its picture, once the picture is in it. It holds the screen and the
// options it needs, so that the worker can place a copy as the tick will.
using Placement = std::function<void(PictureControl&)>;

// The edge of the screen a picture slides in from.
enum class SlideEdge { Left, Right, Bottom, Top };
// The quarter of the screen a tile fills.
enum class TileCorner { TopLeft, BottomLeft, TopRight, BottomRight };

// The display mode of the options, with what it keeps from one tick to the next: the colour step that every tick
// advances (its scheme colours the background behind the natural and custom sizes), the tile the next picture
// fills and the edge it slides in from.
class DisplayMode {
 public:
  explicit DisplayMode(const SaverSettings& settings) : settings_(settings) {}

  DisplayModeKind Kind() const { return settings_.displayMode; }
  // Picture in a picture: the picture shown stays behind the next one, stretched over the screen.
  bool KeepsBackdrop() const { return Kind() == DisplayModeKind::PictureInPicture; }
  // The overlapping collage and the slide copy their pictures onto the window surface, not into a control.
  bool DrawsOnSurface() const;

  // 1 to 21, then round again.
  void StepColour();
  int ColourStep() const { return colourStep_; }
  Rgb SchemeColour() const;

  // The control that shows the next picture: the next tile's with four tiles, mainPicture in every other mode.
  ControlId NextControl() const;
  // Where the next picture goes, in the modes that show it in a control; the tick and the worker's copy both place
  // it so.
  Placement NextPlacement(const PixelRect& screen) const;
  // The tick has shown its picture: with four tiles the next tile is the next quarter.
  void PictureShown();
  TileCorner NextTile() const;

  // The slide's edge, drawn as the next picture's preparation starts, so that the worker decodes just the band
  // that slides in: along the top edge from the left or right, along the left edge from the bottom or top.
  void DrawSlideEdge(Clock& clock);
  SlideEdge NextSlideEdge() const { return slideEdge_; }
  bool SlidesAlongTop() const;
  bool SlidesAlongLeft() const;

 private:
  const SaverSettings& settings_;
  int colourStep_ = 0;
  size_t nextTile_ = 0;  // in the order the tiles fill
  SlideEdge slideEdge_ = SlideEdge::Left;
};

}  // namespace lumora
