#pragma once
// What the runs of the command line and --choose share.
#include <optional>
#include <string>

#include "lumora-lists/ListsCommandLine.h"
#include "lumora-lists/LumoraLists.h"
#include "lumora-lists/SettingsUpdate.h"

namespace lumora {

inline constexpr const char* kErrorPrefix = "lumora-lists: ";

// "1 picture", "312 pictures", "2 sounds".
std::string Count(int count, SlotList list);

// Where a list came from last time: the first folder chosen for it, else that of its first file; empty when
// it holds no entry.
std::string ListSource(const TIniFile& ini, SlotList list);

// The line that says how many entries of a list found no free slot.
std::string LeftOutLine(const ListOutcome& outcome, const std::string& iniPath);

// The files of the lists the request names, written into the settings file `iniPath` (a full path). The lines
// about files left out and what went wrong go to the console; nothing comes back when nothing was written.
std::optional<UpdateResult> CollectAndWrite(const ListsRequest& request, const std::string& iniPath,
                                            const ListsServices& services, ListsConsole& console);

}  // namespace lumora
