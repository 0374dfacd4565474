#pragma once
#include <optional>
#include <string>
#include <vector>

#include "lumora-lists/ChosenFolders.h"
#include "platform/FileTree.h"
#include "settings_file/SettingsFile.h"

namespace lumora {

struct ListUpdate {
  SlotList list;
  std::vector<std::string> entries;
  ChosenFolders chosen;  // remembered for --refresh; with --append added to what was remembered
  int found = 0;         // files found in the folders, of which `entries` are those taken now
  // A refresh's: the places the file named when its walk began. Another run that chose others meanwhile has the
  // last word: the list is left as that run made it.
  std::optional<ChosenFolders> chosenBefore;
};

struct ListOutcome {
  SlotList list;
  int placed = 0;
  int leftOut = 0;
  int alreadyListed = 0;
  int found = 0;
  bool more = false;  // files found that were not looked into come with the next listings
};

struct UpdateResult {
  bool created = false;
  std::vector<ListOutcome> lists;
  std::vector<SlotList> choiceChanged;  // lists left alone: other folders were chosen while the refresh ran
  bool soundSwitchedOn = false;         // sounds went into an empty sound list
  bool putBackAfterStoppedRun = false;  // an earlier run left the file half-written: it holds what it held before
  std::optional<std::string> error;     // set when the settings file is as it was before
};

// Writes the lists into the settings file `iniPath` (a full path), replacing each list or, with `append`,
// adding to it. Runs of this program on one file take turns: each reads the file whole into memory, changes it
// there and rewrites the file itself (RewriteGuarded) before the next may read it, so that a user who may write
// the file but not its folder can change it, a stopped run never leaves it half-written, and no run writes back
// what another changed meanwhile. A missing file is made first as the settings window makes it. Sounds written
// into an empty sound list switch the sound on, so that the sounds just chosen play.
UpdateResult UpdateSettingsFile(FileTree& tree, const std::string& iniPath, const std::vector<ListUpdate>& updates,
                                bool append);

// The entries of a list, slot by slot, free and empty slots (or slots the file lacks) left out.
std::vector<std::string> ListedEntries(const SettingsStore& ini, SlotList list);

// What a user who may not write the settings file is told.
std::string NotAllowedLine(const std::string& iniPath);
// What a run that could not read the settings file says.
std::string CannotReadLine(const std::string& iniPath);

}  // namespace lumora
