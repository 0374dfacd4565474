#include "show/SaverShow.h"

#include "image/Placeholder.h"

namespace lumora {

SaverShow::SaverShow(SaverState& state, const SaverServices& services)
    : state_(state), services_(services), mode_(state), next_(services), sound_(services.media, services.clock) {
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

void SaverShow::OnMediaNotify(std::optional<MediaNotify> outcome) { sound_.OnNotify(outcome); }

}  // namespace lumora
