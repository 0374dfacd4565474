#include "win32_services/Win32FileTree.h"

#include <utility>

#include "win32_services/Handles.h"
#include "win32_services/LibraryFunction.h"
#include "win32_services/Win32Services.h"

namespace lumora::win32 {

// Looked up at the start: an import that Windows 95 lacks would keep the program from loading there.
struct Win32FileTree::WideFunctions {
  decltype(&FindFirstFileW) findFirst;
  decltype(&FindNextFileW) findNext;
  decltype(&GetTempPathW) tempPath;
  decltype(&GetShortPathNameW) shortPath;
};

namespace {

// A run waits this long for another to finish its change of the same file.
constexpr DWORD kTurnWaitMs = 60 * 1000;

// Windows 95 and 98 keep the profile file written last in memory and write it out later: the file on disk is
// complete only after this.
void FlushProfileCache(const std::string& path) { WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str()); }

UniqueHandle OpenWhole(const std::string& path, DWORD access, DWORD creation) {
  const HANDLE file =
      CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
  return UniqueHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

std::wstring Wide(const std::string& text) {
  const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (size <= 0) return {};
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), size);
  wide.resize(static_cast<size_t>(size) - 1);
  return wide;
}

// The code page's form of `text`, with a look-alike ("best fit": n for ń) or "?" for what it cannot spell.
std::string Narrow(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string narrow(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), size, nullptr, nullptr);
  narrow.resize(static_cast<size_t>(size) - 1);
  return narrow;
}

// Nothing when the code page's form of `text` names something else.
std::optional<std::string> Exactly(const wchar_t* text) {
  std::string narrow = Narrow(text);
  if (Wide(narrow) != text) return std::nullopt;
  return narrow;
}

CodePage SystemCodePage() {
  std::bitset<256> leadBytes;
  CPINFO info{};
  if (GetCPInfo(CP_ACP, &info))
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2)
      for (int byte = info.LeadByte[i]; byte <= info.LeadByte[i + 1]; ++byte) leadBytes.set(byte);
  return CodePage(leadBytes);
}

ListFailure FailureOf(DWORD error) {
  if (error == ERROR_PATH_NOT_FOUND) return ListFailure::Gone;
  return error == ERROR_FILENAME_EXCED_RANGE ? ListFailure::TooLong : ListFailure::Unreadable;
}

// The entries of a search whose first `found` is in, each made by `entryOf`; the folders a walk does not go into
// are left out (the reparse tag is in dwReserved0 where the attributes name a reparse point).
template <class FindData, class Next, class EntryOf>
FolderListing Listed(HANDLE first, FindData& found, Next next, EntryOf entryOf) {
  // A root folder has no "." entry, so an empty one reports that nothing was found.
  if (first == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? FolderListing{} : FolderListing{{}, FailureOf(error)};
  }
  const UniqueFind search(first);
  FolderListing listing;
  do {
    const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isFolder && !WalksInto(found.dwFileAttributes, found.dwReserved0)) continue;
    FolderEntry entry = entryOf(found);
    if (entry.name == "." || entry.name == "..") continue;
    entry.isFolder = isFolder;
    listing.entries.push_back(std::move(entry));
  } while (next(search.get(), &found));
  if (GetLastError() != ERROR_NO_MORE_FILES) return {{}, ListFailure::Unreadable};
  return listing;
}

class MutexTurn : public Turn {
 public:
  explicit MutexTurn(UniqueHandle mutex) : mutex_(std::move(mutex)) {}
  ~MutexTurn() override { ReleaseMutex(mutex_.get()); }

 private:
  UniqueHandle mutex_;
};

// A mutex that every user may wait on: one user's refresh at sign-in and another's choice of folders share it.
// Without an access list anyone may; Windows 95 has no access lists, and its stubs say so by failing.
UniqueHandle OpenTurnMutex(const std::string& name) {
  SECURITY_DESCRIPTOR everyone;
  SECURITY_ATTRIBUTES attributes{sizeof attributes, &everyone, FALSE};
  const bool secured = InitializeSecurityDescriptor(&everyone, SECURITY_DESCRIPTOR_REVISION) &&
                       SetSecurityDescriptorDacl(&everyone, TRUE, nullptr, FALSE);
  HANDLE mutex = CreateMutexA(secured ? &attributes : nullptr, FALSE, name.c_str());
  if (!mutex && GetLastError() == ERROR_ACCESS_DENIED)
    mutex = OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name.c_str());
  return UniqueHandle(mutex);
}

}  // namespace

