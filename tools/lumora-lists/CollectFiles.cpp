#include "lumora-lists/CollectFiles.h"

#include <algorithm>

#include "image/PictureFile.h"
#include "lumora-lists/NaturalOrder.h"

namespace lumora {

namespace {

bool EndsWithIgnoringCase(const std::string& text, const std::string& lowerSuffix) {
  if (text.size() < lowerSuffix.size()) return false;
  return std::equal(lowerSuffix.begin(), lowerSuffix.end(), text.end() - lowerSuffix.size(),
                    [](char s, char t) { return s == (t >= 'A' && t <= 'Z' ? static_cast<char>(t - 'A' + 'a') : t); });
}

bool HasSoundExtension(const std::string& path) {
  return EndsWithIgnoringCase(path, ".wav") || EndsWithIgnoringCase(path, ".mid");
}

const char* KindText(SlotList list) {
  return list == SlotList::Pictures ? "a picture file (.jpg, .jpeg or .bmp)" : "a sound file (.wav or .mid)";
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

  CollectedFiles Take() { return std::move(collected_); }

 private:
  void AddFile(const std::string& path) {
    if (path.size() >= kTooLongPath)
      collected_.skipped.push_back("Skipped, its path has 1024 characters or more: " + path);
    else if (!FitsCodePage(path))
      collected_.skipped.push_back("Skipped, its name has characters the system's code page lacks: " + path);
    else
      collected_.paths.push_back(path);
  }

  void AddFolder(const std::string& folder) {
    std::optional<std::vector<FolderEntry>> entries = tree_.List(folder);
    if (!entries) {
      collected_.errors.push_back("Cannot read the folder " + folder);
      return;
    }
    std::sort(entries->begin(), entries->end(),
              [](const FolderEntry& a, const FolderEntry& b) { return NaturalLess(a.name, b.name); });
    for (const FolderEntry& entry : *entries)
      if (!entry.isFolder && IsListFile(list_, entry.name)) AddFile(tree_.Join(folder, entry.name));
    if (!recursive_) return;
    for (const FolderEntry& entry : *entries)
      if (entry.isFolder) AddFolder(tree_.Join(folder, entry.name));
  }

  FileTree& tree_;
  SlotList list_;
  bool recursive_;
  CollectedFiles collected_;
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
