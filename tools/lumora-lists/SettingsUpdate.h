#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/FileTree.h"
#include "platform/ProfileFiles.h"
#include "lumora-lists/ChosenFolders.h"
#include "settings_file/SettingsFile.h"

namespace lumora {

struct ListUpdate {
  SlotList list;
  std::vector<std::string> entries;
  ChosenFolders chosen;  // remembered for --refresh; with --append added to what was remembered
};

struct ListOutcome {
  SlotList list;
  int placed = 0;
  int leftOut = 0;
  int alreadyListed = 0;
};

struct UpdateResult {
  bool created = false;
  std::vector<ListOutcome> lists;
  bool soundSwitchedOn = false;  // sounds went into an empty sound list
  std::optional<std::string> error;  // set when the settings file is as it was before
};

// Writes the lists into the settings file `iniPath` (a full path), replacing each list or, with `append`,
// adding to it. Everything is written into a copy in the same folder, which then takes the file's place, so the
// file is never left half-written. A missing file is made first as the settings window makes it. Sounds written
// into an empty sound list switch the sound on, so that the sounds just chosen play.
UpdateResult UpdateSettingsFile(FileTree& tree, ProfileFiles& profiles, const std::string& iniPath,
                                const std::vector<ListUpdate>& updates, bool append);

// The entries of a list, slot by slot, free slots left out.
std::vector<std::string> ListedEntries(const TIniFile& ini, SlotList list);

// The copy that UpdateSettingsFile writes before it takes the place of `iniPath`.
std::string WorkingCopyOf(const std::string& iniPath);
// Where the settings file waits, on a system without a replacing move, while its copy takes its place.
inline constexpr const char* kReplacedListsSuffix = ".lists-old";

}  // namespace lumora
