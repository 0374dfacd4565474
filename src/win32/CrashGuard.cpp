#include "win32/CrashGuard.h"

#include <windows.h>

#include <exception>

namespace lumora::win32 {

namespace {

// Shows enough to undo the saver's hides (one at start-up, one more at most while a password dialog closed) and
// those of the system's dialogs meanwhile; the loop ends as soon as the cursor shows.
constexpr int kMostCursorHides = 8;

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS*) { EndSaverProcess(kCrashExitCode); }

void OnTerminate() { EndSaverProcess(kCrashExitCode); }

}  // namespace

// Only calls that need nothing of the program's own state: it may be broken.
void EndSaverProcess(unsigned exitCode) {
  UINT previous = 0;
  SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 0, &previous, 0);
  for (int i = 0; i < kMostCursorHides && ShowCursor(TRUE) < 0; ++i) {}
  TerminateProcess(GetCurrentProcess(), exitCode);
  ExitProcess(exitCode);
}

void InstallSaverCrashGuard() {
  // No system box about the fault or a missing disk: the process ends by itself.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  SetUnhandledExceptionFilter(OnUnhandledException);
  std::set_terminate(OnTerminate);
}

}  // namespace lumora::win32
