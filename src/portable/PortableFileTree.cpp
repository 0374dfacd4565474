#include "portable/PortableFileTree.h"

#include <filesystem>
#include <fstream>

namespace lumora {

namespace fs = std::filesystem;

PathKind PortableFileTree::KindOf(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (fs::is_directory(status)) return PathKind::Folder;
  if (fs::exists(status)) return PathKind::File;
  return PathKind::Missing;
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

std::optional<std::vector<FolderEntry>> PortableFileTree::List(const std::string& folder) {
  std::error_code error;
  fs::directory_iterator entries(folder, error);
  std::vector<FolderEntry> listed;
  while (!error && entries != fs::directory_iterator()) {
    // A broken link is listed as a file: the entry's own errors do not make the folder unreadable.
    std::error_code entryError;
    const bool isFolder = entries->is_directory(entryError);
    if (!isFolder || !entries->is_symlink(entryError))
      listed.push_back({entries->path().filename().string(), isFolder, {}});
    entries.increment(error);
  }
  if (error) return std::nullopt;
  return listed;
}

std::optional<std::vector<uint8_t>> PortableFileTree::ReadHead(const std::string& path, size_t count) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::vector<uint8_t> head(count);
  file.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(count));
  if (file.bad()) return std::nullopt;
  head.resize(static_cast<size_t>(file.gcount()));
  return head;
}

bool PortableFileTree::Copy(const std::string& from, const std::string& to) {
  std::error_code error;
  return fs::copy_file(from, to, fs::copy_options::overwrite_existing, error) && !error;
}

bool PortableFileTree::Replace(const std::string& target, const std::string& replacement) {
  std::error_code error;
  fs::rename(replacement, target, error);
  return !error;
}

void PortableFileTree::Remove(const std::string& path) {
  std::error_code error;
  if (!fs::is_directory(fs::symlink_status(path, error))) fs::remove(path, error);
}

}  // namespace lumora
