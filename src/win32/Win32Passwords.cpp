#include "platform/ProfileFiles.h"
#include "win32/Win32System.h"

namespace lumora::win32 {

namespace {

using PwdChangePasswordFunction = DWORD(WINAPI*)(LPCSTR, HWND, UINT, UINT);
using VerifyScreenSavePwdFunction = BOOL(WINAPI*)(HWND);

template <class Function>
Function EntryPoint(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// A value of another type than a 32-bit integer still means "password in use" when it reads as a non-zero
// number: four bytes of binary data, or decimal text.
uint32_t PasswordSettingValue(DWORD type, const BYTE* data, DWORD size) {
  if ((type == REG_DWORD || type == REG_BINARY) && size == 4) {
    return data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<uint32_t>(data[3]) << 24);
  }
  if (type == REG_SZ && size > 0) {
    std::string text(reinterpret_cast<const char*>(data), size);
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return static_cast<uint32_t>(ParseProfileInteger(text, 0));
  }
  return 0;
}

}  // namespace

void Win32Passwords::ChangePassword(const std::string& libraryPath) {
  UniqueLibrary library(LoadLibraryA(libraryPath.c_str()));
  if (!library) return;
  if (auto change = EntryPoint<PwdChangePasswordFunction>(library.get(), "PwdChangePasswordA"))
    change("SCRSAVE", nullptr, 0, 0);
}

std::optional<bool> Win32Passwords::VerifyPassword(const std::string& libraryPath) {
  UniqueLibrary library(LoadLibraryA(libraryPath.c_str()));
  if (!library) return std::nullopt;
  auto verify = EntryPoint<VerifyScreenSavePwdFunction>(library.get(), "VerifyScreenSavePwd");
  if (!verify) return std::nullopt;
  return verify(owner_) != FALSE;
}

std::optional<uint32_t> Win32Passwords::ScreenSaveUsePassword() {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\desktop", 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS)
    return std::nullopt;
  UniqueRegistryKey key(opened);
  BYTE data[64] = {};
  DWORD type = 0, size = sizeof(data);
  if (RegQueryValueExA(key.get(), "ScreenSaveUsePassword", nullptr, &type, data, &size) != ERROR_SUCCESS) return 0;
  return PasswordSettingValue(type, data, size);
}

}  // namespace lumora::win32
