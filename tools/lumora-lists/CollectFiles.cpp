#include "lumora-lists/CollectFiles.h"

#include <algorithm>
#include <map>
#include <set>
#include <span>
#include <string_view>
#include <utility>

#include "image/PictureFile.h"
#include "lumora-lists/NaturalOrder.h"
#include "platform/AsciiCase.h"

namespace lumora {

namespace {

// Read far enough for every signature: a wave file says "WAVE" after "RIFF" and its size.
constexpr size_t kHeadBytes = 12;
// A report names at most this many of the other files of the folders.
constexpr size_t kNamedOthers = 10;
constexpr char kOutsideCodePage[] = "its name has characters the system's code page lacks: ";

bool IsWaveFile(const std::string& path) { return EndsWithIgnoringAsciiCase(path, ".wav"); }
bool IsMidiFile(const std::string& path) { return EndsWithIgnoringAsciiCase(path, ".mid"); }
bool HasSoundExtension(const std::string& path) { return IsWaveFile(path) || IsMidiFile(path); }

bool StartsWith(std::span<const uint8_t> bytes, size_t at, std::string_view text) {
  return bytes.size() >= at + text.size() && std::equal(text.begin(), text.end(), bytes.begin() + at);
}

bool HasSoundSignature(const std::string& path, std::span<const uint8_t> head) {
  if (IsWaveFile(path)) return StartsWith(head, 0, "RIFF") && StartsWith(head, 8, "WAVE");
  return IsMidiFile(path) && StartsWith(head, 0, "MThd");
}

const char* KindText(SlotList list) {
  return list == SlotList::Pictures ? "a picture file (.jpg, .jpeg or .bmp)" : "a sound file (.wav or .mid)";
}

const char* ContentText(SlotList list) {
  return list == SlotList::Pictures ? "a JPEG or bitmap picture" : "a wave or MIDI file";
}

// "3 files skipped: pic.png, anim.gif, notes.txt are not JPEG or bitmap pictures"
std::string OthersLine(SlotList list, const std::vector<std::string>& names) {
  const bool one = names.size() == 1;
  std::string line = std::to_string(names.size()) + (one ? " file skipped: " : " files skipped: ");
  for (size_t i = 0; i < names.size() && i < kNamedOthers; ++i) line += (i > 0 ? ", " : "") + names[i];
  if (names.size() > kNamedOthers) line += " and " + std::to_string(names.size() - kNamedOthers) + " more";
  if (one) return line + " is not " + ContentText(list);
  return line + (list == SlotList::Pictures ? " are not JPEG or bitmap pictures" : " are not wave or MIDI files");
}

// A folder below the one chosen that the walk could not read.
std::string PassedOverLine(ListFailure failure, const std::string& folder) {
  switch (failure) {
    case ListFailure::Gone: return "Passed over, it was deleted while the folders were read: " + folder;
    case ListFailure::TooLong: return "Passed over, its path is too long for Windows: " + folder;
    default: return "Passed over, it cannot be read: " + folder;
  }
}

// The ANSI file functions of Windows put "?" for each character of a name that the code page lacks; no real
// Windows file name holds "?" or "*".
bool FitsCodePage(std::string_view path) {
  return std::none_of(path.begin(), path.end(), [](char c) { return c == '?' || c == '*'; });
}

bool Spelled(const FolderEntry& entry) { return entry.inCodePage && FitsCodePage(entry.name); }

// A folder's entries by name; pointers sort faster than the entries themselves.
std::vector<FolderEntry*> InNaturalOrder(std::vector<FolderEntry>& entries) {
  std::vector<FolderEntry*> sorted;
  sorted.reserve(entries.size());
  for (FolderEntry& entry : entries) sorted.push_back(&entry);
  std::sort(sorted.begin(), sorted.end(),
            [](const FolderEntry* a, const FolderEntry* b) { return NaturalLess(a->name, b->name); });
  return sorted;
}

class Collector {
 public:
  Collector(FileTree& tree, SlotList list, ListingProgress* progress)
      : tree_(tree), codePage_(tree.PathCodePage()), list_(list), progress_(progress) {}

  void AddPlace(const ChosenPlace& place) {
    const std::string& path = place.path;
    places_.push_back(path);
    switch (tree_.KindOf(path)) {
      case PathKind::Missing: collected_.errors.push_back("No such folder or file: " + path); break;
      case PathKind::Unreachable: collected_.errors.push_back("Cannot be reached now: " + path); break;
      case PathKind::File:
        if (!IsListFile(list_, path)) collected_.errors.push_back("Not " + std::string(KindText(list_)) + ": " + path);
        else if (!walked_.count(codePage_.LowerCase(path.substr(0, codePage_.NameStart(path))))) AddNamedFile(path);
        break;
      case PathKind::Folder: AddFolder(path, place.subfolders, true); break;
    }
  }

