#include "show/DisplayMode.h"

#include <iterator>

#include "show/RandomDraw.h"
#include "show/Rounding.h"

namespace lumora {

namespace {

struct SchemeColours {
  Rgb first, second, third, fourth;
};

SchemeColours ColoursOf(ColourScheme scheme) {
  switch (scheme) {
    // Black, gray, silver, white.
    case ColourScheme::Greys: return {{0, 0, 0}, {128, 128, 128}, {192, 192, 192}, {255, 255, 255}};
    // Navy, black, purple, maroon.
    case ColourScheme::Dark: return {{0, 0, 128}, {0, 0, 0}, {128, 0, 128}, {128, 0, 0}};
    // Green, aqua, fuchsia, yellow.
    case ColourScheme::Bright: return {{0, 128, 0}, {0, 255, 255}, {255, 0, 255}, {255, 255, 0}};
    case ColourScheme::BlackOnly: break;
  }
  return {kBlack, kBlack, kBlack, kBlack};
}

// The tiles in the order they fill, each shown by a control of its own.
constexpr struct {
  TileCorner corner;
  ControlId control;
} kTiles[] = {{TileCorner::TopLeft, ControlId::Main},
              {TileCorner::BottomLeft, ControlId::Backdrop},
              {TileCorner::TopRight, ControlId::ThirdTile},
              {TileCorner::BottomRight, ControlId::FourthTile}};

// In the order the draw numbers them.
constexpr SlideEdge kSlideEdges[] = {SlideEdge::Left, SlideEdge::Right, SlideEdge::Bottom, SlideEdge::Top};

void FullScreen(PictureControl& control, const PixelRect& screen) {
  control.stretch = true;
  control.width = screen.Width();
  control.height = screen.Height();
  control.left = 0;
  control.top = 0;
}

void CustomSize(PictureControl& control, int width, int height) {
  control.stretch = true;
  control.width = width;
  control.height = height;
}

void Centre(PictureControl& control, const PixelRect& screen) {
  control.left = RoundHalfToEven(int64_t{screen.Width()} - control.width, 2);
  control.top = RoundHalfToEven(int64_t{screen.Height()} - control.height, 2);
}

void PlaceAsTile(PictureControl& tile, TileCorner corner, const PixelRect& screen) {
  const int halfWidth = RoundHalfToEven(screen.Width(), 2);
  const int halfHeight = RoundHalfToEven(screen.Height(), 2);
  const bool right = corner == TileCorner::TopRight || corner == TileCorner::BottomRight;
  const bool bottom = corner == TileCorner::BottomLeft || corner == TileCorner::BottomRight;
  tile.left = right ? halfWidth + 1 : 0;
  tile.top = bottom ? halfHeight + 1 : 0;
  tile.width = halfWidth;
  tile.height = halfHeight;
  tile.stretch = true;
}

}  // namespace

bool DisplayMode::DrawsOnSurface() const {
  return Kind() == DisplayModeKind::OverlappingCollage || Kind() == DisplayModeKind::SlideIn;
}

void DisplayMode::StepColour() {
  if (colourStep_ > 20) colourStep_ = 0;
  ++colourStep_;
}

Rgb DisplayMode::SchemeColour() const {
  const SchemeColours scheme = ColoursOf(settings_.colourScheme);
  const int step = colourStep_;
  return step <= 4 ? scheme.first : step <= 9 ? scheme.second : step <= 14 ? scheme.third : scheme.fourth;
}

ControlId DisplayMode::NextControl() const {
  return Kind() == DisplayModeKind::FourTiles ? kTiles[nextTile_].control : ControlId::Main;
}

Placement DisplayMode::NextPlacement(const PixelRect& screen) const {
  switch (Kind()) {
    case DisplayModeKind::Stretched: return [screen](PictureControl& control) { FullScreen(control, screen); };
    case DisplayModeKind::FourTiles:
      return [screen, corner = NextTile()](PictureControl& tile) { PlaceAsTile(tile, corner, screen); };
    case DisplayModeKind::CustomSize:
      return [screen, width = settings_.customWidth, height = settings_.customHeight](PictureControl& control) {
        CustomSize(control, width, height);
        Centre(control, screen);
      };
    case DisplayModeKind::NaturalSize:
    case DisplayModeKind::PictureInPicture:
    case DisplayModeKind::OverlappingCollage:
    case DisplayModeKind::SlideIn: break;
  }
  return [screen](PictureControl& control) { Centre(control, screen); };
}

void DisplayMode::PictureShown() {
  if (Kind() == DisplayModeKind::FourTiles) nextTile_ = (nextTile_ + 1) % std::size(kTiles);
}

TileCorner DisplayMode::NextTile() const { return kTiles[nextTile_].corner; }

void DisplayMode::DrawSlideEdge(Clock& clock) {
  if (Kind() != DisplayModeKind::SlideIn) return;
  slideEdge_ = kSlideEdges[RandomDraw::FromClock(clock).Below(std::size(kSlideEdges))];
}

bool DisplayMode::SlidesAlongTop() const {
  return Kind() == DisplayModeKind::SlideIn && (slideEdge_ == SlideEdge::Left || slideEdge_ == SlideEdge::Right);
}

bool DisplayMode::SlidesAlongLeft() const { return Kind() == DisplayModeKind::SlideIn && !SlidesAlongTop(); }

}  // namespace lumora
