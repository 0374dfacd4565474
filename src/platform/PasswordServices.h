#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace lumora {

// The screensaver password libraries, loaded at run time from a full path.
class PasswordServices {
 public:
  virtual ~PasswordServices() = default;
  // Loads `libraryPath`, calls PwdChangePasswordA("SCRSAVE", no owner, 0, 0) and unloads it.
  // Does nothing when the library or its entry point is missing.
  virtual void ChangePassword(const std::string& libraryPath) = 0;
  // Loads `libraryPath` and calls VerifyScreenSavePwd with the saver window as owner. Nothing when the library
  // or its entry point is missing; otherwise whether the password was accepted.
  virtual std::optional<bool> VerifyPassword(const std::string& libraryPath) = 0;
  // "ScreenSaveUsePassword" under HKEY_CURRENT_USER\Control Panel\desktop: nothing when the key cannot be
  // opened; 0 when the value is missing.
  virtual std::optional<uint32_t> ScreenSaveUsePassword() = 0;
};

}  // namespace lumora
