#pragma once
// Declared without <windows.h>, so that every program (the saver, lumora-lists, the test helpers) takes its
// Windows services from here whatever else it includes.
#include <cstdint>
#include <string>

#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"
#include "platform/ProfileFiles.h"
#include "platform/SystemServices.h"

namespace lumora::win32 {

// The room the saver has always allowed for the Windows directory, and what it takes when that does not fit.
inline constexpr unsigned kWindowsDirectoryRoom = 200;
inline constexpr const char* kFallbackWindowsDirectory = "c:\\windows";
std::string WindowsDirectory();
// The system directory, empty when the platform cannot say.
std::string SystemDirectory();
std::string ExecutablePath();
PlatformKind RunningPlatform();
uint32_t MillisecondsSinceMidnightUtc();

class Win32FileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override;
  std::optional<std::vector<uint8_t>> ReadFile(const std::string& path, size_t maxBytes) override;
  std::unique_ptr<FileReader> OpenFile(const std::string& path) override;
  std::optional<FileStamp> Stamp(const std::string& path) override;
};

// The platform's private-profile functions, which keep nothing of ours in memory.
class Win32ProfileFiles : public ProfileFiles {
 public:
  std::string ReadText(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& fallback) override;
  bool WriteText(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value) override;
};

class Win32MessageBoxes : public MessageBoxes {
 public:
  // Every box titled with the application's title, its kind shown by its icon alone (the list tools).
  static constexpr bool kTitleOnEveryBox = true;
  explicit Win32MessageBoxes(std::string applicationTitle, bool titleOnEveryBox = false)
      : title_(std::move(applicationTitle)), titleOnEveryBox_(titleOnEveryBox) {}
  bool Show(BoxKind kind, const std::string& text, BoxButtons buttons) override;
  void ShowErrorReport(const std::string& text) override;

 private:
  std::string title_;
  bool titleOnEveryBox_;
};

}  // namespace lumora::win32
