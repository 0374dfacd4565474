#pragma once
#include <string>

#include "lumora-lists/LumoraLists.h"

namespace lumora {

// lumora-lists --choose: the folder of pictures, and if the user likes one of sounds, chosen in the system's
// folder dialog and listed with their subfolders into the settings file `iniPath` (a full path), remembered for
// --refresh as --pictures and --sounds remember them. Every message is a box, the last one saying what was done.
// `services` must have the dialog and the boxes. Returns the exit code.
int ChooseLists(const std::string& iniPath, const ListsServices& services);

}  // namespace lumora
