#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "settings_file/OptionTable.h"

namespace lumora {

// The options and lists as the show reads them when it starts (ReadSaverSettings); before that, all zero and empty.
struct SaverSettings {
  bool soundOn;
  bool inOrder;
  ColourScheme colourScheme;
  DisplayModeKind displayMode;
  int delayMs;
  int customHeight;
  int customWidth;
  // The listed files that exist, in slot order.
  std::vector<std::string> pictures;
  std::vector<std::string> sounds;
  // A listed picture whose file is gone: the show then has no pictures.
  std::optional<std::string> missingPicture;
};

// Each option with its fall-back (a code that matches none is the option's last); of the lists, each entry whose file
// exists, free slots passed over, up to the first entry whose file is gone: a picture empties the pictures, a sound
// the sounds, and turns sound off.
SaverSettings ReadSaverSettings(const SettingsStore& ini, FileSystem& files);

}  // namespace lumora
