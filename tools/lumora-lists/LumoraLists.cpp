#include "lumora-lists/LumoraLists.h"

#include <cstdio>

#include "lumora-lists/ChooseLists.h"
#include "lumora-lists/CollectFiles.h"
#include "lumora-lists/ListsRun.h"
#include "platform/AsciiCase.h"

namespace lumora {

namespace {

// Lines of a box: the saver's messages show on screens of 640 x 480.
constexpr size_t kBoxLines = 24;

std::string Noun(int count, SlotList list) {
  return std::string(list == SlotList::Pictures ? "picture" : "sound") + (count == 1 ? "" : "s");
}

std::string ListName(SlotList list) { return list == SlotList::Pictures ? "picture list" : "sound list"; }

// A list is never emptied by a run that found nothing to put into it.
std::string NoneFound(SlotList list, const std::vector<std::string>& arguments) {
  std::string places;
  for (const std::string& argument : arguments) places += (places.empty() ? "" : ", ") + argument;
  return std::string(list == SlotList::Pictures ? "No pictures" : "No sounds") + " found in " + places +
         ": the list was left as it was.";
}

// The files of each list named, with the lines about files left out and arguments at fault; false after an
// error, when nothing may be written.
bool CollectLists(const ListsRequest& request, FileTree& tree, ListsConsole& console,
                  std::vector<ListUpdate>& updates) {
  bool usable = true;
  const auto collect = [&](SlotList list, const std::optional<std::vector<std::string>>& arguments) {
    if (!arguments) return;
    CollectedFiles collected = CollectFiles(tree, list, *arguments, request.recursive);
    for (const std::string& line : collected.skipped) console.Err(kErrorPrefix + line);
    for (const std::string& line : collected.errors) console.Err(kErrorPrefix + line);
    usable = usable && collected.errors.empty();
    if (usable && collected.paths.empty()) {
      console.Err(kErrorPrefix + NoneFound(list, *arguments));
      usable = false;
    }
    ChosenFolders chosen{{}, request.recursive};
    for (const std::string& argument : *arguments) chosen.arguments.push_back(tree.FullPath(argument));
    updates.push_back({list, std::move(collected.paths), std::move(chosen)});
  };
  collect(SlotList::Pictures, request.pictures);
  collect(SlotList::Sounds, request.sounds);
  return usable;
}

// One line per list written, and one for the entries that found no free slot: the list is written all the same.
int Report(const UpdateResult& result, const std::string& iniPath, bool append, ListsConsole& console) {
  if (result.created) console.Out("Created the settings file " + iniPath);
  for (const ListOutcome& outcome : result.lists) {
    std::string line = Count(outcome.placed, outcome.list) + (append ? " added to " : " written to ") + iniPath;
    if (outcome.alreadyListed > 0) line += " (" + std::to_string(outcome.alreadyListed) + " listed already)";
    console.Out(line);
    if (outcome.leftOut > 0) console.Out(LeftOutLine(outcome, iniPath));
  }
  if (result.soundSwitchedOn) console.Out("Sound switched on: the sounds play beside the pictures");
  return kListsSucceeded;
}

// The lists written into the settings file; what went wrong goes to the console, and nothing comes back when
// nothing was written.
std::optional<UpdateResult> WriteLists(const ListsServices& services, const std::string& iniPath,
                                       const std::vector<ListUpdate>& updates, bool append, ListsConsole& console) {
  UpdateResult result = UpdateSettingsFile(services.tree, services.profiles, iniPath, updates, append);
  if (result.putBackAfterStoppedRun)
    console.Err(kErrorPrefix + iniPath +
                " was left half-written by an earlier run that was stopped: it holds again what it held before");
  if (!result.error) return result;
  console.Err(kErrorPrefix + *result.error);
  return std::nullopt;
}

int CountNotIn(const std::vector<std::string>& entries, const std::vector<std::string>& others) {
  int count = 0;
  for (const std::string& entry : entries)
    if (!ContainsIgnoringAsciiCase(others, entry)) ++count;
  return count;
}

bool LiesIn(const std::string& entry, const std::string& argument) {
  return SameIgnoringAsciiCase(entry, argument) ||
         (entry.size() > argument.size() + 1 && SameIgnoringAsciiCase(entry.substr(0, argument.size()), argument) &&
          (entry[argument.size()] == '\\' || entry[argument.size()] == '/'));
}

// A list made again from what was chosen for it: folders that are gone keep what was listed from them.
std::optional<ListUpdate> Relisted(SlotList list, const ChosenFolders& chosen, const std::vector<std::string>& listed,
                                   FileTree& tree, ListsConsole& console) {
  std::vector<std::string> present, gone;
  for (const std::string& argument : chosen.arguments)
    (tree.KindOf(argument) == PathKind::Missing ? gone : present).push_back(argument);
  CollectedFiles collected = CollectFiles(tree, list, present, chosen.recursive);
  for (const std::string& line : collected.skipped) console.Err(kErrorPrefix + line);
  for (const std::string& argument : gone) {
    console.Err(kErrorPrefix + argument + " no longer exists: what was listed from it stays listed");
    for (const std::string& entry : listed)
      if (LiesIn(entry, argument)) collected.paths.push_back(entry);
  }
  if (collected.paths.empty()) {
    console.Err(kErrorPrefix + NoneFound(list, chosen.arguments));
    return std::nullopt;
  }
  return ListUpdate{list, std::move(collected.paths), chosen};
}

int Refresh(const std::string& iniPath, const ListsServices& services, ListsConsole& console) {
  TIniFile ini(services.profiles, iniPath);
  std::vector<ListUpdate> updates;
  std::vector<std::string> lines;
  for (SlotList list : {SlotList::Pictures, SlotList::Sounds}) {
    const std::optional<ChosenFolders> chosen = ReadChosenFolders(ini, list);
    if (!chosen) continue;
    const std::vector<std::string> listed = ListedEntries(ini, list);
    std::optional<ListUpdate> update = Relisted(list, *chosen, listed, services.tree, console);
    if (!update) return kListsFailed;
    const int added = CountNotIn(update->entries, listed), gone = CountNotIn(listed, update->entries);
    lines.push_back(std::to_string(added) + " new " + Noun(added, list) + ", " + std::to_string(gone) + " gone; " +
                    std::to_string(update->entries.size()) + " listed.");
    updates.push_back(std::move(*update));
  }
  if (updates.empty()) {
    console.Err(std::string(kErrorPrefix) + "Nothing to refresh: no folders were chosen for " + iniPath +
                " (lumora-lists --pictures FOLDER chooses them)");
    return kListsFailed;
  }
  if (!WriteLists(services, iniPath, updates, false, console)) return kListsFailed;
  for (const std::string& line : lines) console.Out(line);
  return kListsSucceeded;
}

// For setup, which keeps a list that holds entries and opens its page at the list's folder.
int PrintSource(const std::string& iniPath, SlotList list, const ListsServices& services, ListsConsole& console) {
  const TIniFile ini(services.profiles, iniPath);
  if (services.tree.KindOf(iniPath) != PathKind::File || ListedEntries(ini, list).empty()) return kListsFailed;
  console.Out(ListSource(ini, list));
  return kListsSucceeded;
}

int Check(const ListsRequest& request, FileTree& tree, ListsConsole& console) {
  std::vector<ListUpdate> updates;
  if (!CollectLists(request, tree, console, updates)) return kListsFailed;
  for (const ListUpdate& update : updates)
    console.Out(Count(static_cast<int>(update.entries.size()), update.list) + " found");
  return kListsSucceeded;
}

int Update(const ListsRequest& request, const ListsServices& services, ListsConsole& console) {
  const std::optional<std::string> ini = request.ini ? request.ini : services.defaultIni;
  if (!ini && !request.check) {
    console.Err(kErrorPrefix + std::string("--ini is needed: this system has no Windows directory"));
    return kListsBadUsage;
  }
  if (request.check) return Check(request, services.tree, console);
  const std::string iniPath = services.tree.FullPath(*ini);
  if (request.refresh) return Refresh(iniPath, services, console);
  if (request.source) return PrintSource(iniPath, *request.source, services, console);
  if (request.choose) {
    if (services.chooser && services.boxes) return ChooseLists(iniPath, services);
    console.Err(kErrorPrefix + std::string("--choose needs the system's folder dialog: name the folders with "
                                           "--pictures and --sounds"));
    return kListsBadUsage;
  }
  const std::optional<UpdateResult> result = CollectAndWrite(request, iniPath, services, console);
  return result ? Report(*result, iniPath, request.append, console) : kListsFailed;
}

}  // namespace

std::string ListSource(const TIniFile& ini, SlotList list) {
  if (const std::optional<ChosenFolders> chosen = ReadChosenFolders(ini, list)) return chosen->arguments.front();
  const std::vector<std::string> listed = ListedEntries(ini, list);
  const size_t slash = listed.empty() ? std::string::npos : listed.front().find_last_of("\\/");
  return slash == std::string::npos ? std::string() : listed.front().substr(0, slash);
}

std::string Count(int count, SlotList list) { return std::to_string(count) + " " + Noun(count, list); }

std::string LeftOutLine(const ListOutcome& outcome, const std::string& iniPath) {
  return Count(outcome.leftOut, outcome.list) + " left out: no free slot left in the " + ListName(outcome.list) +
         " of " + iniPath;
}

std::optional<UpdateResult> CollectAndWrite(const ListsRequest& request, const std::string& iniPath,
                                            const ListsServices& services, ListsConsole& console) {
  std::vector<ListUpdate> updates;
  if (!CollectLists(request, services.tree, console, updates)) return std::nullopt;
  return WriteLists(services, iniPath, updates, request.append, console);
}

void StdioConsole::Out(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
}

void StdioConsole::Err(const std::string& line) {
  std::fputs(line.c_str(), stderr);
  std::fputc('\n', stderr);
}

void BoxConsole::Out(const std::string& line) { lines_.push_back(line); }

void BoxConsole::Err(const std::string& line) {
  lines_.push_back(line.rfind(kErrorPrefix, 0) == 0 ? line.substr(std::string(kErrorPrefix).size()) : line);
}

void BoxConsole::Show(int exitCode) const {
  if (lines_.empty()) return;
  boxes_.Show(exitCode == kListsSucceeded ? BoxKind::Information : BoxKind::Error, BoxText(lines_), BoxButtons::Ok);
}

std::string BoxText(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size() && i < kBoxLines; ++i) text += (i > 0 ? "\n" : "") + lines[i];
  if (lines.size() > kBoxLines) text += "\n... and " + std::to_string(lines.size() - kBoxLines) + " more lines";
  return text;
}

int RunLumoraLists(const std::vector<std::string>& arguments, const ListsServices& services, ListsConsole& console) {
  ListsRequest request;
  try {
    request = ParseListsCommandLine(arguments);
  } catch (const UsageError& error) {
    console.Err(kErrorPrefix + std::string(error.what()));
    return kListsBadUsage;
  }
  switch (request.action) {
    case ListsAction::Help:
      for (const std::string& line : ListsUsage()) console.Out(line);
      return kListsSucceeded;
    case ListsAction::Version:
      console.Out("lumora-lists " LUMORA_VERSION);
      return kListsSucceeded;
    case ListsAction::Update:
      break;
  }
  return Update(request, services, console);
}

}  // namespace lumora
