#pragma once
#include "platform/PasswordServices.h"
#include "platform/SystemServices.h"
#include "win32_services/Handles.h"

namespace lumora::win32 {

// The system as the saver and its settings window ask for it: the general facts from the services library,
// and what only a screensaver asks (its window, its one run, the running flag, the cursor).
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
  uint32_t Milliseconds() override;

 private:
  UniqueHandle saverRun_;  // the named mutex of the session's one saver, held until the process ends
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
