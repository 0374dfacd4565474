#include "usave1/TForm1.h"

#include "image/Placeholder.h"
#include "settings/OptionCodes.h"
#include "settings/SettingsFile.h"
#include "settings/TIniFile.h"

namespace lumora {

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

std::string MissingFileCaption(const std::string& name) {
  return "File " + name + " no longer exists on your " +
         "system!  This file was removed from its installed location, please reinstall.";
}

}  // namespace

TForm1::TForm1(SaverState& state, const SaverServices& services)
    : MediaPlayer1(services.media), state_(state), services_(services) {
  Image1.stretch = true;
  Image1.autoSize = true;
  image2.stretch = true;
  imagjunk.picture = PlaceholderPicture();
}

void TForm1::FormCreate() {
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
  state_.displayMode = 3;
  state_.colourScheme = 4;
  state_.lastPictureIndex = 0;
  state_.colourStep = 0;
  services_.stage.SetBackground(kBlack);
  services_.stage.InstallInputHook();
  LoadSaverSettings();
  if (state_.soundOn && !state_.sounds.empty()) {
    state_.nextSound = state_.sounds.front();
    StartSound();
  }
  if (!state_.pictures.empty()) {
    state_.tilePosition = 1;
    SetTimer(true, timerInterval_);
  } else {
    services_.stage.ShowInfoLabel(lblinfoCaption);
    services_.stage.SetBackground(kWhite);
  }
}

void TForm1::LoadSaverSettings() {
  TIniFile ini(services_.profiles, state_.iniFileName);
  state_.soundOn = ini.ReadBool(kOptionsSection, "Sound", true);
  state_.inOrder = ini.ReadBool(kOptionsSection, "Seq", true);
  state_.colourScheme = RowForCode(kColourSchemeRows, ini.ReadInteger(kOptionsSection, "Color", -1)).code;
  state_.displayMode = RowForCode(kDisplayModeRows, ini.ReadInteger(kOptionsSection, "Picdis", -1)).code;
  state_.delayMs = RowForCode(kDelayRows, ini.ReadInteger(kOptionsSection, "Time", -1)).delayMs;
  state_.customHeight = ini.ReadInteger(kOptionsSection, "Height", -1);
  state_.customWidth = ini.ReadInteger(kOptionsSection, "Width", -1);
  state_.pictures.clear();
  state_.sounds.clear();
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    std::string picture = ini.ReadString(kPictureSection, SlotKey(slot), kSlotDefault);
    if (!IsFreeSlot(picture)) {
      if (!services_.files.FileExists(picture)) {
        lblinfoCaption = MissingFileCaption(picture);
        state_.pictures.clear();
        return;
      }
      state_.pictures.push_back(picture);
    }
    std::string sound = ini.ReadString(kSoundSection, SlotKey(slot), kSlotDefault);
    if (!IsFreeSlot(sound)) {
      if (!services_.files.FileExists(sound)) {
        state_.sounds.clear();
        state_.soundOn = false;
        return;
      }
      state_.sounds.push_back(sound);
    }
  }
}

void TForm1::SetTimer(bool enabled, int intervalMs) {
  timerEnabled_ = enabled;
  timerInterval_ = intervalMs;
  services_.stage.SetTimer(enabled, intervalMs);
}

}  // namespace lumora
