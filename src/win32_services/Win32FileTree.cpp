#include "win32_services/Win32FileTree.h"

#include <utility>

#include "win32_services/Handles.h"
#include "win32_services/Win32Services.h"

namespace lumora::win32 {

namespace {

// Windows 95 and 98 keep the profile file written last in memory and write it out later: the file on disk is
// complete only after this.
void FlushProfileCache(const std::string& path) { WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str()); }

UniqueHandle OpenWhole(const std::string& path, DWORD access, DWORD creation) {
  const HANDLE file =
      CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
  return UniqueHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

bool CopyBytes(HANDLE from, HANDLE to) {
  char buffer[64 * 1024];
  DWORD read = 0;
  while (::ReadFile(from, buffer, sizeof buffer, &read, nullptr)) {
    if (read == 0) return true;
    DWORD written = 0;
    if (!WriteFile(to, buffer, read, &written, nullptr) || written != read) return false;
  }
  return false;
}

}  // namespace

PathKind Win32FileTree::KindOf(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

std::string Win32FileTree::FullPath(const std::string& path) {
  char buffer[MAX_PATH + 1];
  char* filePart = nullptr;
  DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, &filePart);
  if (length == 0) return path;
  if (length < sizeof buffer) return std::string(buffer, length);
  std::string full(length, '\0');
  length = GetFullPathNameA(path.c_str(), length, full.data(), &filePart);
  if (length == 0 || length >= full.size()) return path;
  full.resize(length);
  return full;
}

std::string Win32FileTree::Join(const std::string& folder, const std::string& name) {
  if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) return folder + name;
  return folder + "\\" + name;
}

std::optional<std::vector<FolderEntry>> Win32FileTree::List(const std::string& folder) {
  WIN32_FIND_DATAA found;
  const HANDLE first = FindFirstFileA(Join(folder, "*").c_str(), &found);
  // A root folder has no "." entry, so an empty one reports that nothing was found.
  if (first == INVALID_HANDLE_VALUE)
    return GetLastError() == ERROR_FILE_NOT_FOUND ? std::optional(std::vector<FolderEntry>{}) : std::nullopt;
  const UniqueFind search(first);
  std::vector<FolderEntry> listed;
  do {
    std::string name = found.cFileName;
    const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (name == "." || name == "..") continue;
    if (isFolder && (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) continue;
    listed.push_back({std::move(name), isFolder, found.cAlternateFileName});
  } while (FindNextFileA(search.get(), &found));
  if (GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;
  return listed;
}

std::optional<std::vector<uint8_t>> Win32FileTree::ReadHead(const std::string& path, size_t count) {
  const UniqueHandle file = OpenWhole(path, GENERIC_READ, OPEN_EXISTING);
  if (!file) return std::nullopt;
  std::vector<uint8_t> head(count);
  DWORD read = 0;
  if (!::ReadFile(file.get(), head.data(), static_cast<DWORD>(count), &read, nullptr)) return std::nullopt;
  head.resize(read);
  return head;
}

bool Win32FileTree::Copy(const std::string& from, const std::string& to) {
  FlushProfileCache(from);
  const UniqueHandle source = OpenWhole(from, GENERIC_READ, OPEN_EXISTING);
  if (!source) return false;
  const UniqueHandle copy = OpenWhole(to, GENERIC_WRITE, CREATE_ALWAYS);
  return copy && CopyBytes(source.get(), copy.get());
}

std::optional<std::vector<uint8_t>> Win32FileTree::ReadWhole(const std::string& path, size_t maxBytes) {
  FlushProfileCache(path);
  const UniqueHandle file = OpenWhole(path, GENERIC_READ, OPEN_EXISTING);
  if (!file) return std::nullopt;
  DWORD high = 0;
  const DWORD size = GetFileSize(file.get(), &high);
  if (size == INVALID_FILE_SIZE || high != 0 || size > maxBytes) return std::nullopt;
  std::vector<uint8_t> whole(size);
  DWORD read = 0;
  if (size > 0 && (!::ReadFile(file.get(), whole.data(), size, &read, nullptr) || read != size)) return std::nullopt;
  return whole;
}

// A write-through handle on the file itself: its rights, not its folder's, decide, and nothing waits in a cache.
RewriteOutcome Win32FileTree::Rewrite(const std::string& path, const std::vector<uint8_t>& content) {
  FlushProfileCache(path);
  const HANDLE opened = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
  if (opened == INVALID_HANDLE_VALUE)
    return GetLastError() == ERROR_ACCESS_DENIED ? RewriteOutcome::NotAllowed : RewriteOutcome::Failed;
  const UniqueHandle file(opened);
  DWORD written = 0;
  const DWORD size = static_cast<DWORD>(content.size());
  const bool whole = (size == 0 || (WriteFile(file.get(), content.data(), size, &written, nullptr) && written == size)) &&
                     SetEndOfFile(file.get()) && FlushFileBuffers(file.get());
  return whole ? RewriteOutcome::Written : RewriteOutcome::Failed;
}

std::string Win32FileTree::TempFolder() {
  char buffer[MAX_PATH + 1];
  const DWORD length = GetTempPathA(sizeof buffer, buffer);
  if (length == 0 || length >= sizeof buffer) return WindowsDirectory();
  return std::string(buffer, length);
}

void Win32FileTree::Remove(const std::string& path) { DeleteFileA(path.c_str()); }

}  // namespace lumora::win32
