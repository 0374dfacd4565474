#include "show/SaverShow.h"

namespace lumora {

namespace {

constexpr int kBusyPauseCount = 1000000;

// The pause before a control is shown, so that the change shows: for a moment its place shows what lies behind it
// (the background, or the new backdrop alone) before the new picture appears. A countdown, neither a sleep nor a
// wait that handles messages, so that no tick or input comes between the steps of the change.
void BusyPause() {
  volatile int countdown = kBusyPauseCount;
  while (countdown > 0) countdown = countdown - 1;
}

}  // namespace

// A tick that arrives while another runs is held and runs once that one has unwound (Reentry::ArriveTick).
void SaverShow::OnTick() {
  const std::optional<Reentry::TickTurn> turn = state_.reentry.ArriveTick(next_.Awaiting());
  if (!turn) return;
  do { Tick(); } while (state_.reentry.TakeHeldTick() && timerEnabled_);
  // The tick held behind the dialog has nothing left to show once the dialog closes.
  if (turn->BehindDialog()) state_.reentry.StopSlide();
}

void SaverShow::Tick() {
  mode_.StepColour();
  if (state_.firstTick) {
    state_.firstTick = false;
    SetTimer(timerEnabled_, state_.settings.delayMs);
  }
  sound_.OnTick();
  switch (mode_.Kind()) {
    case DisplayModeKind::Stretched:
    case DisplayModeKind::FourTiles: ShowPlaced(); break;
    case DisplayModeKind::NaturalSize:
    case DisplayModeKind::CustomSize:
      ShowSchemeColour();
      ShowPlaced();
      break;
    case DisplayModeKind::PictureInPicture: ShowPictureInPicture(); break;
    case DisplayModeKind::OverlappingCollage: ShowOverlapping(); break;
    case DisplayModeKind::SlideIn: ShowSlide(); break;
  }
  StartPreparation();
}

void SaverShow::ShowSchemeColour() {
  state_.background = mode_.SchemeColour();
  services_.stage.SetBackground(state_.background);
}

void SaverShow::Place(ControlId id) {
  mode_.NextPlacement(Screen())(Control(id));
  Update(id);
}

// Hide the control, empty it, load the next picture into it, place it, pause, show it.
void SaverShow::ShowPlaced() {
  const ControlId id = mode_.NextControl();
  PictureControl& control = Control(id);
  control.visible = false;
  Update(id);
  control.Clear();
  Update(id);
  control.Assign(LoadNextPicture());
  Update(id);
  Place(id);
  control.picture = SettledPicture(control, Screen());
  Update(id);
  BusyPause();
  control.visible = true;
  Update(id);
  mode_.PictureShown();
}

void SaverShow::ShowPictureInPicture() {
  mainPicture_.visible = false;
  Update(ControlId::Main);
  backdropPicture_.Clear();
  StartPreparation();
  backdropPicture_.Assign(next_.TakeBackdrop());
  backdropPicture_.width = services_.stage.ScreenWidth();
  backdropPicture_.height = services_.stage.ScreenHeight();
  backdropPicture_.picture = SettledPicture(backdropPicture_, Screen());
  backdropPicture_.visible = true;
  Update(ControlId::Backdrop);
  mainPicture_.Clear();
  Update(ControlId::Main);
  mainPicture_.Assign(LoadNextPicture());
  Place(ControlId::Main);
  services_.stage.BringToFront(ControlId::Main);
  BusyPause();
  mainPicture_.visible = true;
  Update(ControlId::Main);
  LetGoOfHiddenBackdrop();
}

// The picture-in-picture backdrop shows only where mainPicture does not cover it: covered whole, it is let go.
void SaverShow::LetGoOfHiddenBackdrop() {
  if (!mode_.KeepsBackdrop() || !mainPicture_.visible || !mainPicture_.Bounds().Contains(Screen())) return;
  backdropPicture_.Clear();
  Update(ControlId::Backdrop);
}

}  // namespace lumora
