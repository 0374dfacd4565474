#pragma once
// What the runs of the command line, --refresh and --choose share: the lines they say and the writing.
#include <optional>
#include <string>
#include <vector>

#include "lumora-lists/ListsCommandLine.h"
#include "lumora-lists/LumoraLists.h"
#include "lumora-lists/SettingsUpdate.h"

namespace lumora {

inline constexpr const char* kErrorPrefix = "lumora-lists: ";
// A list is written whole into the slots it has.
inline constexpr int kListCapacity = kSlotCount;

// "1,200": people read counts of thousands with a separator.
std::string Thousands(int count);
// "picture" or "pictures", "sound" or "sounds".
std::string Noun(int count, SlotList list);
// "1 picture", "312 pictures", "1,200 sounds".
std::string Count(int count, SlotList list);
// "picture list", "sound list".
std::string ListName(SlotList list);

// The first line of a report of a list written: what the saver will show or play. With a library larger than
// the list, whose other files come with the next listings: "Lumora will show 500 of your 1,200 pictures now, and
// the others at the next refreshes."
std::string WillShowLine(const ListOutcome& outcome);
// The line that says how many entries of a list found no free slot.
std::string LeftOutLine(const ListOutcome& outcome, const std::string& iniPath);
// A list is never emptied by a run that found nothing to put into it.
std::string NoneFoundLine(SlotList list, const std::vector<std::string>& arguments);

// Where a list came from last time: the first folder chosen for it, else that of its first file; empty when
// it holds no entry.
std::string ListSource(const SettingsStore& ini, SlotList list);

// The files of the lists the request names, written into the settings file `iniPath` (a full path). A list
// made again from the folders it was made from goes on where the last listing stopped. The lines about files
// left out and what went wrong go to the console; nothing comes back when nothing was written. `eachList`: a
// list for which nothing was found stays as it is while the other is written.
std::optional<UpdateResult> CollectAndWrite(const ListsRequest& request, const std::string& iniPath,
                                            const ListsServices& services, ListsConsole& console,
                                            bool eachList = false);

// The lists written into the settings file; what went wrong goes to the console, and nothing comes back when
// nothing was written.
std::optional<UpdateResult> WriteLists(const ListsServices& services, const std::string& iniPath,
                                       const std::vector<ListUpdate>& updates, bool append, ListsConsole& console);

// lumora-lists --refresh: each list made again from the folders it was made from. A folder away now (a drive
// unplugged, a share asleep, another user's) keeps its entries; one gone from a folder that can be read is
// forgotten. `quiet`: a settings file with no folders chosen is no fault. Returns the exit code.
int RefreshLists(const std::string& iniPath, const ListsServices& services, ListsConsole& console, bool quiet);

}  // namespace lumora
