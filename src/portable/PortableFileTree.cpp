#include "portable/PortableFileTree.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace lumora {

namespace fs = std::filesystem;

PathKind PortableFileTree::KindOf(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (fs::is_directory(status)) return PathKind::Folder;
  if (fs::exists(status)) return PathKind::File;
  return error && error != std::errc::no_such_file_or_directory ? PathKind::Unreachable : PathKind::Missing;
}

std::string PortableFileTree::FullPath(const std::string& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  if (error) return path;
  return absolute.lexically_normal().string();
}

std::string PortableFileTree::Join(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

// A folder reached through a link is left out, as Windows' links to elsewhere are.
FolderListing PortableFileTree::List(const std::string& folder) {
  std::error_code error;
  fs::directory_iterator entries(folder, error);
  FolderListing listing;
  while (!error && entries != fs::directory_iterator()) {
    // A broken link is listed as a file: the entry's own errors do not make the folder unreadable.
    std::error_code entryError;
    const bool isFolder = entries->is_directory(entryError);
    if (!isFolder || !entries->is_symlink(entryError))
      listing.entries.push_back({entries->path().filename().string(), isFolder, {}, true});
    entries.increment(error);
  }
  if (!error) return listing;
  return {{}, error == std::errc::no_such_file_or_directory ? ListFailure::Gone : ListFailure::Unreadable};
}

namespace {

std::optional<std::vector<uint8_t>> FirstBytes(const std::string& path, size_t count) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::vector<uint8_t> head(count);
  file.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(count));
  if (file.bad()) return std::nullopt;
  head.resize(static_cast<size_t>(file.gcount()));
  return head;
}

}  // namespace

std::optional<std::vector<uint8_t>> PortableFileTree::ReadHead(const std::string& path, size_t count) {
  return FirstBytes(path, count);
}

std::optional<std::vector<uint8_t>> PortableFileTree::ReadWhole(const std::string& path, size_t maxBytes) {
  std::error_code error;
  const uintmax_t size = fs::file_size(path, error);
  if (error || size > maxBytes) return std::nullopt;
  std::optional<std::vector<uint8_t>> whole = FirstBytes(path, static_cast<size_t>(size));
  if (whole && whole->size() != size) return std::nullopt;
  return whole;
}

RewriteOutcome PortableFileTree::Rewrite(const std::string& path, const std::vector<uint8_t>& content) {
  const int file = open(path.c_str(), O_WRONLY | O_CREAT, 0644);
  if (file < 0)
    return errno == EACCES || errno == EPERM || errno == EROFS ? RewriteOutcome::NotAllowed : RewriteOutcome::Failed;
  size_t done = 0;
  while (done < content.size()) {
    const ssize_t written = write(file, content.data() + done, content.size() - done);
    if (written <= 0) break;
    done += static_cast<size_t>(written);
  }
  const bool whole = done == content.size() && ftruncate(file, static_cast<off_t>(done)) == 0 && fsync(file) == 0;
  return close(file) == 0 && whole ? RewriteOutcome::Written : RewriteOutcome::Failed;
}

std::string PortableFileTree::TempFolder() {
  if (!tempFolder_.empty()) return tempFolder_;
  std::error_code error;
  const fs::path folder = fs::temp_directory_path(error);
  return error ? "/tmp" : folder.string();
}

void PortableFileTree::Remove(const std::string& path) {
  std::error_code error;
  if (!fs::is_directory(fs::symlink_status(path, error))) fs::remove(path, error);
}

namespace {

class LockedFile : public Turn {
 public:
  explicit LockedFile(int file) : file_(file) {}
  ~LockedFile() override { close(file_); }

 private:
  int file_;
};

}  // namespace

std::unique_ptr<Turn> PortableFileTree::WaitForTurn(const std::string& name) {
  const int file = open(Join(TempFolder(), name).c_str(), O_RDWR | O_CREAT, 0666);
  if (file < 0) return nullptr;
  if (flock(file, LOCK_EX) == 0) return std::make_unique<LockedFile>(file);
  close(file);
  return nullptr;
}

}  // namespace lumora
