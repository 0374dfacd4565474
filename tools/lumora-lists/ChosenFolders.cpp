#include "lumora-lists/ChosenFolders.h"

namespace lumora {

namespace {

std::string Prefix(SlotList list) { return list == SlotList::Pictures ? "Picture" : "Sound"; }

// "PictureSubfolders3": whether the third folder's subfolders are taken. Files of earlier versions say it once for
// the whole list, in "PictureSubfolders".
std::string SubfoldersKey(SlotList list, size_t index) { return Prefix(list) + "Subfolders" + std::to_string(index); }

}  // namespace

std::optional<ChosenFolders> ReadChosenFolders(const SettingsStore& ini, SlotList list) {
  const int count = ini.ReadInteger(kChosenSection, Prefix(list) + "Folders", 0);
  if (count <= 0) return std::nullopt;
  const bool wholeList = ini.ReadBool(kChosenSection, Prefix(list) + "Subfolders", false);
  ChosenFolders chosen;
  for (int i = 1; i <= count && i <= kMostChosen; ++i) {
    const std::string path = ini.ReadString(kChosenSection, Prefix(list) + "Folder" + std::to_string(i), "");
    if (!path.empty()) chosen.places.push_back({path, ini.ReadBool(kChosenSection, SubfoldersKey(list, i), wholeList)});
  }
  if (const std::string next = ini.ReadString(kChosenSection, Prefix(list) + "Next", ""); !next.empty())
    chosen.next = next;
  if (chosen.places.empty()) return std::nullopt;
  return chosen;
}

void WriteChosenFolders(SettingsStore& ini, SlotList list, const ChosenFolders& chosen) {
  ini.WriteInteger(kChosenSection, Prefix(list) + "Folders", static_cast<int32_t>(chosen.places.size()));
  for (size_t i = 0; i < chosen.places.size(); ++i) {
    ini.WriteString(kChosenSection, Prefix(list) + "Folder" + std::to_string(i + 1), chosen.places[i].path);
    ini.WriteBool(kChosenSection, SubfoldersKey(list, i + 1), chosen.places[i].subfolders);
  }
  const std::string nextKey = Prefix(list) + "Next";
  if (chosen.next || !ini.ReadString(kChosenSection, nextKey, "").empty())
    ini.WriteString(kChosenSection, nextKey, chosen.next.value_or(""));
}

bool SameChoice(const ChosenFolders& a, const ChosenFolders& b, const CodePage& codePage) {
  if (a.places.size() != b.places.size()) return false;
  for (size_t i = 0; i < a.places.size(); ++i)
    if (a.places[i].subfolders != b.places[i].subfolders ||
        !codePage.SameIgnoringCase(a.places[i].path, b.places[i].path))
      return false;
  return true;
}

}  // namespace lumora
