#include "show/SaverShow.h"

#include "settings_file/OptionTable.h"
#include "settings_file/SettingsFile.h"
#include "settings_file/SettingsStore.h"

namespace lumora {

namespace {

constexpr Rgb kWhite{255, 255, 255};

std::string MissingFileCaption(const std::string& name) {
  return "File " + name + " no longer exists on your " +
         "system!  This file was removed from its installed location, please reinstall.";
}

}  // namespace

void SaverShow::Start() {
  services_.system.SetScreenSaverRunning(true);
  state_.windowsDir = services_.system.WindowsDirectory();
  state_.iniFileName = IniFileName(state_.windowsDir, services_.system.ExecutablePath());
  if (!services_.files.FileExists(state_.iniFileName))
    services_.boxes.Show(BoxKind::Information, kIniMissingMessage, BoxButtons::Ok);
  state_.firstTick = true;
  state_.inOrder = true;
  state_.inputBusy = false;
  state_.soundOn = false;
  services_.system.ShowCursor(false);
  state_.displayMode = DisplayModeKind::PictureInPicture;
  state_.colourScheme = ColourScheme::BlackOnly;
  state_.lastPictureIndex = 0;
  services_.stage.SetBackground(kBlack);
  services_.stage.InstallInputHook();
  LoadSaverSettings();
  sound_.Start(state_.soundOn, state_.sounds);
  if (!state_.pictures.empty()) {
    SetTimer(true, timerInterval_);
    StartPreparation();
  } else {
    services_.stage.ShowInfoLabel(noPicturesCaption);
    services_.stage.SetBackground(kWhite);
  }
}

void SaverShow::LoadSaverSettings() {
  SettingsStore ini(services_.profiles, state_.iniFileName);
  state_.soundOn = ReadOption(ini, Option::Sound) != 0;
  state_.inOrder = ReadOption(ini, Option::InOrder) != 0;
  state_.colourScheme =
      static_cast<ColourScheme>(CodeRowFor(Option::ColourScheme, ReadOption(ini, Option::ColourScheme)).code);
  state_.displayMode =
      static_cast<DisplayModeKind>(CodeRowFor(Option::DisplayMode, ReadOption(ini, Option::DisplayMode)).code);
  state_.delayMs = CodeRowFor(Option::Delay, ReadOption(ini, Option::Delay)).delayMs;
  state_.customHeight = ReadOption(ini, Option::Height);
  state_.customWidth = ReadOption(ini, Option::Width);
  state_.pictures.clear();
  state_.sounds.clear();
  ReadSlots(ini, {SlotList::Pictures, SlotList::Sounds}, [this](SlotList list, int, const std::string& path) {
    if (IsFreeSlot(path)) return true;
    if (services_.files.FileExists(path)) {
      (list == SlotList::Pictures ? state_.pictures : state_.sounds).push_back(path);
      return true;
    }
    if (list == SlotList::Pictures) {
      noPicturesCaption = MissingFileCaption(path);
      state_.pictures.clear();
    } else {
      state_.sounds.clear();
      state_.soundOn = false;
    }
    return false;
  });
}

}  // namespace lumora
