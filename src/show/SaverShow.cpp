#include "show/SaverShow.h"

#include "image/Placeholder.h"
#include "settings_file/SettingsFile.h"

namespace lumora {

namespace {

constexpr Rgb kWhite{255, 255, 255};

std::string MissingFileCaption(const std::string& name) {
  return "File " + name + " no longer exists on your " +
         "system!  This file was removed from its installed location, please reinstall.";
}

}  // namespace

SaverShow::SaverShow(SaverState& state, const SaverServices& services)
    : state_(state),
      services_(services),
      mode_(state.settings),
      next_(services),
      sound_(services.media, services.clock),
      placeholder_(PlaceholderPicture()) {
  mainPicture_.stretch = true;
  mainPicture_.autoSize = true;
  backdropPicture_.stretch = true;
}

void SaverShow::Start() {
  services_.system.SetScreenSaverRunning(true);
  state_.iniFileName = IniFileName(services_.system.WindowsDirectory(), services_.system.ExecutablePath());
  if (!services_.files.FileExists(state_.iniFileName))
    services_.boxes.Show(BoxKind::Information, kIniMissingMessage, BoxButtons::Ok);
  services_.system.ShowCursor(false);
  services_.stage.SetBackground(kBlack);
  services_.stage.InstallInputHook();
  state_.settings = ReadSaverSettings(SettingsStore(services_.profiles, state_.iniFileName), services_.files);
  const SaverSettings& settings = state_.settings;
  sound_.Start(settings.soundOn, settings.sounds);
  if (!settings.pictures.empty()) {
    SetTimer(true, timerInterval_);
    StartPreparation();
  } else {
    services_.stage.ShowInfoLabel(settings.missingPicture ? MissingFileCaption(*settings.missingPicture)
                                                          : kNoPicturesCaption);
    services_.stage.SetBackground(kWhite);
  }
}

void SaverShow::ShutDown() {
  SetTimer(false, timerInterval_);
  next_.End();
  state_.reentry.StopSlide();
  sound_.Stop();
  services_.system.SetScreenSaverRunning(false);
  services_.stage.Close();
}

PictureControl& SaverShow::Control(ControlId id) {
  switch (id) {
    case ControlId::Main: return mainPicture_;
    case ControlId::Backdrop: return backdropPicture_;
    case ControlId::ThirdTile: return thirdTile_;
    case ControlId::FourthTile: return fourthTile_;
  }
  return mainPicture_;
}

void SaverShow::Update(ControlId id) { services_.stage.UpdateControl(id, Control(id)); }

void SaverShow::SetTimer(bool enabled, int intervalMs) {
  timerEnabled_ = enabled;
  timerInterval_ = intervalMs;
  services_.stage.SetTimer(enabled, intervalMs);
}

ShowView SaverShow::View() const {
  return ShowView{mode_, sound_, mainPicture_, backdropPicture_, thirdTile_, fourthTile_};
}

void SaverShow::OnMediaNotify(std::optional<MediaNotify> outcome) { sound_.OnNotify(outcome); }

}  // namespace lumora
