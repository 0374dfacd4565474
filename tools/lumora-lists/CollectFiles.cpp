#include "lumora-lists/CollectFiles.h"

#include <algorithm>
#include <span>
#include <string_view>

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

class Collector {
 public:
  Collector(FileTree& tree, SlotList list, bool recursive) : tree_(tree), list_(list), recursive_(recursive) {}

  void AddArgument(const std::string& argument) {
    const std::string path = tree_.FullPath(argument);
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

  CollectedFiles Take() {
    if (!others_.empty()) collected_.skipped.push_back(OthersLine(list_, others_));
    return std::move(collected_);
  }

 private:
  // A name the code page lacks characters for is listed by its short name, which the saver's ANSI functions open.
  void AddFile(const std::string& path, const std::string& shortPath = {}) {
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
    else if (!HoldsWhatItsNameSays(path))
      collected_.skipped.push_back("Skipped, not " + std::string(ContentText(list_)) + " inside: " + path);
    else
      collected_.paths.push_back(path);
  }

  bool HoldsWhatItsNameSays(const std::string& path) {
    const std::optional<std::vector<uint8_t>> head = tree_.ReadHead(path, kHeadBytes);
    if (!head) return false;
    return list_ == SlotList::Pictures ? HasPictureSignature(path, *head) : HasSoundSignature(path, *head);
  }

  void AddFolder(const std::string& folder) {
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

  FileTree& tree_;
  SlotList list_;
  bool recursive_;
  CollectedFiles collected_;
  std::vector<std::string> others_;  // files of the folders that are not of the list's kind
};

}  // namespace

bool IsListFile(SlotList list, const std::string& path) {
  return list == SlotList::Pictures ? HasPictureExtension(path) : HasSoundExtension(path);
}

CollectedFiles CollectFiles(FileTree& tree, SlotList list, const std::vector<std::string>& arguments, bool recursive) {
  Collector collector(tree, list, recursive);
  for (const std::string& argument : arguments) collector.AddArgument(argument);
  return collector.Take();
}

}  // namespace lumora
