#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/CodePage.h"

namespace lumora {

enum class PathKind {
  Missing,  // nothing there, as far as the system can tell
  File,
  Folder,
  Unreachable,  // it may be there: its drive or share cannot be reached now, or this user may not look
};

struct FolderEntry {
  std::string name;
  bool isFolder = false;
  std::string shortName;  // the 8.3 name the system also keeps for it, where there is one
  // False when `name` only looks like the name the system stores: the code page has no exact form for one of
  // its characters (the wide functions told), so no program can open it by that name.
  bool inCodePage = true;
};

// Why a folder gave no entries.
enum class ListFailure { None, Unreadable, Gone, TooLong };

struct FolderListing {
  std::vector<FolderEntry> entries;
  ListFailure failure = ListFailure::None;
};

// Windows' own values, as a folder search gives them.
inline constexpr uint32_t kHiddenAttribute = 0x2;
inline constexpr uint32_t kSystemAttribute = 0x4;
inline constexpr uint32_t kReparsePointAttribute = 0x400;

// Whether a walk goes into a folder, as Explorer shows the library: not into a link to elsewhere (a junction,
// symbolic link or mount point, whose reparse tags are name surrogates), which may lead back up the tree, nor into
// a folder both hidden and system (a drive's recycle bin, System Volume Information); but into a folder that a cloud
// service or deduplication keeps (OneDrive's folders carry reparse tags that are not name surrogates).
bool WalksInto(uint32_t attributes, uint32_t reparseTag);

// Held while one run reads, changes and writes a file; let go when it goes.
class Turn {
 public:
  virtual ~Turn() = default;
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
  // The entries of `folder` in no particular order, without "." and "..", and without the folders a walk does not go
  // into (WalksInto).
  virtual FolderListing List(const std::string& folder) = 0;
  // The first `count` bytes of the file, fewer when it is shorter; nothing when it cannot be read.
  virtual std::optional<std::vector<uint8_t>> ReadHead(const std::string& path, size_t count) = 0;
  // The whole file; nothing when it cannot be read or is larger than `maxBytes`.
  virtual std::optional<std::vector<uint8_t>> ReadWhole(const std::string& path, size_t maxBytes) = 0;
  // Gives the file `content`, writing into the file itself (made when missing) rather than replacing it, so that
  // a file this user may write, in a folder they may not, can be changed; the bytes are on the disk on return.
  virtual RewriteOutcome Rewrite(const std::string& path, const std::vector<uint8_t>& content) = 0;
  // The user's own folder for temporary files, by a path the code page spells.
  virtual std::string TempFolder() = 0;
  // Removes the file at `path`; a folder there stays.
  virtual void Remove(const std::string& path) = 0;
  // The turn called `name`, shared by every program and user of the machine, once no one else holds it; nothing
  // when it did not come within a minute.
  virtual std::unique_ptr<Turn> WaitForTurn(const std::string& name) = 0;
  // How the system's code page spells the paths.
  virtual const CodePage& PathCodePage() = 0;
};

}  // namespace lumora
