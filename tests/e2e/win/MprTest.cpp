// Stand-in for the system's MPR.DLL: records every password change request instead of showing a dialog.
// Log lines are tab-separated key=value fields, one line per call.
#include <windows.h>

#include <cstdio>

namespace {

constexpr char kLogFolder[] = "C:\\lumora-test";
constexpr char kLogFile[] = "C:\\lumora-test\\mpr.log";

void AppendLine(const char* line) {
  CreateDirectoryA(kLogFolder, nullptr);  // already there on every call but the first
  HANDLE file = CreateFileA(kLogFile, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line, static_cast<DWORD>(lstrlenA(line)), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

extern "C" DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND owner, DWORD reserved1, DWORD reserved2) {
  char ownerClass[256] = "";
  if (owner != nullptr) GetClassNameA(owner, ownerClass, sizeof ownerClass);
  char line[1024];
  std::snprintf(line, sizeof line, "provider=%s\towner=0x%llx\treserved1=%lu\treserved2=%lu\towner_class=%s\n",
                provider != nullptr ? provider : "(null)",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(owner)),
                static_cast<unsigned long>(reserved1), static_cast<unsigned long>(reserved2), ownerClass);
  AppendLine(line);
  return 0;
}
