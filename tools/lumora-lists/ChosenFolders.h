#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "settings_file/SettingsFile.h"
#include "settings_file/SettingsStore.h"

namespace lumora {

// A folder or file chosen for a list (a full path), and whether the folder's subfolders are taken too.
struct ChosenPlace {
  std::string path;
  bool subfolders = false;
};

// What a list was last made from: the places chosen, and, when they held more files than the list takes, the file
// the next listing starts at.
struct ChosenFolders {
  std::vector<ChosenPlace> places;
  std::optional<std::string> next;
};

// The same places, letter case aside, each taken the same way.
bool SameChoice(const ChosenFolders& a, const ChosenFolders& b, const CodePage& codePage);

// Kept in the settings file in a section of this program's own, which the saver and its settings window never
// read, so that --refresh can list the same folders again.
inline constexpr const char* kChosenSection = "Lumora Lists";

// At most this many folders and files are remembered for a list: those chosen, and the files of a list that
// --append found there before.
inline constexpr int kMostChosen = 2 * kSlotCount;

// Nothing when the list was never made by this program.
std::optional<ChosenFolders> ReadChosenFolders(const SettingsStore& ini, SlotList list);
void WriteChosenFolders(SettingsStore& ini, SlotList list, const ChosenFolders& chosen);

}  // namespace lumora
