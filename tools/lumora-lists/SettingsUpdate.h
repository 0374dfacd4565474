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
  int found = 0;         // files found in the folders, of which `entries` are those taken now
};

struct ListOutcome {
  SlotList list;
  int placed = 0;
  int leftOut = 0;
  int alreadyListed = 0;
  int found = 0;
};

struct UpdateResult {
  bool created = false;
  std::vector<ListOutcome> lists;
  bool soundSwitchedOn = false;  // sounds went into an empty sound list
  bool putBackAfterStoppedRun = false;  // an earlier run left the file half-written: it holds what it held before
  std::optional<std::string> error;     // set when the settings file is as it was before
};

// Writes the lists into the settings file `iniPath` (a full path), replacing each list or, with `append`,
// adding to it. Everything is written into a copy in the user's temporary folder and checked there; then the
// file itself is rewritten with the copy's content (RewriteGuarded), so that a user who may write the file but
// not its folder can change it, and a stopped run never leaves it half-written. A missing file is made first as
// the settings window makes it. Sounds written into an empty sound list switch the sound on, so that the sounds
// just chosen play. `holdCopy`: the copy is changed in memory (HeldProfileFiles) rather than through `profiles`.
UpdateResult UpdateSettingsFile(FileTree& tree, ProfileFiles& profiles, const std::string& iniPath,
                                const std::vector<ListUpdate>& updates, bool append, bool holdCopy = false);

// The entries of a list, slot by slot, free slots left out.
std::vector<std::string> ListedEntries(const SettingsStore& ini, SlotList list);

// The copy that UpdateSettingsFile writes before it rewrites `iniPath`.
std::string WorkingCopyOf(FileTree& tree, const std::string& iniPath);

// What a user who may not write the settings file is told.
std::string NotAllowedLine(const std::string& iniPath);

}  // namespace lumora
