#include "lumora-lists/CollectFiles.h"

#include <algorithm>
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

// The ANSI file functions of Windows put "?" for each character of a name that the code page lacks; no real
// Windows file name holds "?" or "*".
bool FitsCodePage(std::string_view path) {
  return std::none_of(path.begin(), path.end(), [](char c) { return c == '?' || c == '*'; });
}

// "img2" before "img10"; in one folder its files before its subfolders, as the walk takes them.
bool ComesBefore(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    const bool aFile = i + 1 == a.size(), bFile = i + 1 == b.size();
    if (!aFile && !bFile && SameIgnoringAsciiCase(a[i], b[i])) continue;
    if (aFile != bFile) return aFile;
    return NaturalLess(a[i], b[i]);
  }
  return a.size() < b.size();
}

// A folder's entries by name; pointers sort faster than the entries themselves.
std::vector<FolderEntry*> InNaturalOrder(std::vector<FolderEntry>& entries) {
  std::vector<FolderEntry*> sorted;
  sorted.reserve(entries.size());
  for (FolderEntry& entry : entries) sorted.push_back(&entry);
  std::sort(sorted.begin(), sorted.end(),
            [](const FolderEntry* a, const FolderEntry* b) { return NaturalLess(a->name, b->name); });
  return sorted;
}

std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> parts;
  size_t begin = 0;
  for (size_t at = path.find_first_of("\\/"); at != std::string::npos; at = path.find_first_of("\\/", begin)) {
    parts.push_back(path.substr(begin, at - begin));
    begin = at + 1;
  }
  parts.push_back(path.substr(begin));
  return parts;
}

class Collector {
 public:
  Collector(FileTree& tree, SlotList list, bool recursive, ListingProgress* progress)
      : tree_(tree), list_(list), recursive_(recursive), progress_(progress) {}

  void AddArgument(const std::string& argument) {
    const std::string path = tree_.FullPath(argument);
    arguments_.push_back(path);
    switch (tree_.KindOf(path)) {
      case PathKind::Missing:
        collected_.errors.push_back("No such folder or file: " + argument);
        break;
      case PathKind::File:
        if (IsListFile(list_, path))
          AddFile(NewFolder({}), path);
        else
          collected_.errors.push_back("Not " + std::string(KindText(list_)) + ": " + path);
        break;
      case PathKind::Folder:
        AddFolder(path);
        break;
    }
  }

