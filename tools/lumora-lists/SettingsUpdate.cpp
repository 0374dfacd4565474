#include "lumora-lists/SettingsUpdate.h"

#include <algorithm>

#include "lumora-lists/CollectFiles.h"
#include "lumora-lists/GuardedRewrite.h"
#include "lumora-lists/HeldProfileFiles.h"
#include "lumora-lists/SlotPlan.h"
#include "platform/LumoraError.h"
#include "settings_file/OptionTable.h"

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

bool Remembered(const ChosenFolders& chosen, const std::string& path, const CodePage& codePage) {
  return std::any_of(chosen.places.begin(), chosen.places.end(),
                     [&](const ChosenPlace& place) { return Covers(place, path, codePage); });
}

// What --refresh lists again. Appended places join those remembered (one remembered already takes subfolders
// when the append does), and entries listed before that came from none of them are remembered as files, so that a
// refresh lists at least what was listed.
void RememberChoice(SettingsStore& ini, const ListUpdate& update, bool append, const CodePage& codePage) {
  ChosenFolders chosen = update.chosen;
  if (append) {
    chosen = ReadChosenFolders(ini, update.list).value_or(ChosenFolders{});
    for (const std::string& entry : ListedEntries(ini, update.list))
      if (!Remembered(chosen, entry, codePage)) chosen.places.push_back({entry, false});
    for (const ChosenPlace& place : update.chosen.places) {
      const auto same = std::find_if(chosen.places.begin(), chosen.places.end(), [&](const ChosenPlace& each) {
        return codePage.SameIgnoringCase(each.path, place.path);
      });
      if (same == chosen.places.end()) chosen.places.push_back(place);
      else same->subfolders = same->subfolders || place.subfolders;
    }
    if (static_cast<int>(chosen.places.size()) > kMostChosen) chosen.places.resize(kMostChosen);
  }
  WriteChosenFolders(ini, update.list, chosen);
}

// The list written into the file held in memory, and read back from it to see that it holds what was planned.
ListOutcome WriteList(SettingsStore& ini, const ListUpdate& update, bool append, const CodePage& codePage,
                      bool& soundSwitchedOn) {
  RememberChoice(ini, update, append, codePage);
  const std::vector<std::string> current = ReadList(ini, update.list);
  const SlotPlan plan =
      append ? PlanAppend(current, update.entries, codePage) : PlanReplacement(current, update.entries);
  std::vector<std::string> planned = current;
  for (const auto& [slot, value] : plan.changes) {
    ini.WriteString(SectionOf(update.list), SlotKey(slot), value);
    planned[slot - 1] = value;
  }
  if (ReadList(ini, update.list) != planned) throw LumoraError("The settings do not hold the list written into them");
  if (update.list == SlotList::Sounds && plan.placed > 0 && HoldsNoEntry(current)) {
    WriteOption(ini, Option::Sound, 1);
    soundSwitchedOn = true;
  }
  return {update.list, plan.placed, plan.leftOut, plan.alreadyListed, update.found, update.chosen.next.has_value()};
}

// A refresh whose places another run changed while it walked them leaves that list to the other run.
bool ChosenMeanwhile(const SettingsStore& ini, const ListUpdate& update, const CodePage& codePage) {
  if (!update.chosenBefore) return false;
  const std::optional<ChosenFolders> now = ReadChosenFolders(ini, update.list);
  return !now || !SameChoice(*now, *update.chosenBefore, codePage);
}

// The lists written into the file held in memory, and the file rewritten with it.
void WriteLists(FileTree& tree, const std::string& iniPath, HeldProfileFiles& held,
                const std::vector<ListUpdate>& updates, bool append, UpdateResult& result) {
  SettingsStore ini(held, iniPath);
  if (result.created) WriteNewSettingsFile(ini);
  for (const ListUpdate& update : updates) {
    if (ChosenMeanwhile(ini, update, tree.PathCodePage())) result.choiceChanged.push_back(update.list);
    else result.lists.push_back(WriteList(ini, update, append, tree.PathCodePage(), result.soundSwitchedOn));
  }
  if (result.lists.empty()) return;
  switch (RewriteGuarded(tree, iniPath, held.Content())) {
    case RewriteOutcome::Written: return;
    case RewriteOutcome::NotAllowed: result.error = NotAllowedLine(iniPath); return;
    case RewriteOutcome::Failed: throw SettingsWriteError(iniPath);
  }
}

// What the file holds now, under this run's turn, once what a stopped run left is undone.
std::optional<HeldProfileFiles> ReadUnderTurn(FileTree& tree, const std::string& iniPath, UpdateResult& result) {
  switch (UndoInterruptedRewrite(tree, iniPath)) {
    case UndoOutcome::PutBack: result.putBackAfterStoppedRun = true; break;
    case UndoOutcome::Failed:
      result.error = iniPath +
                     " was left half-written by an earlier run that was stopped, and it could not be put "
                     "back; nothing was changed";
      return std::nullopt;
    default: break;
  }
  switch (tree.KindOf(iniPath)) {
    case PathKind::Folder: result.error = "The settings file is a folder: " + iniPath; return std::nullopt;
    case PathKind::Missing: result.created = true; break;
    default: break;
  }
  std::optional<HeldProfileFiles> held = ReadSettingsFile(tree, iniPath);
  if (!held) result.error = CannotReadLine(iniPath);
  return held;
}

}  // namespace

std::string NotAllowedLine(const std::string& iniPath) {
  return "This user may not change Lumora's settings file " + iniPath +
         ". Running Lumora's setup once, as an administrator, allows it. Nothing was changed.";
}

std::string CannotReadLine(const std::string& iniPath) {
  return "Cannot read the settings file " + iniPath + "; nothing was changed";
}

std::vector<std::string> ListedEntries(const SettingsStore& ini, SlotList list) {
  std::vector<std::string> entries;
  for (const std::string& value : ReadList(ini, list))
    if (!IsFreeSlot(value) && !value.empty()) entries.push_back(value);
  return entries;
}

UpdateResult UpdateSettingsFile(FileTree& tree, const std::string& iniPath, const std::vector<ListUpdate>& updates,
                                bool append) {
  UpdateResult result;
  const std::unique_ptr<Turn> turn = tree.WaitForTurn(FileKey(tree, iniPath));
  if (!turn) {
    result.error = "Another program kept changing " + iniPath + " for a minute; nothing was changed";
    return result;
  }
  std::optional<HeldProfileFiles> held = ReadUnderTurn(tree, iniPath, result);
  if (!held) return result;
  try {
    WriteLists(tree, iniPath, *held, updates, append, result);
  } catch (const LumoraError&) { result.error = "Cannot write the settings file " + iniPath + "; nothing was changed"; }
  if (result.error) result.lists.clear();
  return result;
}

}  // namespace lumora