Win32FileTree::Win32FileTree() : codePage_(SystemCodePage()) {
  if (RunningPlatform() != PlatformKind::WindowsNT) return;
  WideFunctions wide{LibraryFunction<decltype(FindFirstFileW)>("kernel32.dll", "FindFirstFileW"),
                     LibraryFunction<decltype(FindNextFileW)>("kernel32.dll", "FindNextFileW"),
                     LibraryFunction<decltype(GetTempPathW)>("kernel32.dll", "GetTempPathW"),
                     LibraryFunction<decltype(GetShortPathNameW)>("kernel32.dll", "GetShortPathNameW")};
  if (wide.findFirst && wide.findNext && wide.tempPath && wide.shortPath)
    wide_ = std::make_unique<const WideFunctions>(wide);
}

Win32FileTree::~Win32FileTree() = default;

// A drive or share that does not answer, or a folder this user may not look into, may still hold the path.
PathKind Win32FileTree::KindOf(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES)
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME: return PathKind::Missing;
    default: return PathKind::Unreachable;
  }
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
  return codePage_.EndsWithSeparator(folder) ? folder + name : folder + "\\" + name;
}

FolderListing Win32FileTree::List(const std::string& folder) {
  if (Join(folder, "*").size() >= MAX_PATH) return {{}, ListFailure::TooLong};
  return wide_ ? ListWide(folder) : ListAnsi(folder);
}

FolderListing Win32FileTree::ListAnsi(const std::string& folder) {
  WIN32_FIND_DATAA found;
  return Listed(FindFirstFileA(Join(folder, "*").c_str(), &found), found, FindNextFileA,
                [](const WIN32_FIND_DATAA& entry) {
                  return FolderEntry{entry.cFileName, false, entry.cAlternateFileName, true};
                });
}

FolderListing Win32FileTree::ListWide(const std::string& folder) {
  WIN32_FIND_DATAW found;
  return Listed(wide_->findFirst(Wide(Join(folder, "*")).c_str(), &found), found, wide_->findNext,
                [](const WIN32_FIND_DATAW& entry) {
                  const std::optional<std::string> name = Exactly(entry.cFileName);
                  return FolderEntry{name ? *name : Narrow(entry.cFileName), false,
                                     Exactly(entry.cAlternateFileName).value_or(""), name.has_value()};
                });
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
  const bool whole =
      (size == 0 || (WriteFile(file.get(), content.data(), size, &written, nullptr) && written == size)) &&
      SetEndOfFile(file.get()) && FlushFileBuffers(file.get());
  return whole ? RewriteOutcome::Written : RewriteOutcome::Failed;
}

// A temporary folder whose name the code page cannot spell is reached by its short name.
std::string Win32FileTree::TempFolder() {
  if (wide_) {
    wchar_t folder[MAX_PATH + 1], shortFolder[MAX_PATH + 1];
    const DWORD length = wide_->tempPath(MAX_PATH + 1, folder);
    if (length > 0 && length <= MAX_PATH) {
      if (std::optional<std::string> exact = Exactly(folder)) return *exact;
      const DWORD shortLength = wide_->shortPath(folder, shortFolder, MAX_PATH + 1);
      if (shortLength > 0 && shortLength <= MAX_PATH)
        if (std::optional<std::string> exact = Exactly(shortFolder)) return *exact;
    }
  }
  char buffer[MAX_PATH + 1];
  const DWORD length = GetTempPathA(sizeof buffer, buffer);
  if (length == 0 || length >= sizeof buffer) return WindowsDirectory();
  return std::string(buffer, length);
}

void Win32FileTree::Remove(const std::string& path) { DeleteFileA(path.c_str()); }

std::unique_ptr<Turn> Win32FileTree::WaitForTurn(const std::string& name) {
  // Global\: one turn for the users signed in at once; Windows before 2000 knows no such prefix and refuses the "\".
  UniqueHandle mutex = OpenTurnMutex("Global\\" + name);
  if (!mutex) mutex = OpenTurnMutex(name);
  if (!mutex) return nullptr;
  const DWORD waited = WaitForSingleObject(mutex.get(), kTurnWaitMs);
  // Abandoned: a run ended while it held the turn; the file is checked for what it left before anything is read.
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return nullptr;
  return std::make_unique<MutexTurn>(std::move(mutex));
}

}  // namespace lumora::win32
