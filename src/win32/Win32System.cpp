#include "win32/Win32System.h"

#include "platform/WindowNames.h"
#include "win32_services/Win32Services.h"

namespace lumora::win32 {

bool Win32System::SaverWindowExists() { return FindWindowA(kSaverWindowClass, kSaverWindowTitle) != nullptr; }

bool Win32System::ClaimSaverRun() {
  saverRun_.reset(CreateMutexA(nullptr, FALSE, kSaverRunMutex));
  // CreateMutexA opens the existing mutex when another process made it first.
  return saverRun_ != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
}

std::string Win32System::WindowsDirectory() { return win32::WindowsDirectory(); }
std::string Win32System::SystemDirectory() { return win32::SystemDirectory(); }
std::string Win32System::ExecutablePath() { return win32::ExecutablePath(); }
PlatformKind Win32System::Platform() { return RunningPlatform(); }

void Win32System::SetScreenSaverRunning(bool running) {
  UINT previous = 0;
  SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? 1 : 0, &previous, 0);
}

void Win32System::ShowCursor(bool show) { ::ShowCursor(show ? TRUE : FALSE); }

uint32_t Win32System::MillisecondsSinceMidnightUtc() { return win32::MillisecondsSinceMidnightUtc(); }

uint32_t Win32System::Milliseconds() { return GetTickCount(); }

}  // namespace lumora::win32
