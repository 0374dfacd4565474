#include "settings/SettingsFile.h"

namespace lumora {

std::string SlotKey(int slot) { return "Name" + std::to_string(slot); }

std::string IniFileName(const std::string& windowsDir, const std::string& executablePath) {
  size_t nameStart = executablePath.find_last_of("\\:");
  std::string name = nameStart == std::string::npos ? executablePath : executablePath.substr(nameStart + 1);
  std::string baseName = name.substr(0, name.find('.'));
  return windowsDir + "\\" + baseName + ".ini";
}

void WriteNewSettingsFile(TIniFile& ini, const std::function<void(SlotList, int)>& slotWritten) {
  ini.WriteBool(kOptionsSection, "Sound", false);
  ini.WriteBool(kOptionsSection, "Status", false);
  ini.WriteBool(kOptionsSection, "Repeat", false);
  ini.WriteInteger(kOptionsSection, "Time", 2);
  ini.WriteInteger(kOptionsSection, "Color", 4);
  ini.WriteInteger(kOptionsSection, "Picdis", 4);
  ini.WriteInteger(kOptionsSection, "Height", 25);
  ini.WriteInteger(kOptionsSection, "Width", 25);
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    ini.WriteString(kPictureSection, SlotKey(slot), kFreeSlot);
    if (slotWritten) slotWritten(SlotList::Pictures, slot);
    ini.WriteString(kSoundSection, SlotKey(slot), kFreeSlot);
    if (slotWritten) slotWritten(SlotList::Sounds, slot);
  }
}

}  // namespace lumora
