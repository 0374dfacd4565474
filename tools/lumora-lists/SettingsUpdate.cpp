#include "lumora-lists/SettingsUpdate.h"

#include <algorithm>

#include "lumora-lists/CollectFiles.h"
#include "lumora-lists/GuardedRewrite.h"
#include "lumora-lists/HeldProfileFiles.h"
#include "platform/AsciiCase.h"
#include "lumora-lists/SlotPlan.h"
#include "settings_file/OptionTable.h"
#include "platform/LumoraError.h"

namespace lumora {

namespace {

std::vector<std::string> ReadList(const SettingsStore& ini, SlotList list) {
  std::vector<std::string> values;
  ReadSlots(ini, {list}, [&values](SlotList, int, const std::string& value) {
    values.push_back(value);
    return true;
  });
  return values;
}

bool HoldsNoEntry(const std::vector<std::string>& slots) { return std::all_of(slots.begin(), slots.end(), IsFreeSlot); }

bool Remembered(const ChosenFolders& chosen, const std::string& path) {
  return std::any_of(chosen.arguments.begin(), chosen.arguments.end(),
                     [&](const std::string& argument) { return LiesIn(path, argument); });
}

// What --refresh lists again. Appended folders join those remembered, and entries listed before that came from
// none of them are remembered as files, so that a refresh lists at least what was listed.
void RememberChoice(SettingsStore& ini, const ListUpdate& update, bool append) {
  ChosenFolders chosen = update.chosen;
  if (append) {
    chosen = ReadChosenFolders(ini, update.list).value_or(ChosenFolders{});
    for (const std::string& entry : ListedEntries(ini, update.list))
      if (!entry.empty() && !Remembered(chosen, entry)) chosen.arguments.push_back(entry);
    chosen.recursive = chosen.recursive || update.chosen.recursive;
    for (const std::string& argument : update.chosen.arguments)
      if (!ContainsIgnoringAsciiCase(chosen.arguments, argument)) chosen.arguments.push_back(argument);
    if (static_cast<int>(chosen.arguments.size()) > kMostChosen) chosen.arguments.resize(kMostChosen);
  }
  WriteChosenFolders(ini, update.list, chosen);
}

// The list written into the copy, and read back from it to see that the copy holds what was planned.
ListOutcome WriteList(SettingsStore& ini, const ListUpdate& update, bool append, bool& soundSwitchedOn) {
  RememberChoice(ini, update, append);
  const std::vector<std::string> current = ReadList(ini, update.list);
  const SlotPlan plan = append ? PlanAppend(current, update.entries) : PlanReplacement(current, update.entries);
  std::vector<std::string> planned = current;
  for (const auto& [slot, value] : plan.changes) {
    ini.WriteString(SectionOf(update.list), SlotKey(slot), value);
    planned[slot - 1] = value;
  }
  if (ReadList(ini, update.list) != planned) throw LumoraError("The copy does not hold the list written into it");
  if (update.list == SlotList::Sounds && plan.placed > 0 && HoldsNoEntry(current)) {
    WriteOption(ini, Option::Sound, 1);
    soundSwitchedOn = true;
  }
  return {update.list, plan.placed, plan.leftOut, plan.alreadyListed, update.found};
}

// The copy starts as the file is, or, for a missing file, as the settings window would make it.
void StartCopy(FileTree& tree, SettingsStore& copy, const std::string& iniPath, bool created) {
  if (!created) {
    if (!tree.Copy(iniPath, copy.FileName())) throw LumoraError("Unable to copy " + iniPath);
    return;
  }
  tree.Remove(copy.FileName());
  if (tree.KindOf(copy.FileName()) != PathKind::Missing) throw LumoraError("Unable to write to " + copy.FileName());
  WriteNewSettingsFile(copy);
}

// The copy goes into the file itself.
void Rewrite(FileTree& tree, const std::string& iniPath, const std::optional<std::vector<uint8_t>>& content,
             UpdateResult& result) {
  if (!content) throw LumoraError("Unable to read the copy of " + iniPath);
  switch (RewriteGuarded(tree, iniPath, *content)) {
    case RewriteOutcome::Written: return;
    case RewriteOutcome::NotAllowed: result.error = NotAllowedLine(iniPath); return;
    case RewriteOutcome::Failed: throw LumoraError("Unable to write to " + iniPath);
  }
}

}  // namespace

std::string WorkingCopyOf(FileTree& tree, const std::string& iniPath) { return TempFileFor(tree, iniPath, ".ini"); }

std::string NotAllowedLine(const std::string& iniPath) {
  return "This user may not change Lumora's settings file " + iniPath +
         ". Running Lumora's setup once, as an administrator, allows it. Nothing was changed.";
}

std::vector<std::string> ListedEntries(const SettingsStore& ini, SlotList list) {
  std::vector<std::string> entries;
  for (const std::string& value : ReadList(ini, list))
    if (!IsFreeSlot(value)) entries.push_back(value);
  return entries;
}

UpdateResult UpdateSettingsFile(FileTree& tree, ProfileFiles& profiles, const std::string& iniPath,
                                const std::vector<ListUpdate>& updates, bool append, bool holdCopy) {
  UpdateResult result;
  result.putBackAfterStoppedRun = UndoInterruptedRewrite(tree, iniPath);
  const PathKind kind = tree.KindOf(iniPath);
  if (kind == PathKind::Folder) {
    result.error = "The settings file is a folder: " + iniPath;
    return result;
  }
  result.created = kind == PathKind::Missing;
  HeldProfileFiles held(tree);
  SettingsStore copy(holdCopy ? held : profiles, WorkingCopyOf(tree, iniPath));
  try {
    StartCopy(tree, copy, iniPath, result.created);
    for (const ListUpdate& update : updates)
      result.lists.push_back(WriteList(copy, update, append, result.soundSwitchedOn));
    Rewrite(tree, iniPath,
            holdCopy ? held.Content(copy.FileName()) : tree.ReadWhole(copy.FileName(), kLargestRewrittenFile),
            result);
  } catch (const LumoraError&) {
    result.error = "Cannot write the settings file " + iniPath + "; nothing was changed";
  }
  tree.Remove(copy.FileName());
  if (result.error) result.lists.clear();
  return result;
}

}  // namespace lumora
