#include "lumora-lists/GuardedRewrite.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace lumora {

namespace {

constexpr char kBackupTitle[] = "Lumora lists rewrite, old and new";

using Bytes = std::vector<uint8_t>;

// FNV-1a: names a file's backup after its path.
uint64_t Checksum(const std::string& text) {
  uint64_t hash = 0xcbf29ce484222325u;
  for (char byte : text) hash = (hash ^ static_cast<uint8_t>(byte)) * 0x100000001b3u;
  return hash;
}

// What the backup holds: the file it belongs to, its old content (none when there was no file) and the new.
struct Backup {
  std::string path;
  std::optional<Bytes> old;
  Bytes fresh;
};

Bytes BackupBytes(const Backup& backup) {
  const std::string head = std::string(kBackupTitle) + "\r\n" + backup.path + "\r\n" +
                           (backup.old ? std::to_string(backup.old->size()) : "none") + "\r\n" +
                           std::to_string(backup.fresh.size()) + "\r\n";
  Bytes bytes(head.begin(), head.end());
  if (backup.old) bytes.insert(bytes.end(), backup.old->begin(), backup.old->end());
  bytes.insert(bytes.end(), backup.fresh.begin(), backup.fresh.end());
  return bytes;
}

std::optional<std::string> Line(const Bytes& bytes, size_t& at) {
  std::string line;
  for (; at + 1 < bytes.size(); ++at) {
    if (bytes[at] == '\r' && bytes[at + 1] == '\n') {
      at += 2;
      return line;
    }
    line += static_cast<char>(bytes[at]);
  }
  return std::nullopt;
}

std::optional<size_t> Size(const std::string& text) {
  if (text.empty() || text.size() > 9 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  return std::stoul(text);
}

std::optional<Backup> ParseBackup(const Bytes& bytes) {
  size_t at = 0;
  const auto title = Line(bytes, at), path = Line(bytes, at), old = Line(bytes, at), fresh = Line(bytes, at);
  if (!fresh || *title != kBackupTitle) return std::nullopt;
  const std::optional<size_t> oldSize = *old == "none" ? std::optional<size_t>(0) : Size(*old);
  const std::optional<size_t> freshSize = Size(*fresh);
  if (!oldSize || !freshSize || *oldSize + *freshSize != bytes.size() - at) return std::nullopt;
  const auto start = bytes.begin() + static_cast<std::ptrdiff_t>(at);
  Backup backup{*path, std::nullopt, Bytes(start + static_cast<std::ptrdiff_t>(*oldSize), bytes.end())};
  if (*old != "none") backup.old.emplace(start, start + static_cast<std::ptrdiff_t>(*oldSize));
  return backup;
}

std::optional<Bytes> Content(FileTree& tree, const std::string& path) {
  if (tree.KindOf(path) != PathKind::File) return std::nullopt;
  return tree.ReadWhole(path, kLargestRewrittenFile);
}

// The file as it was before: its old content, or no file.
bool PutBack(FileTree& tree, const std::string& path, const std::optional<Bytes>& old) {
  if (old) return tree.Rewrite(path, *old) == RewriteOutcome::Written;
  tree.Remove(path);
  return tree.KindOf(path) == PathKind::Missing;
}

// A rewrite in place writes the new content from the start and cuts the file to its size only at the end: stopped,
// it leaves the first bytes of the new content, then the old content from there on (nothing of it once the new
// content is longer).
bool LeftByAStoppedRewrite(const Bytes& current, const Bytes& old, const Bytes& fresh) {
  const size_t written =
      std::mismatch(current.begin(), current.end(), fresh.begin(), fresh.end()).first - current.begin();
  if (current.size() > old.size()) return written == current.size();
  if (current.size() < old.size()) return false;
  const size_t oldFrom =
      current.size() - (std::mismatch(current.rbegin(), current.rend(), old.rbegin()).first - current.rbegin());
  return oldFrom <= written;
}

std::string Hex(uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

std::string BackupPath(FileTree& tree, const std::string& path) {
  return tree.Join(tree.TempFolder(), FileKey(tree, path) + ".old");
}

}  // namespace

std::string FileKey(FileTree& tree, const std::string& path) {
  return "lumora-lists-" + Hex(Checksum(tree.PathCodePage().LowerCase(path)));
}

RewriteOutcome RewriteGuarded(FileTree& tree, const std::string& path, const Bytes& content) {
  Backup backup{path, std::nullopt, content};
  if (tree.KindOf(path) == PathKind::File && !(backup.old = tree.ReadWhole(path, kLargestRewrittenFile)))
    return RewriteOutcome::Failed;
  const std::string backupPath = BackupPath(tree, path);
  if (tree.Rewrite(backupPath, BackupBytes(backup)) != RewriteOutcome::Written) {
    tree.Remove(backupPath);
    return RewriteOutcome::Failed;
  }
  const RewriteOutcome outcome = tree.Rewrite(path, content);
  if (outcome != RewriteOutcome::Failed || PutBack(tree, path, backup.old)) tree.Remove(backupPath);
  return outcome;
}

UndoOutcome UndoInterruptedRewrite(FileTree& tree, const std::string& path) {
  const std::string backupPath = BackupPath(tree, path);
  const std::optional<Bytes> bytes = Content(tree, backupPath);
  const std::optional<Backup> backup = bytes ? ParseBackup(*bytes) : std::nullopt;
  if (!backup || !tree.PathCodePage().SameIgnoringCase(backup->path, path)) return UndoOutcome::NothingToUndo;
  const std::optional<Bytes> current = Content(tree, path);
  UndoOutcome outcome = UndoOutcome::Kept;
  if (current == backup->fresh || current == backup->old) outcome = UndoOutcome::NothingToUndo;
  else if (current && LeftByAStoppedRewrite(*current, backup->old.value_or(Bytes()), backup->fresh))
    outcome = PutBack(tree, path, backup->old) ? UndoOutcome::PutBack : UndoOutcome::Failed;
  if (outcome != UndoOutcome::Failed) tree.Remove(backupPath);
  return outcome;
}

}  // namespace lumora
