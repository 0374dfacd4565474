#include "show/Rounding.h"
#include "show/SaverShow.h"

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
void SaverShow::OnTick() {
  const bool behindDialog = state_.tickDepth == 1 && state_.inputBusy && !next_.Awaiting();
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

void SaverShow::Tick() {
  if (state_.colourStep > 20) state_.colourStep = 0;
  ++state_.colourStep;
  if (state_.firstTick) {
    state_.firstTick = false;
    SetTimer(timerEnabled_, state_.delayMs);
  }
  sound_.OnTick();
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

void SaverShow::SetSchemeColor(Rgb first, Rgb second, Rgb third, Rgb fourth) {
  const int step = state_.colourStep;
  Rgb colour = step <= 4 ? first : step <= 9 ? second : step <= 14 ? third : fourth;
  state_.background = colour;
  services_.stage.SetBackground(colour);
}

void SaverShow::CenterPicture() {
  Centre(mainPicture, Screen());
  Update(ControlId::Main);
}

void SaverShow::PlaceTile() {
  PlaceAsTile(Control(kTiles[state_.tilePosition - 1]), state_.tilePosition, Screen());
  Update(kTiles[state_.tilePosition - 1]);
}

ControlId SaverShow::NextControl() const {
  return state_.displayMode == 4 ? kTiles[state_.tilePosition - 1] : ControlId::Main;
}

// The geometry of the next tick as a value, for the worker: the same steps as the tick's own.
Placement SaverShow::NextPlacement() {
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
void SaverShow::ShowNextPictureIn(ControlId id, void (SaverShow::*geometry)(PictureControl&)) {
  PictureControl& control = Control(id);
  control.visible = false;
  Update(id);
  control.Clear();
  Update(id);
  LoadNextPicture();
  control.Assign(staging.picture);
  staging.Clear();
  Update(id);
  (this->*geometry)(control);
  control.picture = SettledPicture(control, Screen());
  Update(id);
  BusyPause();
  control.visible = true;
  Update(id);
}

void SaverShow::StretchFullScreen(PictureControl& control) { FullScreen(control, Screen()); }

void SaverShow::NaturalSizeCentred(PictureControl&) { CenterPicture(); }

void SaverShow::CustomSizeCentred(PictureControl& control) {
  CustomSize(control, state_.customWidth, state_.customHeight);
  CenterPicture();
}

void SaverShow::TileGeometry(PictureControl&) { PlaceTile(); }

void SaverShow::ShowStretched() { ShowNextPictureIn(ControlId::Main, &SaverShow::StretchFullScreen); }

void SaverShow::ShowOnSchemeColour() {
  const ColourScheme& scheme = kColourSchemes[state_.colourScheme - 1];
  SetSchemeColor(scheme.first, scheme.second, scheme.third, scheme.fourth);
  ShowNextPictureIn(ControlId::Main,
                    state_.displayMode == 5 ? &SaverShow::CustomSizeCentred : &SaverShow::NaturalSizeCentred);
}

void SaverShow::ShowPictureInPicture() {
  mainPicture.visible = false;
  Update(ControlId::Main);
  backdropPicture.Clear();
  StartPreparation();
  backdropPicture.Assign(next_.TakeBackdrop());
  backdropPicture.width = services_.stage.ScreenWidth();
  backdropPicture.height = services_.stage.ScreenHeight();
  backdropPicture.picture = SettledPicture(backdropPicture, Screen());
  backdropPicture.visible = true;
  Update(ControlId::Backdrop);
  mainPicture.Clear();
  Update(ControlId::Main);
  LoadNextPicture();
  mainPicture.Assign(staging.picture);
  staging.Clear();
  CenterPicture();
  services_.stage.BringToFront(ControlId::Main);
  BusyPause();
  mainPicture.visible = true;
  Update(ControlId::Main);
  LetGoOfHiddenBackdrop();
}

// The picture-in-picture backdrop shows only where mainPicture does not cover it: covered whole, it is let go.
void SaverShow::LetGoOfHiddenBackdrop() {
  if (state_.displayMode != 3 || !mainPicture.visible || !mainPicture.Bounds().Contains(Screen())) return;
  backdropPicture.Clear();
  Update(ControlId::Backdrop);
}

void SaverShow::ShowNextTile() {
  ShowNextPictureIn(kTiles[state_.tilePosition - 1], &SaverShow::TileGeometry);
  state_.tilePosition = state_.tilePosition % 4 + 1;
}

}  // namespace lumora
