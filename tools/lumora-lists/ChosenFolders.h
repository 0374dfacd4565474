#pragma once
#include <optional>
#include <string>
#include <vector>

#include "settings_file/SettingsFile.h"
#include "settings_file/TIniFile.h"

namespace lumora {

// What a list was last made from: the folders and files chosen (full paths), and whether subfolders were taken.
struct ChosenFolders {
  std::vector<std::string> arguments;
  bool recursive = false;
};

// Kept in the settings file in a section of this program's own, which the saver and its settings window never
// read, so that --refresh can list the same folders again.
inline constexpr const char* kChosenSection = "Lumora Lists";

// Nothing when the list was never made by this program.
std::optional<ChosenFolders> ReadChosenFolders(const TIniFile& ini, SlotList list);
void WriteChosenFolders(TIniFile& ini, SlotList list, const ChosenFolders& chosen);

}  // namespace lumora
