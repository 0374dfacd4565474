#include <set>

#include "lumora-lists/CollectFiles.h"
#include "lumora-lists/HeldProfileFiles.h"
#include "lumora-lists/ListsRun.h"

namespace lumora {

namespace {

constexpr const char* kChooseAgain = "If it moved, choose it again with \"Choose Lumora Pictures\".";

std::string GoneLine(SlotList list, const std::string& folder) {
  return folder + " is gone: its " + (list == SlotList::Pictures ? "pictures were" : "sounds were") +
         " taken off the list. " + kChooseAgain;
}

std::string AwayLine(SlotList list, const std::string& place) {
  return place + " cannot be reached now: its " + (list == SlotList::Pictures ? "pictures" : "sounds") +
         " stay on the list.";
}

std::string NothingLeftLine(SlotList list, const std::vector<std::string>& gone) {
  std::string folders;
  for (const std::string& folder : gone) folders += (folders.empty() ? "" : ", ") + folder;
  return folders + (gone.size() == 1 ? " is gone" : " are gone") + ", and nothing else is left to list: the " +
         ListName(list) + " was left as it was. " + kChooseAgain;
}

int CountNotIn(const std::vector<std::string>& entries, const std::vector<std::string>& others,
               const CodePage& codePage) {
  int count = 0;
  for (const std::string& entry : entries)
    if (!codePage.ContainsIgnoringCase(others, entry)) ++count;
  return count;
}

// "2 new pictures, 1 gone; 4 listed.", counted on what the file holds; for a library larger than the list, what
// it shows of it.
std::string ChangeLine(const ListOutcome& outcome, const std::vector<std::string>& entries,
                       const std::vector<std::string>& listed, const CodePage& codePage) {
  if (outcome.more) return WillShowLine(outcome);
  const int added = CountNotIn(entries, listed, codePage), gone = CountNotIn(listed, entries, codePage);
  return std::to_string(added) + " new " + Noun(added, outcome.list) + ", " + std::to_string(gone) + " gone; " +
         std::to_string(outcome.placed) + " listed.";
}

std::vector<std::string> PathsOf(const std::vector<ChosenPlace>& places) {
  std::vector<std::string> paths;
  for (const ChosenPlace& place : places) paths.push_back(place.path);
  return paths;
}

enum class PlaceNow { Present, Away, Gone };

// A place is gone only when the folder that held it can be read and holds it no more: a drive unplugged or a share
// asleep says "missing" too.
PlaceNow WhereNow(FileTree& tree, const std::string& path) {
  switch (tree.KindOf(path)) {
    case PathKind::File:
    case PathKind::Folder: return PlaceNow::Present;
    case PathKind::Unreachable: return PlaceNow::Away;
    case PathKind::Missing: break;
  }
  const CodePage& codePage = tree.PathCodePage();
  const size_t nameStart = codePage.NameStart(path);
  if (nameStart == 0 || nameStart == path.size()) return PlaceNow::Away;  // a drive's root
  const FolderListing parent = tree.List(path.substr(0, nameStart));
  if (parent.failure != ListFailure::None) return PlaceNow::Away;
  const std::string name = path.substr(nameStart);
  for (const FolderEntry& entry : parent.entries)
    if (codePage.SameIgnoringCase(entry.name, name) || codePage.SameIgnoringCase(entry.shortName, name))
      return PlaceNow::Away;
  return PlaceNow::Gone;
}

// The entries each place gives, in the order of the places: a place away keeps what it gave before.
std::vector<std::string> InPlaceOrder(const std::vector<ChosenPlace>& places, const std::vector<bool>& away,
                                      const std::vector<std::string>& listed, const std::vector<std::string>& found,
                                      const CodePage& codePage) {
  std::vector<std::string> entries;
  std::set<std::string> taken;
  for (size_t i = 0; i < places.size(); ++i)
    for (const std::string& path : away[i] ? listed : found)
      if (Covers(places[i], path, codePage) && taken.insert(codePage.LowerCase(path)).second) entries.push_back(path);
  return entries;
}

struct Relisting {
  std::optional<ListUpdate> update;
  bool failed = false;  // the list was left as it was, and the user must act
};

// One list made again from what was chosen for it, going on where the last listing stopped. A listed file that
// is gone leaves the list: a folder gone takes its entries with it and is forgotten, and so is a file chosen on
// its own; a place away keeps its entries. A folder that cannot be read, or nothing left to list, leaves the list
// as it is.
Relisting Relisted(SlotList list, const ChosenFolders& chosen, const std::vector<std::string>& listed,
                   const ListsServices& services, ListsConsole& console) {
  const CodePage& codePage = services.tree.PathCodePage();
  ChosenFolders kept{{}, chosen.next};
  std::vector<ChosenPlace> present;
  std::vector<bool> away;
  std::vector<std::string> gone;
  for (const ChosenPlace& place : chosen.places) {
    const PlaceNow now = WhereNow(services.tree, place.path);
    if (now == PlaceNow::Gone) {
      if (!IsListFile(list, place.path)) gone.push_back(place.path);
      continue;
    }
    kept.places.push_back(place);
    away.push_back(now == PlaceNow::Away);
    if (now == PlaceNow::Present) present.push_back(place);
    else console.Err(kErrorPrefix + AwayLine(list, place.path));
  }
  const std::vector<std::string> keptEntries = InPlaceOrder(kept.places, away, listed, {}, codePage);
  if (present.empty() && gone.empty() && !keptEntries.empty()) return {};  // all away: the list stays as it is
  CollectedFiles collected =
      CollectFiles(services.tree, list, present,
                   Selection{kListCapacity - static_cast<int>(keptEntries.size()), chosen.next}, services.progress);
  for (const std::string& line : collected.skipped) console.Err(kErrorPrefix + line);
  if (!collected.errors.empty()) {
    for (const std::string& line : collected.errors) console.Warn(kErrorPrefix + line);
    console.Warn(kErrorPrefix + std::string("The ") + ListName(list) + " was left as it was.");
    return {std::nullopt, true};
  }
  if (collected.paths.empty() && keptEntries.empty()) {
    console.Warn(kErrorPrefix +
                 (gone.empty() ? NoneFoundLine(list, PathsOf(chosen.places)) : NothingLeftLine(list, gone)));
    return {std::nullopt, true};
  }
  for (const std::string& folder : gone) console.Warn(kErrorPrefix + GoneLine(list, folder));
  kept.next = collected.next;
  std::vector<std::string> entries = InPlaceOrder(kept.places, away, listed, collected.paths, codePage);
  return {ListUpdate{list, std::move(entries), std::move(kept), collected.found + static_cast<int>(keptEntries.size()),
                     chosen},
          false};
}

}  // namespace

int RefreshLists(const std::string& iniPath, const ListsServices& services, ListsConsole& console, bool quiet) {
  std::optional<HeldProfileFiles> held = ReadSettingsFile(services.tree, iniPath);
  if (!held) {
    console.Warn(kErrorPrefix + CannotReadLine(iniPath));
    return kListsFailed;
  }
  const SettingsStore ini(*held, iniPath);
  std::vector<ListUpdate> updates;
  bool chosenAny = false, failed = false;
  for (SlotList list : {SlotList::Pictures, SlotList::Sounds}) {
    const std::optional<ChosenFolders> chosen = ReadChosenFolders(ini, list);
    if (!chosen) continue;
    chosenAny = true;
    Relisting relisting = Relisted(list, *chosen, ListedEntries(ini, list), services, console);
    failed = failed || relisting.failed;
    if (relisting.update) updates.push_back(std::move(*relisting.update));
  }
  if (!chosenAny) {
    if (quiet) return kListsSucceeded;  // at sign-in, a list made by hand is no fault
    console.Err(std::string(kErrorPrefix) + "Nothing to refresh: no folders were chosen for " + iniPath +
                " (lumora-lists --pictures FOLDER chooses them)");
    return kListsFailed;
  }
  // A list kept as it was beside one refreshed is a warning; nothing refreshed at all, a failure.
  if (updates.empty()) return failed ? kListsFailed : kListsSucceeded;
  const std::optional<UpdateResult> result = WriteLists(services, iniPath, updates, false, console);
  if (!result) return kListsFailed;
  for (const ListOutcome& outcome : result->lists)
    for (const ListUpdate& update : updates)
      if (update.list == outcome.list)
        console.Out(
            ChangeLine(outcome, update.entries, ListedEntries(ini, outcome.list), services.tree.PathCodePage()));
  return kListsSucceeded;
}

}  // namespace lumora