  // The files taken from those found, each looked into; one whose content is not what its name says makes room
  // for the next.
  CollectedFiles Take(const Selection& selection) {
    const size_t count = found_.size(), first = StartIndex(selection.start);
    std::vector<size_t> taken;
    size_t looked = 0;
    const int total = std::min(static_cast<int>(count), selection.capacity);
    for (; looked < count && taken.size() < static_cast<size_t>(selection.capacity); ++looked) {
      const size_t index = (first + looked) % count;
      if (HoldsWhatItsNameSays(PathOf(found_[index]))) taken.push_back(index);
      if (progress_ && !progress_->Checking(static_cast<int>(looked + 1), total)) throw ListingStopped{};
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
    size_t argument;     // the index of the argument it was found through
    bool fits;           // the prefix fits the code page
  };
  struct FoundFile {
    size_t folder;
    std::string name;
  };

  size_t NewFolder(std::string prefix) {
    const bool fits = FitsCodePage(prefix);
    folders_.push_back({std::move(prefix), arguments_.size() - 1, fits});
    return folders_.size() - 1;
  }

  std::string PathOf(const FoundFile& file) const { return folders_[file.folder].prefix + file.name; }

  // Letter case aside, without making the file's path.
  bool IsPathOf(const FoundFile& file, std::string_view path) const {
    const std::string& prefix = folders_[file.folder].prefix;
    return path.size() == prefix.size() + file.name.size() &&
           SameIgnoringAsciiCase(path.substr(0, prefix.size()), prefix) &&
           SameIgnoringAsciiCase(path.substr(prefix.size()), file.name);
  }

  // A name the code page lacks characters for is listed by its short name, which the saver's ANSI functions open.
  void AddFile(size_t folder, std::string name, const std::string& shortName = {}) {
    const std::string& prefix = folders_[folder].prefix;
    const bool fits = folders_[folder].fits && FitsCodePage(name);
    if (!fits && !shortName.empty() && folders_[folder].fits && FitsCodePage(shortName)) {
      collected_.skipped.push_back("Listed by its short name " + prefix + shortName +
                                   ", as its name has characters the system's code page lacks: " + prefix + name);
      AddFile(folder, shortName);
      return;
    }
    if (prefix.size() + name.size() >= kTooLongPath)
      collected_.skipped.push_back("Skipped, its path has " + std::to_string(kTooLongPath) +
                                   " characters or more: " + prefix + name);
    else if (!fits)
      collected_.skipped.push_back("Skipped, its name has characters the system's code page lacks: " + prefix + name);
    else
      found_.push_back({folder, std::move(name)});
  }

  bool HoldsWhatItsNameSays(const std::string& path) {
    const std::optional<std::vector<uint8_t>> head = tree_.ReadHead(path, kHeadBytes);
    const bool holds = head && (list_ == SlotList::Pictures ? HasPictureSignature(path, *head)
                                                            : HasSoundSignature(path, *head));
    if (!holds) collected_.skipped.push_back("Skipped, not " + std::string(ContentText(list_)) + " inside: " + path);
    return holds;
  }

  void AddFolder(const std::string& folder) {
    if (progress_ && !progress_->Reading(folder, static_cast<int>(found_.size()))) throw ListingStopped{};
    std::optional<std::vector<FolderEntry>> entries = tree_.List(folder);
    if (!entries) {
      collected_.errors.push_back("Cannot read the folder " + folder);
      return;
    }
    const std::vector<FolderEntry*> sorted = InNaturalOrder(*entries);
    const size_t index = NewFolder(tree_.Join(folder, ""));
    for (FolderEntry* entry : sorted) {
      if (entry->isFolder) continue;
      if (IsListFile(list_, entry->name))
        AddFile(index, std::move(entry->name), entry->shortName);
      else
        others_.push_back(std::move(entry->name));
    }
    if (!recursive_) return;
    for (const FolderEntry* entry : sorted) {
      if (!entry->isFolder) continue;
      const std::string path = tree_.Join(folder, entry->name), shortPath = ShortPathOf(folder, *entry);
      AddFolder(FitsCodePage(path) || shortPath.empty() ? path : shortPath);
    }
  }

  std::string ShortPathOf(const std::string& folder, const FolderEntry& entry) {
    return entry.shortName.empty() ? std::string() : tree_.Join(folder, entry.shortName);
  }

  // The file `start` names, or, when it is gone, the first that the walk takes after where it stood.
  size_t StartIndex(const std::optional<std::string>& start) const {
    if (!start) return 0;
    for (size_t index = 0; index < found_.size(); ++index)
      if (IsPathOf(found_[index], *start)) return index;
    size_t argument = 0;
    while (argument < arguments_.size() && !LiesIn(*start, arguments_[argument])) ++argument;
    if (argument == arguments_.size()) return 0;
    const std::vector<std::string> startParts = Components(*start);
    for (size_t index = 0; index < found_.size(); ++index) {
      const size_t fileArgument = folders_[found_[index].folder].argument;
      if (fileArgument > argument ||
          (fileArgument == argument && ComesBefore(startParts, Components(PathOf(found_[index])))))
        return index;
    }
    return 0;
  }

  FileTree& tree_;
  SlotList list_;
  bool recursive_;
  ListingProgress* progress_;
  CollectedFiles collected_;
  std::vector<std::string> arguments_;  // full paths
  std::vector<Folder> folders_;
  std::vector<FoundFile> found_;  // files of the list's kind, in list order
  std::vector<std::string> others_;  // files of the folders that are not of the list's kind
};

}  // namespace

bool LiesIn(const std::string& path, const std::string& argument) {
  return SameIgnoringAsciiCase(path, argument) ||
         (path.size() > argument.size() + 1 && SameIgnoringAsciiCase(path.substr(0, argument.size()), argument) &&
          (path[argument.size()] == '\\' || path[argument.size()] == '/'));
}

bool IsListFile(SlotList list, const std::string& path) {
  return list == SlotList::Pictures ? HasPictureExtension(path) : HasSoundExtension(path);
}

CollectedFiles CollectFiles(FileTree& tree, SlotList list, const std::vector<std::string>& arguments, bool recursive,
                            const Selection& selection, ListingProgress* progress) {
  Collector collector(tree, list, recursive, progress);
  for (const std::string& argument : arguments) collector.AddArgument(argument);
  return collector.Take(selection);
}

}  // namespace lumora