  // The files taken from those found, each looked into; one whose content is not what its name says makes room
  // for the next.
  CollectedFiles Take(const Selection& selection) {
    const size_t count = found_.size(), first = StartIndex(selection.start);
    const size_t capacity = std::min(count, static_cast<size_t>(std::max(selection.capacity, 0)));
    std::vector<size_t> taken;
    size_t looked = 0;
    for (; looked < count && taken.size() < capacity; ++looked) {
      const size_t index = (first + looked) % count;
      if (HoldsWhatItsNameSays(PathOf(found_[index]))) taken.push_back(index);
      if (progress_ && !progress_->Checking(static_cast<int>(taken.size()), static_cast<int>(capacity)))
        throw ListingStopped{};
    }
    std::sort(taken.begin(), taken.end());
    for (size_t index : taken) collected_.paths.push_back(PathOf(found_[index]));
    collected_.found = static_cast<int>(count);
    if (looked < count) collected_.next = PathOf(found_[(first + looked) % count]);
    if (!others_.empty()) collected_.skipped.push_back(OthersLine(list_, others_));
    return std::move(collected_);
  }

 private:
  // A file found keeps its folder's index and its name, so that a large library's paths are made only for the
  // files taken.
  struct Folder {
    std::string prefix;  // its files' paths start so: its path and a separator; empty for a file named itself
    size_t place;        // the index of the place it was found through
    bool fits;           // the prefix fits the code page
  };
  struct FoundFile {
    size_t folder;
    std::string name;
  };

  size_t NewFolder(std::string prefix) {
    const bool fits = FitsCodePage(prefix);
    folders_.push_back({std::move(prefix), places_.size() - 1, fits});
    return folders_.size() - 1;
  }

  std::string PathOf(const FoundFile& file) const { return folders_[file.folder].prefix + file.name; }

  // Letter case aside, without making the file's path.
  bool IsPathOf(const FoundFile& file, std::string_view path) const {
    const std::string& prefix = folders_[file.folder].prefix;
    return path.size() == prefix.size() + file.name.size() &&
           codePage_.SameIgnoringCase(path.substr(0, prefix.size()), prefix) &&
           codePage_.SameIgnoringCase(path.substr(prefix.size()), file.name);
  }

  void AddNamedFile(const std::string& path) {
    FolderEntry entry{path, false, {}, true};
    AddFile(NewFolder({}), entry);
    namedFiles_.insert(codePage_.LowerCase(path));
  }

  // A name the code page lacks characters for is listed by its short name, which the saver's ANSI functions open.
  void AddFile(size_t folder, FolderEntry& entry) {
    const std::string& prefix = folders_[folder].prefix;
    if (!namedFiles_.empty() && namedFiles_.count(codePage_.LowerCase(prefix + entry.name))) return;
    const bool fits = folders_[folder].fits && Spelled(entry);
    if (!fits && !entry.shortName.empty() && folders_[folder].fits && FitsCodePage(entry.shortName)) {
      collected_.skipped.push_back("Listed by its short name " + prefix + entry.shortName + ", as " + kOutsideCodePage +
                                   prefix + entry.name);
      FolderEntry shortEntry{entry.shortName, false, {}, true};
      AddFile(folder, shortEntry);
      return;
    }
    if (prefix.size() + entry.name.size() >= kTooLongPath)
      collected_.skipped.push_back("Skipped, its path has " + std::to_string(kTooLongPath) +
                                   " characters or more: " + prefix + entry.name);
    else if (!fits) collected_.skipped.push_back(std::string("Skipped, ") + kOutsideCodePage + prefix + entry.name);
    else found_.push_back({folder, std::move(entry.name)});
  }

  bool HoldsWhatItsNameSays(const std::string& path) {
    const std::optional<std::vector<uint8_t>> head = tree_.ReadHead(path, kHeadBytes);
    if (!head) {
      collected_.skipped.push_back("Skipped, it cannot be read: " + path);
      return false;
    }
    const bool holds = list_ == SlotList::Pictures ? HasPictureSignature(path, *head) : HasSoundSignature(path, *head);
    if (!holds) collected_.skipped.push_back("Skipped, not " + std::string(ContentText(list_)) + " inside: " + path);
    return holds;
  }

