#include "support/SettingsFiles.h"

#include "settings_file/SettingsFile.h"

namespace lumora {

std::string SettingsFileText(const std::string& optionLines, const SlotValues& pictures, const SlotValues& sounds) {
  std::string text = std::string("[") + kOptionsSection + "]\r\n" + optionLines;
  const auto list = [&](const char* section, const SlotValues& values) {
    text += std::string("[") + section + "]\r\n";
    for (int slot = 1; slot <= kSlotCount; ++slot) {
      const auto found = values.find(slot);
      if (found == values.end()) text += SlotKey(slot) + "=" + kFreeSlot + "\r\n";
      else if (found->second) text += SlotKey(slot) + "=" + *found->second + "\r\n";
    }
  };
  list(kPictureSection, pictures);
  list(kSoundSection, sounds);
  return text;
}

}  // namespace lumora
