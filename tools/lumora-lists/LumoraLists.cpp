#include "lumora-lists/LumoraLists.h"

#include "lumora-lists/ChooseLists.h"
#include "lumora-lists/CollectFiles.h"
#include "lumora-lists/HeldProfileFiles.h"
#include "lumora-lists/ListsRun.h"

namespace lumora {

namespace {

ChosenFolders ChoiceOf(const ListsRequest& request, const std::vector<std::string>& arguments, FileTree& tree) {
  ChosenFolders chosen;
  for (const std::string& argument : arguments) chosen.places.push_back({tree.FullPath(argument), request.recursive});
  return chosen;
}

// The files of each list named, with the lines about files left out and arguments at fault; false after an
// error, when nothing may be written. A list made from the folders it was made
// from last time goes on where that listing stopped.
bool CollectLists(const ListsRequest& request, const SettingsStore* ini, const ListsServices& services, bool eachList,
                  ListsConsole& console, std::vector<ListUpdate>& updates) {
  bool usable = true;
  const auto collect = [&](SlotList list, const std::optional<std::vector<std::string>>& arguments) {
    if (!arguments || !usable) return;
    ChosenFolders chosen = ChoiceOf(request, *arguments, services.tree);
    const std::optional<ChosenFolders> before = ini ? ReadChosenFolders(*ini, list) : std::nullopt;
    const bool same = before && SameChoice(*before, chosen, services.tree.PathCodePage());
    const Selection selection{kListCapacity, same ? before->next : std::nullopt};
    CollectedFiles collected = CollectFiles(services.tree, list, chosen.places, selection, services.progress);
    for (const std::string& line : collected.skipped) console.Err(kErrorPrefix + line);
    for (const std::string& line : collected.errors) console.Err(kErrorPrefix + line);
    usable = collected.errors.empty();
    if (usable && collected.paths.empty()) {
      console.Err(kErrorPrefix + NoneFoundLine(list, *arguments));
      usable = eachList && list == SlotList::Sounds && !updates.empty();
      return;
    }
    chosen.next = collected.next;
    updates.push_back({list, std::move(collected.paths), std::move(chosen), collected.found, std::nullopt});
  };
  collect(SlotList::Pictures, request.pictures);
  collect(SlotList::Sounds, request.sounds);
  return usable;
}

// What the saver will show of each list written, and the entries that found no free slot: the list is written
// all the same.
int Report(const UpdateResult& result, const std::string& iniPath, bool append, ListsConsole& console) {
  if (result.created) console.Out("Created the settings file " + iniPath);
  for (const ListOutcome& outcome : result.lists) {
    std::string line = Count(outcome.placed, outcome.list) + (append ? " added to " : " written to ") + iniPath;
    if (outcome.alreadyListed > 0) line += " (" + std::to_string(outcome.alreadyListed) + " listed already)";
    console.Out(!append && outcome.more ? WillShowLine(outcome) : line);
    if (outcome.leftOut > 0) console.Out(LeftOutLine(outcome, iniPath));
  }
  if (result.soundSwitchedOn) console.Out("Sound switched on: the sounds play beside the pictures");
  return kListsSucceeded;
}

// For setup, which keeps a list that holds entries and opens its page at the list's folder.
int PrintSource(const std::string& iniPath, SlotList list, const ListsServices& services, ListsConsole& console) {
  std::optional<HeldProfileFiles> held = ReadSettingsFile(services.tree, iniPath);
  if (!held || services.tree.KindOf(iniPath) != PathKind::File) return kListsFailed;
  const SettingsStore ini(*held, iniPath);
  if (ListedEntries(ini, list).empty()) return kListsFailed;
  console.Out(ListSource(ini, list));
  return kListsSucceeded;
}

int Check(const ListsRequest& request, const ListsServices& services, ListsConsole& console) {
  std::vector<ListUpdate> updates;
  if (!CollectLists(request, nullptr, services, false, console, updates)) return kListsFailed;
  for (const ListUpdate& update : updates) console.Out(Count(update.found, update.list) + " found");
  return kListsSucceeded;
}

int Update(const ListsRequest& request, const ListsServices& services, ListsConsole& console) {
  const std::optional<std::string> ini = request.ini ? request.ini : services.defaultIni;
  if (!ini && !request.check) {
    console.Err(kErrorPrefix + std::string("--ini is needed: this system has no Windows directory"));
    return kListsBadUsage;
  }
  if (request.check) return Check(request, services, console);
  const std::string iniPath = services.tree.FullPath(*ini);
  if (request.refresh) return RefreshLists(iniPath, services, console, request.quiet);
  if (request.source) return PrintSource(iniPath, *request.source, services, console);
  if (request.settingsFile) {
    console.Out(iniPath);
    return kListsSucceeded;
  }
  if (request.choose) {
    if (services.chooser && services.boxes) return ChooseLists(iniPath, services);
    console.Err(kErrorPrefix + std::string("--choose needs the system's folder dialog: name the folders with "
                                           "--pictures and --sounds"));
    return kListsBadUsage;
  }
  const std::optional<UpdateResult> result = CollectAndWrite(request, iniPath, services, console);
  return result ? Report(*result, iniPath, request.append, console) : kListsFailed;
}

int Run(const std::vector<std::string>& arguments, const ListsServices& services, ListsConsole& console, bool& quiet) {
  ListsRequest request;
  try {
    request = ParseListsCommandLine(arguments);
  } catch (const UsageError& error) {
    console.Err(kErrorPrefix + std::string(error.what()));
    return kListsBadUsage;
  }
  quiet = request.quiet;
  if (quiet && services.progress) services.progress->StayInTheBackground();
  switch (request.action) {
    case ListsAction::Help:
      for (const std::string& line : ListsUsage()) console.Out(line);
      return kListsSucceeded;
    case ListsAction::Version: console.Out("lumora-lists " LUMORA_VERSION); return kListsSucceeded;
    case ListsAction::Update: break;
  }
  return Update(request, services, console);
}

}  // namespace

std::string ListSource(const SettingsStore& ini, SlotList list) {
  if (const std::optional<ChosenFolders> chosen = ReadChosenFolders(ini, list)) return chosen->places.front().path;
  const std::vector<std::string> listed = ListedEntries(ini, list);
  const size_t slash = listed.empty() ? std::string::npos : listed.front().find_last_of("\\/");
  return slash == std::string::npos ? std::string() : listed.front().substr(0, slash);
}

std::optional<UpdateResult> CollectAndWrite(const ListsRequest& request, const std::string& iniPath,
                                            const ListsServices& services, ListsConsole& console, bool eachList) {
  std::optional<HeldProfileFiles> held = ReadSettingsFile(services.tree, iniPath);
  if (!held) {
    console.Err(kErrorPrefix + CannotReadLine(iniPath));
    return std::nullopt;
  }
  std::vector<ListUpdate> updates;
  const SettingsStore ini(*held, iniPath);
  if (!CollectLists(request, &ini, services, eachList, console, updates)) return std::nullopt;
  return WriteLists(services, iniPath, updates, request.append, console);
}

std::optional<UpdateResult> WriteLists(const ListsServices& services, const std::string& iniPath,
                                       const std::vector<ListUpdate>& updates, bool append, ListsConsole& console) {
  UpdateResult result = UpdateSettingsFile(services.tree, iniPath, updates, append);
  if (result.putBackAfterStoppedRun)
    console.Err(kErrorPrefix + iniPath +
                " was left half-written by an earlier run that was stopped: it holds again what it held before");
  for (SlotList list : result.choiceChanged)
    console.Err(kErrorPrefix + std::string(list == SlotList::Pictures ? "Other picture" : "Other sound") +
                " folders were chosen while this refresh ran: the " + ListName(list) + " was left as they made it.");
  if (!result.error) return result;
  console.Err(kErrorPrefix + *result.error);
  return std::nullopt;
}

int RunLumoraLists(const std::vector<std::string>& arguments, const ListsServices& services, ListsConsole& console) {
  bool quiet = false;
  int exitCode = kListsStopped;
  try {
    exitCode = Run(arguments, services, console, quiet);
  } catch (const ListingStopped&) {
    // Every list is collected before anything is written, so a stopped run has changed nothing.
    console.Err(kErrorPrefix + std::string("Stopped before the end: nothing was changed."));
  }
  console.Finish(exitCode, quiet);
  return exitCode;
}

}  // namespace lumora
