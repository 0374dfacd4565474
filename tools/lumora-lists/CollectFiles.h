#pragma once
#include <string>
#include <vector>

#include "platform/FileTree.h"
#include "settings_file/SettingsFile.h"

namespace lumora {

// Paths of this many characters or more are left out: the store keeps values of at most 1023.
inline constexpr size_t kTooLongPath = kMaxProfileValueLength + 1;

// The files the arguments of one list name, in list order, and the lines that report the rest.
struct CollectedFiles {
  std::vector<std::string> paths;
  std::vector<std::string> skipped;  // files left out, one line each
  std::vector<std::string> errors;   // arguments that name nothing usable, one line each
};

// ".jpg", ".jpeg" or ".bmp" for pictures, ".wav" or ".mid" for sounds, in any letter case.
bool IsListFile(SlotList list, const std::string& path);

// Each argument is one file of the list's kind or a folder, whose files of that kind are taken in natural
// order, then, with `recursive`, those of each subfolder in natural order. Paths come out full.
CollectedFiles CollectFiles(FileTree& tree, SlotList list, const std::vector<std::string>& arguments, bool recursive);

}  // namespace lumora
