#include "lumora-lists/GuardedRewrite.h"

#include <cstdio>
#include <optional>

#include "platform/AsciiCase.h"

namespace lumora {

namespace {

constexpr char kBackupTitle[] = "Lumora lists rewrite";

// FNV-1a: enough to tell a file's whole new content from anything a stopped write leaves.
uint64_t Checksum(const std::vector<uint8_t>& bytes) {
  uint64_t hash = 0xcbf29ce484222325u;
  for (uint8_t byte : bytes) hash = (hash ^ byte) * 0x100000001b3u;
  return hash;
}

std::string Hex(uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

std::string Fingerprint(const std::vector<uint8_t>& bytes) {
  return std::to_string(bytes.size()) + " " + Hex(Checksum(bytes));
}

// What the backup holds: the file it belongs to, the new content's fingerprint, and the old content ("none"
// when there was no file).
struct Backup {
  std::string path;
  std::string newFingerprint;
  std::optional<std::vector<uint8_t>> old;
};

std::vector<uint8_t> BackupBytes(const Backup& backup) {
  const std::string head = std::string(kBackupTitle) + "\r\n" + backup.path + "\r\n" + backup.newFingerprint +
                           "\r\n" + (backup.old ? std::to_string(backup.old->size()) : "none") + "\r\n";
  std::vector<uint8_t> bytes(head.begin(), head.end());
  if (backup.old) bytes.insert(bytes.end(), backup.old->begin(), backup.old->end());
  return bytes;
}

std::optional<std::string> Line(const std::vector<uint8_t>& bytes, size_t& at) {
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

std::optional<Backup> ParseBackup(const std::vector<uint8_t>& bytes) {
  size_t at = 0;
  const auto title = Line(bytes, at), path = Line(bytes, at), fingerprint = Line(bytes, at), old = Line(bytes, at);
  if (!old || *title != kBackupTitle) return std::nullopt;
  Backup backup{*path, *fingerprint, std::nullopt};
  if (*old == "none") return backup;
  if (*old != std::to_string(bytes.size() - at)) return std::nullopt;
  backup.old.emplace(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end());
  return backup;
}

std::optional<std::vector<uint8_t>> Content(FileTree& tree, const std::string& path) {
  if (tree.KindOf(path) != PathKind::File) return std::nullopt;
  return tree.ReadWhole(path, kLargestRewrittenFile);
}

// The file as it was before: its old content, or no file.
bool PutBack(FileTree& tree, const std::string& path, const std::optional<std::vector<uint8_t>>& old) {
  if (old) return tree.Rewrite(path, *old) == RewriteOutcome::Written;
  tree.Remove(path);
  return tree.KindOf(path) == PathKind::Missing;
}

}  // namespace

std::string TempFileFor(FileTree& tree, const std::string& path, const std::string& extension) {
  const std::string lower = LowerAscii(path);
  return tree.Join(tree.TempFolder(),
                   "lumora-lists-" + Hex(Checksum(std::vector<uint8_t>(lower.begin(), lower.end()))) + extension);
}

RewriteOutcome RewriteGuarded(FileTree& tree, const std::string& path, const std::vector<uint8_t>& content) {
  Backup backup{path, Fingerprint(content), std::nullopt};
  if (tree.KindOf(path) == PathKind::File && !(backup.old = tree.ReadWhole(path, kLargestRewrittenFile)))
    return RewriteOutcome::Failed;
  const std::string backupPath = TempFileFor(tree, path, ".old");
  if (tree.Rewrite(backupPath, BackupBytes(backup)) != RewriteOutcome::Written) {
    tree.Remove(backupPath);
    return RewriteOutcome::Failed;
  }
  const RewriteOutcome outcome = tree.Rewrite(path, content);
  if (outcome != RewriteOutcome::Failed || PutBack(tree, path, backup.old)) tree.Remove(backupPath);
  return outcome;
}

bool UndoInterruptedRewrite(FileTree& tree, const std::string& path) {
  const std::string backupPath = TempFileFor(tree, path, ".old");
  const std::optional<std::vector<uint8_t>> bytes = Content(tree, backupPath);
  const std::optional<Backup> backup = bytes ? ParseBackup(*bytes) : std::nullopt;
  if (!backup || !SameIgnoringAsciiCase(backup->path, path)) return false;
  const std::optional<std::vector<uint8_t>> current = Content(tree, path);
  const bool whole = current ? Fingerprint(*current) == backup->newFingerprint || current == backup->old
                             : !backup->old;
  if (whole) {
    tree.Remove(backupPath);
    return false;
  }
  if (!PutBack(tree, path, backup->old)) return false;
  tree.Remove(backupPath);
  return true;
}

}  // namespace lumora
