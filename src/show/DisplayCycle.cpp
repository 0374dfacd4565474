#include "show/Rounding.h"
#include "show/TForm1.h"

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

constexpr int kBusyPauseCount = 1000000;

// The control that fills each tile position, 1 to 4.
constexpr ControlId kTiles[] = {ControlId::Image1, ControlId::image2, ControlId::Image3, ControlId::Image4};

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

// The tile quadrants fill top-left, bottom-left, top-right, bottom-right.
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

void BusyPause() {
  volatile int countdown = kBusyPauseCount;
  while (countdown > 0) countdown = countdown - 1;
}

// A tick that arrives while another handles pending messages (in a slide, or waiting for its picture) ends that
// slide, and runs once the other has unwound instead of inside it. Only behind a password dialog opened inside
// a tick, which holds that tick until it closes, does it run at once, one deep: ticks never nest deeper than
// two, however long the show or fast the timer. Not behind a dialog opened while a tick waits for its picture:
// that picture, and the place it was prepared for, are the waiting tick's, so the new tick runs after it.
void TForm1::Timer1Timer() {
  const bool behindDialog = state_.tickDepth == 1 && state_.inputBusy && !state_.awaitingPicture;
  if (state_.tickDepth > 0 && !behindDialog) {
    state_.slideStop = true;
    state_.tickPending = true;
    return;
  }
  struct Depth {
    int& depth;
    explicit Depth(int& d) : depth(++d) {}
    ~Depth() { --depth; }
  } depth(state_.tickDepth);  // a tick that fails still ends its turn
  do {
    state_.tickPending = false;
    Tick();
  } while (state_.tickPending && timerEnabled_);
  // The tick held behind the dialog has nothing left to show once the dialog closes.
  if (behindDialog) state_.slideStop = true;
}

void TForm1::Tick() {
  if (state_.colourStep > 20) state_.colourStep = 0;
  ++state_.colourStep;
  if (state_.firstTick) {
    state_.firstTick = false;
    SetTimer(timerEnabled_, state_.delayMs);
  }
  SoundTick();
  switch (state_.displayMode) {
    case 1: ShowStretched(); break;
    case 2:
    case 5: ShowOnSchemeColour(); break;
    case 3: ShowPictureInPicture(); break;
    case 4: ShowNextTile(); break;
    case 6: ShowOverlapping(); break;
    case 7: ShowSlide(); break;
    default: break;
  }
  StartPreparation();
}

void TForm1::SetSchemeColor(Rgb first, Rgb second, Rgb third, Rgb fourth) {
  const int step = state_.colourStep;
  Rgb colour = step <= 4 ? first : step <= 9 ? second : step <= 14 ? third : fourth;
  state_.background = colour;
  services_.stage.SetBackground(colour);
}

void TForm1::CenterPicture() {
  Centre(Image1, Screen());
  Update(ControlId::Image1);
}

void TForm1::PlaceTile() {
  PlaceAsTile(Control(kTiles[state_.tilePosition - 1]), state_.tilePosition, Screen());
  Update(kTiles[state_.tilePosition - 1]);
}

ControlId TForm1::NextControl() const {
  return state_.displayMode == 4 ? kTiles[state_.tilePosition - 1] : ControlId::Image1;
}

// The geometry of the next tick as a value, for the worker: the same steps as the tick's own.
Placement TForm1::NextPlacement() {
  const PixelRect screen = Screen();
  switch (state_.displayMode) {
    case 1: return [screen](PictureControl& control) { FullScreen(control, screen); };
    case 4: return [screen, position = state_.tilePosition](PictureControl& tile) { PlaceAsTile(tile, position, screen); };
    case 5:
      return [screen, width = state_.customWidth, height = state_.customHeight](PictureControl& control) {
        CustomSize(control, width, height);
        Centre(control, screen);
      };
    default: return [screen](PictureControl& control) { Centre(control, screen); };
  }
}

// Hide the control, empty it, load the next picture into it, set its geometry, pause, show it.
void TForm1::ShowNextPictureIn(ControlId id, void (TForm1::*geometry)(PictureControl&)) {
  PictureControl& control = Control(id);
  control.visible = false;
  Update(id);
  control.Clear();
  Update(id);
  LoadNextPicture();
  control.Assign(Image5.picture);
  Image5.Clear();
  Update(id);
  (this->*geometry)(control);
  control.picture = SettledPicture(control, Screen());
  Update(id);
  BusyPause();
  control.visible = true;
  Update(id);
}

void TForm1::StretchFullScreen(PictureControl& control) { FullScreen(control, Screen()); }

void TForm1::NaturalSizeCentred(PictureControl&) { CenterPicture(); }

void TForm1::CustomSizeCentred(PictureControl& control) {
  CustomSize(control, state_.customWidth, state_.customHeight);
  CenterPicture();
}

void TForm1::TileGeometry(PictureControl&) { PlaceTile(); }

void TForm1::ShowStretched() { ShowNextPictureIn(ControlId::Image1, &TForm1::StretchFullScreen); }

void TForm1::ShowOnSchemeColour() {
  const ColourScheme& scheme = kColourSchemes[state_.colourScheme - 1];
  SetSchemeColor(scheme.first, scheme.second, scheme.third, scheme.fourth);
  ShowNextPictureIn(ControlId::Image1,
                    state_.displayMode == 5 ? &TForm1::CustomSizeCentred : &TForm1::NaturalSizeCentred);
}

void TForm1::ShowPictureInPicture() {
  Image1.visible = false;
  Update(ControlId::Image1);
  image2.Clear();
  image2.Assign(TakeBackdrop());
  image2.width = services_.stage.ScreenWidth();
  image2.height = services_.stage.ScreenHeight();
  image2.picture = SettledPicture(image2, Screen());
  image2.visible = true;
  Update(ControlId::image2);
  Image1.Clear();
  Update(ControlId::Image1);
  LoadNextPicture();
  Image1.Assign(Image5.picture);
  Image5.Clear();
  CenterPicture();
  services_.stage.BringToFront(ControlId::Image1);
  BusyPause();
  Image1.visible = true;
  Update(ControlId::Image1);
  LetGoOfHiddenBackdrop();
}

// The picture-in-picture backdrop shows only where Image1 does not cover it: covered whole, it is let go.
void TForm1::LetGoOfHiddenBackdrop() {
  if (state_.displayMode != 3 || !Image1.visible || !Image1.Bounds().Contains(Screen())) return;
  image2.Clear();
  Update(ControlId::image2);
}

void TForm1::ShowNextTile() {
  ShowNextPictureIn(kTiles[state_.tilePosition - 1], &TForm1::TileGeometry);
  state_.tilePosition = state_.tilePosition % 4 + 1;
}

}  // namespace lumora
