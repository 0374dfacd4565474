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

bool IsWaveFile(const std::string& path) { return LowerAscii(PictureExtension(path)) == ".wav"; }
bool IsMidiFile(const std::string& path) { return LowerAscii(PictureExtension(path)) == ".mid"; }
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
bool FitsCodePage(const std::string& path) { return path.find_first_of("?*") == std::string::npos; }

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
          AddFile(path);
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
      if (HoldsWhatItsNameSays(found_[index].path)) taken.push_back(index);
      if (progress_ && !progress_->Checking(static_cast<int>(looked + 1), total)) throw ListingStopped{};
    }
    std::sort(taken.begin(), taken.end());
    for (size_t index : taken) collected_.paths.push_back(found_[index].path);
    collected_.found = static_cast<int>(count);
    if (looked < count) collected_.next = found_[(first + looked) % count].path;
    if (!others_.empty()) collected_.skipped.push_back(OthersLine(list_, others_));
    return std::move(collected_);
  }

 private:
  // A name the code page lacks characters for is listed by its short name, which the saver's ANSI functions open.
  void AddFile(std::string path, const std::string& shortPath = {}) {
    if (!FitsCodePage(path) && !shortPath.empty() && FitsCodePage(shortPath)) {
      collected_.skipped.push_back("Listed by its short name " + shortPath +
                                   ", as its name has characters the system's code page lacks: " + path);
      AddFile(shortPath);
      return;
    }
    if (path.size() >= kTooLongPath)
      collected_.skipped.push_back("Skipped, its path has 1024 characters or more: " + path);
    else if (!FitsCodePage(path))
      collected_.skipped.push_back("Skipped, its name has characters the system's code page lacks: " + path);
    else
      found_.push_back({std::move(path), arguments_.size() - 1});
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
    std::sort(entries->begin(), entries->end(),
              [](const FolderEntry& a, const FolderEntry& b) { return NaturalLess(a.name, b.name); });
    for (const FolderEntry& entry : *entries) {
      if (entry.isFolder) continue;
      if (IsListFile(list_, entry.name))
        AddFile(tree_.Join(folder, entry.name), ShortPathOf(folder, entry));
      else
        others_.push_back(entry.name);
    }
    if (!recursive_) return;
    for (const FolderEntry& entry : *entries) {
      if (!entry.isFolder) continue;
      const std::string path = tree_.Join(folder, entry.name), shortPath = ShortPathOf(folder, entry);
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
      if (SameIgnoringAsciiCase(found_[index].path, *start)) return index;
    size_t argument = 0;
    while (argument < arguments_.size() && !LiesIn(*start, arguments_[argument])) ++argument;
    if (argument == arguments_.size()) return 0;
    const std::vector<std::string> startParts = Components(*start);
    for (size_t index = 0; index < found_.size(); ++index) {
      const FoundFile& file = found_[index];
      if (file.argument > argument || (file.argument == argument && ComesBefore(startParts, Components(file.path))))
        return index;
    }
    return 0;
  }

  FileTree& tree_;
  SlotList list_;
  bool recursive_;
  ListingProgress* progress_;
  CollectedFiles collected_;
  struct FoundFile {
    std::string path;
    size_t argument;  // the index of the argument it was found through
  };
  std::vector<std::string> arguments_;  // full paths
  std::vector<FoundFile> found_;        // files of the list's kind, in list order
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
