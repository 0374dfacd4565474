#pragma once
#include <string>
#include <vector>

#include "platform/FileTree.h"

namespace lumora {

// A file rewritten in place so that a run stopped half-way through is undone by the next one: until the new
// content is whole on the disk, the old waits in the user's temporary folder beside the new. Failed means the file
// is as it was before (or will be, at the next run that finds it half-written).
RewriteOutcome RewriteGuarded(FileTree& tree, const std::string& path, const std::vector<uint8_t>& content);

enum class UndoOutcome {
  NothingToUndo,
  PutBack,  // the file held what a stopped rewrite leaves: it holds the old content again
  Kept,     // the file was changed otherwise since: it stays as it is, and the old content is dropped
  Failed,   // it could not be put back
};

// After a run that stopped while it rewrote `path`: the old content goes back only when the file is what a
// rewrite in place stopped part-way leaves (the new content's start, then the old content's rest).
UndoOutcome UndoInterruptedRewrite(FileTree& tree, const std::string& path);

// A name that belongs to `path` alone, whatever its letter case: "lumora-lists-" and 16 hexadecimal digits.
std::string FileKey(FileTree& tree, const std::string& path);

// Settings files larger than this are not read whole: a list of 1,000 paths of 1,023 characters is about 1 MB.
inline constexpr size_t kLargestRewrittenFile = 64u << 20;

}  // namespace lumora
