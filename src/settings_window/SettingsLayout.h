#pragma once
#include "forms/FormLayout.h"
#include "image/Picture.h"
#include "settings_window/SettingsControls.h"

namespace lumora {

inline constexpr Rgb kSettingsLayoutColour{0, 128, 128};
// What the window turns to as it is created.
inline constexpr Rgb kSettingsColour{95, 115, 175};

// The filters of the window's two open-file dialogs: name and pattern of each choice, separated by "|".
inline constexpr const char* kPictureDialogFilter = "jpeg (*.jpg)|*.jpg|bitmap (*.bmp)|*.bmp";
inline constexpr const char* kSoundDialogFilter = "wav (*.wav);midi (*.mid)|*.wav;*.mid";

inline constexpr const char* kSettingsWindowTitle = "Screensaver Settings/Options";

// The settings window: five option groups, the two size bars with their labels and OK; the two lists,
// their buttons and About are part of it but never shown.
const FormLayout& SettingsFormLayout();

}  // namespace lumora
