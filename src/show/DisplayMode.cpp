#include "show/DisplayMode.h"

#include "show/RandomDraw.h"
#include "show/Rounding.h"

namespace lumora {

namespace {

struct ColourScheme {
  Rgb first, second, third, fourth;
};

// Indexed by scheme code - 1.
constexpr ColourScheme kColourSchemes[] = {
    {{0, 0, 0}, {128, 128, 128}, {192, 192, 192}, {255, 255, 255}},  // black, gray, silver, white
    {{0, 0, 128}, {0, 0, 0}, {128, 0, 128}, {128, 0, 0}},            // navy, black, purple, maroon
    {{0, 128, 0}, {0, 255, 255}, {255, 0, 255}, {255, 255, 0}},      // green, aqua, fuchsia, yellow
    {kBlack, kBlack, kBlack, kBlack},                                // black only
};

// The control that fills each tile position, 1 to 4.
constexpr ControlId kTiles[] = {ControlId::Main, ControlId::Backdrop, ControlId::ThirdTile, ControlId::FourthTile};

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

void PlaceAsTile(PictureControl& tile, int position, const PixelRect& screen) {
  const int halfWidth = RoundHalfToEven(screen.Width(), 2);
  const int halfHeight = RoundHalfToEven(screen.Height(), 2);
  const int index = position - 1;
  tile.left = (index >= 2) ? halfWidth + 1 : 0;
  tile.top = (index % 2 == 1) ? halfHeight + 1 : 0;
  tile.width = halfWidth;
  tile.height = halfHeight;
  tile.stretch = true;
}

}  // namespace

void DisplayMode::StepColour() {
  if (colourStep_ > 20) colourStep_ = 0;
  ++colourStep_;
}

Rgb DisplayMode::SchemeColour() const {
  const ColourScheme& scheme = kColourSchemes[options_.colourScheme - 1];
  const int step = colourStep_;
  return step <= 4 ? scheme.first : step <= 9 ? scheme.second : step <= 14 ? scheme.third : scheme.fourth;
}

ControlId DisplayMode::NextControl() const { return Number() == 4 ? kTiles[tilePosition_ - 1] : ControlId::Main; }

Placement DisplayMode::NextPlacement(const PixelRect& screen) const {
  switch (Number()) {
    case 1: return [screen](PictureControl& control) { FullScreen(control, screen); };
    case 4: return [screen, position = tilePosition_](PictureControl& tile) { PlaceAsTile(tile, position, screen); };
    case 5:
      return [screen, width = options_.customWidth, height = options_.customHeight](PictureControl& control) {
        CustomSize(control, width, height);
        Centre(control, screen);
      };
    default: return [screen](PictureControl& control) { Centre(control, screen); };
  }
}

void DisplayMode::PictureShown() {
  if (Number() == 4) tilePosition_ = tilePosition_ % 4 + 1;
}

void DisplayMode::DrawSlideDirection(Clock& clock) {
  slideDirection_ = static_cast<int>(RandomDraw::FromClock(clock).Below(4)) + 1;
}

}  // namespace lumora
