#include "lumora-lists/ChosenFolders.h"

#include "platform/AsciiCase.h"

namespace lumora {

namespace {

std::string Prefix(SlotList list) { return list == SlotList::Pictures ? "Picture" : "Sound"; }

}  // namespace

std::optional<ChosenFolders> ReadChosenFolders(const SettingsStore& ini, SlotList list) {
  const int count = ini.ReadInteger(kChosenSection, Prefix(list) + "Folders", 0);
  if (count <= 0) return std::nullopt;
  ChosenFolders chosen;
  for (int i = 1; i <= count && i <= kMostChosen; ++i) {
    const std::string argument = ini.ReadString(kChosenSection, Prefix(list) + "Folder" + std::to_string(i), "");
    if (!argument.empty()) chosen.arguments.push_back(argument);
  }
  chosen.recursive = ini.ReadBool(kChosenSection, Prefix(list) + "Subfolders", false);
  if (const std::string next = ini.ReadString(kChosenSection, Prefix(list) + "Next", ""); !next.empty())
    chosen.next = next;
  if (chosen.arguments.empty()) return std::nullopt;
  return chosen;
}

void WriteChosenFolders(SettingsStore& ini, SlotList list, const ChosenFolders& chosen) {
  ini.WriteInteger(kChosenSection, Prefix(list) + "Folders", static_cast<int32_t>(chosen.arguments.size()));
  for (size_t i = 0; i < chosen.arguments.size(); ++i)
    ini.WriteString(kChosenSection, Prefix(list) + "Folder" + std::to_string(i + 1), chosen.arguments[i]);
  ini.WriteBool(kChosenSection, Prefix(list) + "Subfolders", chosen.recursive);
  const std::string nextKey = Prefix(list) + "Next";
  if (chosen.next || !ini.ReadString(kChosenSection, nextKey, "").empty())
    ini.WriteString(kChosenSection, nextKey, chosen.next.value_or(""));
}

bool SameChoice(const ChosenFolders& a, const ChosenFolders& b) {
  if (a.recursive != b.recursive || a.arguments.size() != b.arguments.size()) return false;
  for (size_t i = 0; i < a.arguments.size(); ++i)
    if (!SameIgnoringAsciiCase(a.arguments[i], b.arguments[i])) return false;
  return true;
}

}  // namespace lumora
