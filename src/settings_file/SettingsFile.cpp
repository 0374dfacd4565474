#include "settings_file/SettingsFile.h"

#include "settings_file/OptionTable.h"

namespace lumora {

std::string SlotKey(int slot) { return "Name" + std::to_string(slot); }

void ReadSlots(const SettingsStore& ini, std::initializer_list<SlotList> lists, const SlotVisit& visit) {
  for (int slot = 1; slot <= kSlotCount; ++slot)
    for (SlotList list : lists)
      if (!visit(list, slot, ini.ReadString(SectionOf(list), SlotKey(slot), kSlotDefault))) return;
}

std::string IniFileName(const std::string& windowsDir, const std::string& executablePath) {
  size_t nameStart = executablePath.find_last_of("\\:");
  std::string name = nameStart == std::string::npos ? executablePath : executablePath.substr(nameStart + 1);
  std::string baseName = name.substr(0, name.find('.'));
  return windowsDir + "\\" + baseName + ".ini";
}

void WriteNewSettingsFile(SettingsStore& ini, const std::function<void(SlotList, int)>& slotWritten) {
  for (const OptionRow& row : kOptionRows)
    if (row.newFileValue) WriteOption(ini, row.option, *row.newFileValue);
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    for (SlotList list : {SlotList::Pictures, SlotList::Sounds}) {
      ini.WriteString(SectionOf(list), SlotKey(slot), kFreeSlot);
      if (slotWritten) slotWritten(list, slot);
    }
  }
}

}  // namespace lumora
