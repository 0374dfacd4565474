#pragma once
#include <string>
#include <vector>

#include "platform/FileTree.h"

namespace lumora {

// A file rewritten in place so that a run stopped half-way through is undone by the next one: until the new
// content is whole on the disk, the old waits in the user's temporary folder beside the size and checksum of the
// new. Failed means the file is as it was before (or will be, at the next run that finds it half-written).
RewriteOutcome RewriteGuarded(FileTree& tree, const std::string& path, const std::vector<uint8_t>& content);

// After a run that stopped while it rewrote `path`: a file that holds neither the old nor the whole new content
// gets the old back. True when it did.
bool UndoInterruptedRewrite(FileTree& tree, const std::string& path);

// A name in the user's temporary folder that belongs to `path` alone, ending in `extension`.
std::string TempFileFor(FileTree& tree, const std::string& path, const std::string& extension);

// Settings files larger than this are not read whole: a list of 1,000 paths of 1,023 characters is about 1 MB.
inline constexpr size_t kLargestRewrittenFile = 64u << 20;

}  // namespace lumora
