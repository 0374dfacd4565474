#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumora {

enum class PathKind { Missing, File, Folder };

struct FolderEntry {
  std::string name;
  bool isFolder = false;
  std::string shortName;  // the 8.3 name the system also keeps for it, where there is one
};

// The folders and files of the machine as a program that edits them sees them: listing, full paths and the
// replacement of one file by another.
class FileTree {
 public:
  virtual ~FileTree() = default;
  virtual PathKind KindOf(const std::string& path) = 0;
  // The absolute form of `path`, written as the platform writes paths.
  virtual std::string FullPath(const std::string& path) = 0;
  // `name` inside `folder`, with the platform's separator between them.
  virtual std::string Join(const std::string& folder, const std::string& name) = 0;
  // The entries of `folder` in no particular order, without "." and ".." and without folders reached through
  // links (so that a link back up the tree cannot make a walk through it endless); nothing when unreadable.
  virtual std::optional<std::vector<FolderEntry>> List(const std::string& folder) = 0;
  // The first `count` bytes of the file, fewer when it is shorter; nothing when it cannot be read.
  virtual std::optional<std::vector<uint8_t>> ReadHead(const std::string& path, size_t count) = 0;
  // A byte-for-byte copy of the file `from` at `to`, replacing a file there.
  virtual bool Copy(const std::string& from, const std::string& to) = 0;
  // Puts the file `replacement` in the place of `target`, which may be missing. On failure `target` is as it was.
  virtual bool Replace(const std::string& target, const std::string& replacement) = 0;
  // Removes the file at `path`; a folder there stays.
  virtual void Remove(const std::string& path) = 0;
};

}  // namespace lumora
