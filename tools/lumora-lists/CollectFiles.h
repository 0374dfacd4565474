#pragma once
#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "lumora-lists/ChosenFolders.h"
#include "platform/FileTree.h"
#include "settings_file/SettingsFile.h"

namespace lumora {

// Paths of this many characters or more are left out: the store keeps values of at most
// kMaxProfileValueLength.
inline constexpr size_t kTooLongPath = kMaxProfileValueLength + 1;

// Told how a long listing goes, and asked between two steps whether to go on.
class ListingProgress {
 public:
  virtual ~ListingProgress() = default;
  // A folder is being read; `found` files of the list's kind so far. False: stop.
  virtual bool Reading(const std::string& folder, int found) = 0;
  // `taken` of the at most `total` files the list takes have been looked into and taken. False: stop.
  virtual bool Checking(int taken, int total) = 0;
  // The run was started without the user (at sign-in): it shows itself without getting in the way.
  virtual void StayInTheBackground() {}
};

// Thrown out of CollectFiles when the progress said to stop: the user ended the run, and nothing of it is to be
// written.
struct ListingStopped {};

// Which of the files found a list takes: at most `capacity` of them, from the first at or after `start` in list
// order, going round to the beginning, so that a library larger than the list comes on screen in turn.
struct Selection {
  int capacity = INT_MAX;
  std::optional<std::string> start;
};

// The files the places of one list name, and the lines that report the rest.
struct CollectedFiles {
  std::vector<std::string> paths;    // those taken, in list order, each holding what its name says
  int found = 0;                     // files of the list's kind, their content not looked into
  std::optional<std::string> next;   // where the next listing starts, when not every file found was looked into
  std::vector<std::string> skipped;  // files and folders left out, one line each
  std::vector<std::string> errors;   // places that name nothing usable, one line each
};

// Whether `path` is `place` or lies somewhere inside it, letter case aside.
bool LiesIn(const std::string& path, const std::string& place, const CodePage& codePage);
// Whether a listing of `place` takes `path`: the place itself, or inside it (right inside, without subfolders).
bool Covers(const ChosenPlace& place, const std::string& path, const CodePage& codePage);

// ".jpg", ".jpeg" or ".bmp" for pictures, ".wav" or ".mid" for sounds, in any letter case.
bool IsListFile(SlotList list, const std::string& path);

// Each place (a full path) is one file of the list's kind or a folder, whose files of that kind are taken in
// natural order, then, with its subfolders, those of each subfolder in natural order; a file found through two
// places is taken once. Below a folder chosen, a folder that cannot be read is passed over with a line. Only the
// files taken are opened, each for its first bytes, so a large library costs little more than its folders'
// listing. A progress that says to stop ends it with ListingStopped.
CollectedFiles CollectFiles(FileTree& tree, SlotList list, const std::vector<ChosenPlace>& places,
                            const Selection& selection = {}, ListingProgress* progress = nullptr);

}  // namespace lumora