  // Each folder is listed once, however many places reach it; one listed before without its subfolders may be
  // reached again with them.
  void AddFolder(const std::string& folder, bool subfolders, bool chosen) {
    if (progress_ && !progress_->Reading(folder, static_cast<int>(found_.size()))) throw ListingStopped{};
    const auto [walked, fresh] = walked_.try_emplace(codePage_.LowerCase(tree_.Join(folder, "")), subfolders);
    if (!fresh && (walked->second || !subfolders)) return;
    walked->second |= subfolders;
    FolderListing listing = tree_.List(folder);
    if (listing.failure != ListFailure::None) {
      // The folder chosen must be read; below it, one that cannot be is passed over, and the rest listed.
      if (chosen) collected_.errors.push_back("Cannot read the folder " + folder);
      else collected_.skipped.push_back(PassedOverLine(listing.failure, folder));
      return;
    }
    const std::vector<FolderEntry*> sorted = InNaturalOrder(listing.entries);
    if (fresh) AddFiles(folder, sorted);
    if (subfolders)
      for (const FolderEntry* entry : sorted)
        if (entry->isFolder) AddSubfolder(folder, *entry);
  }

  void AddFiles(const std::string& folder, const std::vector<FolderEntry*>& sorted) {
    const size_t index = NewFolder(tree_.Join(folder, ""));
    for (FolderEntry* entry : sorted) {
      if (entry->isFolder) continue;
      if (IsListFile(list_, entry->name)) AddFile(index, *entry);
      else others_.push_back(std::move(entry->name));
    }
  }

  void AddSubfolder(const std::string& folder, const FolderEntry& entry) {
    if (Spelled(entry)) AddFolder(tree_.Join(folder, entry.name), true, false);
    else if (!entry.shortName.empty() && FitsCodePage(entry.shortName))
      AddFolder(tree_.Join(folder, entry.shortName), true, false);
    else collected_.skipped.push_back(std::string("Passed over, ") + kOutsideCodePage + tree_.Join(folder, entry.name));
  }

  // "img2" before "img10"; in one folder its files before its subfolders, as the walk takes them.
  bool ComesBefore(const std::vector<std::string>& a, const std::vector<std::string>& b) const {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
      const bool aFile = i + 1 == a.size(), bFile = i + 1 == b.size();
      if (!aFile && !bFile && codePage_.SameIgnoringCase(a[i], b[i])) continue;
      if (aFile != bFile) return aFile;
      return NaturalLess(a[i], b[i]);
    }
    return a.size() < b.size();
  }

  // The file `start` names, or, when it is gone, the first that the walk takes after where it stood.
  size_t StartIndex(const std::optional<std::string>& start) const {
    if (!start) return 0;
    for (size_t index = 0; index < found_.size(); ++index)
      if (IsPathOf(found_[index], *start)) return index;
    size_t place = 0;
    while (place < places_.size() && !LiesIn(*start, places_[place], codePage_)) ++place;
    if (place == places_.size()) return 0;
    const std::vector<std::string> startParts = codePage_.Components(*start);
    for (size_t index = 0; index < found_.size(); ++index) {
      const size_t filePlace = folders_[found_[index].folder].place;
      if (filePlace > place ||
          (filePlace == place && ComesBefore(startParts, codePage_.Components(PathOf(found_[index])))))
        return index;
    }
    return 0;
  }

  FileTree& tree_;
  const CodePage& codePage_;
  SlotList list_;
  ListingProgress* progress_;
  CollectedFiles collected_;
  std::vector<std::string> places_;  // full paths
  std::vector<Folder> folders_;
  std::vector<FoundFile> found_;        // files of the list's kind, in list order
  std::vector<std::string> others_;     // files of the folders that are not of the list's kind
  std::map<std::string, bool> walked_;  // each folder listed (its path and a separator, in lower case): with its
                                        // subfolders?
  std::set<std::string> namedFiles_;    // files chosen by name, in lower case
};

}  // namespace

bool LiesIn(const std::string& path, const std::string& place, const CodePage& codePage) {
  if (codePage.SameIgnoringCase(path, place)) return true;
  if (path.size() <= place.size() || !codePage.SameIgnoringCase(std::string_view(path).substr(0, place.size()), place))
    return false;
  return codePage.EndsWithSeparator(place) || codePage.IsSeparatorAt(path, place.size());
}

bool Covers(const ChosenPlace& place, const std::string& path, const CodePage& codePage) {
  return LiesIn(path, place.path, codePage) && (place.subfolders || codePage.NameStart(path) <= place.path.size() + 1);
}

bool IsListFile(SlotList list, const std::string& path) {
  return list == SlotList::Pictures ? HasPictureExtension(path) : HasSoundExtension(path);
}

CollectedFiles CollectFiles(FileTree& tree, SlotList list, const std::vector<ChosenPlace>& places,
                            const Selection& selection, ListingProgress* progress) {
  Collector collector(tree, list, progress);
  for (const ChosenPlace& place : places) collector.AddPlace(place);
  return collector.Take(selection);
}

}  // namespace lumora
