#include "show/SaverShow.h"

#include "image/Placeholder.h"

namespace lumora {

SaverShow::SaverShow(SaverState& state, const SaverServices& services)
    : mediaPlayer(services.media), state_(state), services_(services), next_(services) {
  mainPicture.stretch = true;
  mainPicture.autoSize = true;
  backdropPicture.stretch = true;
  placeholder.picture = PlaceholderPicture();
}

PictureControl& SaverShow::Control(ControlId id) {
  switch (id) {
    case ControlId::Main: return mainPicture;
    case ControlId::Backdrop: return backdropPicture;
    case ControlId::ThirdTile: return thirdTile;
    case ControlId::FourthTile: return fourthTile;
  }
  return mainPicture;
}

void SaverShow::Update(ControlId id) { services_.stage.UpdateControl(id, Control(id)); }

void SaverShow::SetTimer(bool enabled, int intervalMs) {
  timerEnabled_ = enabled;
  timerInterval_ = intervalMs;
  services_.stage.SetTimer(enabled, intervalMs);
}

// The shared random draw starts again from the time of day before each use.
void SaverShow::RandomizeFromClock() { state_.random.Restart(services_.clock.MillisecondsSinceMidnightUtc()); }

}  // namespace lumora
