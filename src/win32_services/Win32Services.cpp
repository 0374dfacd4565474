#include "win32_services/Win32Services.h"

#include <algorithm>
#include <vector>

#include "win32_services/Handles.h"
#include "win32_services/LibraryFunction.h"

namespace lumora::win32 {

namespace {

// A box over the active window; IDCANCEL when there is no box to show.
int ShowMessageBox(const char* text, const char* caption, UINT flags) {
  static const auto messageBox = LibraryFunction<decltype(MessageBoxA)>("user32.dll", "MessageBoxA");
  static const auto activeWindow = LibraryFunction<decltype(GetActiveWindow)>("user32.dll", "GetActiveWindow");
  return messageBox && activeWindow ? messageBox(activeWindow(), text, caption, flags) : IDCANCEL;
}

}  // namespace

std::string WindowsDirectory() {
  // When the directory does not fit, the call writes nothing and reports the room it needs.
  char buffer[kWindowsDirectoryRoom] = {};
  UINT length = GetWindowsDirectoryA(buffer, kWindowsDirectoryRoom);
  if (length == 0 || length >= kWindowsDirectoryRoom) return kFallbackWindowsDirectory;
  return buffer;
}

std::string SystemDirectory() {
  char buffer[260];
  UINT length = GetSystemDirectoryA(buffer, sizeof(buffer));
  if (length == 0 || length >= sizeof(buffer)) return "";
  return std::string(buffer, length);
}

std::string ExecutablePath() {
  char buffer[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  return std::string(buffer, length);
}

PlatformKind RunningPlatform() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = 148;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&version)) return PlatformKind::Other;
#pragma GCC diagnostic pop
  switch (version.dwPlatformId) {
    case VER_PLATFORM_WIN32_WINDOWS: return PlatformKind::Windows9x;
    case VER_PLATFORM_WIN32_NT: return PlatformKind::WindowsNT;
  }
  return PlatformKind::Other;
}

uint32_t MillisecondsSinceMidnightUtc() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  return ((now.wHour * 60u + now.wMinute) * 60u + now.wSecond) * 1000u + now.wMilliseconds;
}

bool Win32FileSystem::FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

HANDLE OpenForReading(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                     nullptr);
}

class Win32FileReader : public FileReader {
 public:
  explicit Win32FileReader(HANDLE file) : file_(file) {}
  size_t Read(uint8_t* into, size_t count) override {
    size_t done = 0;
    DWORD read = 0;
    while (done < count &&
           ::ReadFile(file_.get(), into + done, static_cast<DWORD>(std::min<size_t>(count - done, 1u << 30)), &read,
                      nullptr) &&
           read > 0)
      done += read;
    return done;
  }

 private:
  UniqueHandle file_;
};

}  // namespace

std::unique_ptr<FileReader> Win32FileSystem::OpenFile(const std::string& path) {
  const HANDLE opened = OpenForReading(path);
  if (opened == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32FileReader>(opened);
}

std::optional<std::vector<uint8_t>> Win32FileSystem::ReadFile(const std::string& path, size_t maxBytes) {
  const HANDLE opened = OpenForReading(path);
  if (opened == INVALID_HANDLE_VALUE) return std::nullopt;
  Win32FileReader file(opened);
  // GetFileSize rather than GetFileSizeEx, which Windows 95 and 98 lack.
  DWORD high = 0;
  const DWORD low = GetFileSize(opened, &high);
  const uint64_t size = (uint64_t{high} << 32) | low;
  if (low == INVALID_FILE_SIZE || size > maxBytes) return std::nullopt;
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (file.Read(bytes.data(), bytes.size()) != bytes.size()) return std::nullopt;
  return bytes;
}

// From the directory listing: GetFileAttributesExA is missing on Windows 95.
std::optional<FileStamp> Win32FileSystem::Stamp(const std::string& path) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return std::nullopt;
  FindClose(search);
  if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return FileStamp{(uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow,
                   (uint64_t{found.ftLastWriteTime.dwHighDateTime} << 32) | found.ftLastWriteTime.dwLowDateTime};
}

std::string Win32ProfileFiles::ReadText(const std::string& path, const std::string& section, const std::string& key,
                                        const std::string& fallback) {
  char buffer[kMaxProfileValueLength + 1];
  DWORD length =
      GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer, sizeof(buffer), path.c_str());
  return std::string(buffer, length);
}

bool Win32ProfileFiles::WriteText(const std::string& path, const std::string& section, const std::string& key,
                                  const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
}

bool Win32MessageBoxes::Show(BoxKind kind, const std::string& text, BoxButtons buttons) {
  static constexpr struct {
    const char* caption;
    UINT icon;
  } kKinds[] = {{"Information", MB_ICONINFORMATION},
                {"Warning", MB_ICONWARNING},
                {"Error", MB_ICONERROR},
                {"Confirm", MB_ICONQUESTION}};
  const auto& style = kKinds[static_cast<int>(kind)];
  UINT flags = style.icon | MB_TOPMOST | MB_SETFOREGROUND;
  if (buttons == BoxButtons::OkCancel) flags |= MB_OKCANCEL;
  if (buttons == BoxButtons::YesNo) flags |= MB_YESNO | MB_DEFBUTTON2;
  const char* caption = titleOnEveryBox_ ? title_.c_str() : style.caption;
  const int answer = ShowMessageBox(text.c_str(), caption, flags);
  return answer == IDOK || answer == IDYES;
}

void Win32MessageBoxes::ShowErrorReport(const std::string& text) {
  ShowMessageBox(ErrorReportText(text).c_str(), title_.c_str(), MB_OK | MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND);
}

}  // namespace lumora::win32
