#include "lumora-lists/SettingsUpdate.h"

#include <algorithm>

#include "lumora-lists/SlotPlan.h"
#include "settings_file/OptionTable.h"
#include "platform/LumoraError.h"

namespace lumora {

namespace {

std::vector<std::string> ReadSlots(const TIniFile& ini, SlotList list) {
  std::vector<std::string> values;
  for (int slot = 1; slot <= kSlotCount; ++slot)
    values.push_back(ini.ReadString(SectionOf(list), SlotKey(slot), kSlotDefault));
  return values;
}

bool HoldsNoEntry(const std::vector<std::string>& slots) { return std::all_of(slots.begin(), slots.end(), IsFreeSlot); }

void RememberChoice(TIniFile& ini, const ListUpdate& update, bool append) {
  ChosenFolders chosen = update.chosen;
  if (const std::optional<ChosenFolders> before = ReadChosenFolders(ini, update.list); before && append) {
    chosen = *before;
    chosen.recursive = chosen.recursive || update.chosen.recursive;
    for (const std::string& argument : update.chosen.arguments)
      if (std::find(chosen.arguments.begin(), chosen.arguments.end(), argument) == chosen.arguments.end())
        chosen.arguments.push_back(argument);
  }
  WriteChosenFolders(ini, update.list, chosen);
}

ListOutcome WriteList(TIniFile& ini, const ListUpdate& update, bool append, bool& soundSwitchedOn) {
  RememberChoice(ini, update, append);
  const std::vector<std::string> current = ReadSlots(ini, update.list);
  const SlotPlan plan = append ? PlanAppend(current, update.entries) : PlanReplacement(current, update.entries);
  for (const auto& [slot, value] : plan.changes) ini.WriteString(SectionOf(update.list), SlotKey(slot), value);
  if (update.list == SlotList::Sounds && plan.placed > 0 && HoldsNoEntry(current)) {
    WriteOption(ini, Option::Sound, 1);
    soundSwitchedOn = true;
  }
  return {update.list, plan.placed, plan.leftOut, plan.alreadyListed};
}

// The copy starts as the file is, or, for a missing file, as the settings window would make it.
void StartCopy(FileTree& tree, TIniFile& copy, const std::string& iniPath, bool created) {
  if (!created) {
    if (!tree.Copy(iniPath, copy.FileName())) throw LumoraError("Unable to copy " + iniPath);
    return;
  }
  tree.Remove(copy.FileName());
  if (tree.KindOf(copy.FileName()) != PathKind::Missing) throw LumoraError("Unable to write to " + copy.FileName());
  WriteNewSettingsFile(copy);
}

}  // namespace

std::string WorkingCopyOf(const std::string& iniPath) { return iniPath + ".lists-new"; }

std::vector<std::string> ListedEntries(const TIniFile& ini, SlotList list) {
  std::vector<std::string> entries;
  for (const std::string& value : ReadSlots(ini, list))
    if (!IsFreeSlot(value)) entries.push_back(value);
  return entries;
}

UpdateResult UpdateSettingsFile(FileTree& tree, ProfileFiles& profiles, const std::string& iniPath,
                                const std::vector<ListUpdate>& updates, bool append) {
  UpdateResult result;
  const PathKind kind = tree.KindOf(iniPath);
  if (kind == PathKind::Folder) {
    result.error = "The settings file is a folder: " + iniPath;
    return result;
  }
  result.created = kind == PathKind::Missing;
  TIniFile copy(profiles, WorkingCopyOf(iniPath));
  try {
    StartCopy(tree, copy, iniPath, result.created);
    for (const ListUpdate& update : updates)
      result.lists.push_back(WriteList(copy, update, append, result.soundSwitchedOn));
    if (!tree.Replace(iniPath, copy.FileName())) throw LumoraError("Unable to replace " + iniPath);
  } catch (const LumoraError&) {
    tree.Remove(copy.FileName());
    result.error = "Cannot write the settings file " + iniPath + "; nothing was changed";
    result.lists.clear();
  }
  return result;
}

}  // namespace lumora
