#include "lumora-lists/CollectFiles.h"
#include "lumora-lists/ListsRun.h"
#include "platform/AsciiCase.h"

namespace lumora {

namespace {

constexpr const char* kChooseAgain = "If it moved, choose it again with \"Choose Lumora Pictures\".";

std::string GoneLine(SlotList list, const std::string& folder) {
  return folder + " is gone: its " + (list == SlotList::Pictures ? "pictures were" : "sounds were") +
         " taken off the list. " + kChooseAgain;
}

std::string NothingLeftLine(SlotList list, const std::vector<std::string>& gone) {
  std::string folders;
  for (const std::string& folder : gone) folders += (folders.empty() ? "" : ", ") + folder;
  return folders + (gone.size() == 1 ? " is gone" : " are gone") + ", and nothing else is left to list: the " +
         ListName(list) + " was left as it was. " + kChooseAgain;
}

int CountNotIn(const std::vector<std::string>& entries, const std::vector<std::string>& others) {
  int count = 0;
  for (const std::string& entry : entries)
    if (!ContainsIgnoringAsciiCase(others, entry)) ++count;
  return count;
}

// "2 new pictures, 1 gone; 4 listed.", counted on what the file holds; for a library larger than the list, what
// it shows of it.
std::string ChangeLine(const ListUpdate& update, const std::vector<std::string>& listed) {
  const int placed = static_cast<int>(update.entries.size());
  if (update.found > placed) return WillShowLine({update.list, placed, 0, 0, update.found});
  const int added = CountNotIn(update.entries, listed), gone = CountNotIn(listed, update.entries);
  return std::to_string(added) + " new " + Noun(added, update.list) + ", " + std::to_string(gone) + " gone; " +
         std::to_string(placed) + " listed.";
}

// One list made again from what was chosen for it, going on where the last listing stopped. A listed file that
// is gone leaves the list: a folder gone takes its entries with it and is forgotten, and so is a file chosen on
// its own. A folder that cannot be read, or nothing left to list, leaves the list as it is.
std::optional<ListUpdate> Relisted(SlotList list, ChosenFolders chosen, const ListsServices& services,
                                   ListsConsole& console) {
  std::vector<std::string> present, goneFolders;
  for (const std::string& argument : chosen.arguments) {
    if (services.tree.KindOf(argument) != PathKind::Missing) present.push_back(argument);
    else if (!IsListFile(list, argument)) goneFolders.push_back(argument);
  }
  CollectedFiles collected = CollectFiles(services.tree, list, present, chosen.recursive,
                                          Selection{kListCapacity, chosen.next}, services.progress);
  for (const std::string& line : collected.skipped) console.Err(kErrorPrefix + line);
  if (!collected.errors.empty()) {
    for (const std::string& line : collected.errors) console.Warn(kErrorPrefix + line);
    console.Warn(kErrorPrefix + std::string("The ") + ListName(list) + " was left as it was.");
    return std::nullopt;
  }
  if (collected.paths.empty()) {
    console.Warn(kErrorPrefix + (goneFolders.empty() ? NoneFoundLine(list, chosen.arguments)
                                                     : NothingLeftLine(list, goneFolders)));
    return std::nullopt;
  }
  for (const std::string& folder : goneFolders) console.Warn(kErrorPrefix + GoneLine(list, folder));
  chosen.arguments = present;
  chosen.next = collected.next;
  return ListUpdate{list, std::move(collected.paths), std::move(chosen), collected.found};
}

}  // namespace

int RefreshLists(const std::string& iniPath, const ListsServices& services, ListsConsole& console, bool quiet) {
  const SettingsStore ini(services.profiles, iniPath);
  std::vector<ListUpdate> updates;
  std::vector<std::string> lines;
  bool chosenAny = false;
  for (SlotList list : {SlotList::Pictures, SlotList::Sounds}) {
    const std::optional<ChosenFolders> chosen = ReadChosenFolders(ini, list);
    if (!chosen) continue;
    chosenAny = true;
    std::optional<ListUpdate> update = Relisted(list, *chosen, services, console);
    if (!update) continue;
    lines.push_back(ChangeLine(*update, ListedEntries(ini, list)));
    updates.push_back(std::move(*update));
  }
  if (!chosenAny) {
    if (quiet) return kListsSucceeded;  // at sign-in, a list made by hand is no fault
    console.Err(std::string(kErrorPrefix) + "Nothing to refresh: no folders were chosen for " + iniPath +
                " (lumora-lists --pictures FOLDER chooses them)");
    return kListsFailed;
  }
  // A list kept as it was beside one refreshed is a warning; nothing refreshed at all, a failure.
  if (updates.empty() || !WriteLists(services, iniPath, updates, false, console)) return kListsFailed;
  for (const std::string& line : lines) console.Out(line);
  return kListsSucceeded;
}

}  // namespace lumora
