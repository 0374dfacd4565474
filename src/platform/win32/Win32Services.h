#pragma once
#include <windows.h>

#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"
#include "platform/PasswordServices.h"
#include "platform/ProfileFiles.h"
#include "platform/SystemServices.h"
#include "platform/win32/Handles.h"

namespace lumora::win32 {

class Win32System : public SystemServices, public Clock {
 public:
  bool SaverWindowExists() override;
  bool ClaimSaverRun() override;
  std::string WindowsDirectory() override;
  std::string SystemDirectory() override;
  std::string ExecutablePath() override;
  PlatformKind Platform() override;
  void SetScreenSaverRunning(bool running) override;
  void ShowCursor(bool show) override;
  uint32_t MillisecondsSinceMidnightUtc() override;

 private:
  UniqueHandle saverRun_;  // the named mutex of the session's one saver, held until the process ends
};

class Win32FileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override;
  std::optional<std::vector<uint8_t>> ReadFile(const std::string& path, size_t maxBytes) override;
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
  explicit Win32MessageBoxes(std::string applicationTitle) : title_(std::move(applicationTitle)) {}
  bool Show(BoxKind kind, const std::string& text, BoxButtons buttons) override;
  void ShowErrorReport(const std::string& text) override;

 private:
  std::string title_;
};

class Win32Passwords : public PasswordServices {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  void ChangePassword(const std::string& libraryPath) override;
  std::optional<bool> VerifyPassword(const std::string& libraryPath) override;
  std::optional<uint32_t> ScreenSaveUsePassword() override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace lumora::win32
