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

// How a file's rewrite in place ended.
enum class RewriteOutcome {
  Written,
  NotAllowed,  // this user may not write there: the file is as it was
  Failed,      // anything else: the file may hold part of the new content
};

// The folders and files of the machine as a program that edits them sees them: listing, full paths, reading and
// rewriting a file in place.
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
  // The whole file; nothing when it cannot be read or is larger than `maxBytes`.
  virtual std::optional<std::vector<uint8_t>> ReadWhole(const std::string& path, size_t maxBytes) = 0;
  // A byte-for-byte copy of the file `from` at `to`, replacing a file there.
  virtual bool Copy(const std::string& from, const std::string& to) = 0;
  // Gives the file `content`, writing into the file itself (made when missing) rather than replacing it, so that
  // a file this user may write, in a folder they may not, can be changed; the bytes are on the disk on return.
  virtual RewriteOutcome Rewrite(const std::string& path, const std::vector<uint8_t>& content) = 0;
  // The user's own folder for temporary files.
  virtual std::string TempFolder() = 0;
  // Removes the file at `path`; a folder there stays.
  virtual void Remove(const std::string& path) = 0;
};

}  // namespace lumora
