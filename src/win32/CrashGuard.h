#pragma once

namespace lumora::win32 {

// The exit code of a saver ended by a fault or an unhandled C++ error.
inline constexpr unsigned kCrashExitCode = 3;

// From now until the process ends, a fault anywhere in the process (inside a library it loaded too) or a C++
// error that nothing catches does not leave the system believing a screensaver runs: the flag is cleared and the
// cursor shown again, then the process ends with kCrashExitCode and no dialog. For the saver mode, whose flag
// disables the system's task switching on Windows 95 and 98.
void InstallSaverCrashGuard();

// Ends the process at once, without waiting for anything it runs, the flag cleared and the cursor shown again:
// what a crash does, and what the saver's end does when its worker does not stop.
[[noreturn]] void EndSaverProcess(unsigned exitCode);

}  // namespace lumora::win32
