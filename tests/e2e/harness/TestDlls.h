#pragma once
// The stand-in system DLLs of the password tests (built in tests/e2e/win) and the files they talk through.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "harness/Inspector.h"

namespace lumora::e2e {

// How Wine 8 resolves LoadLibraryA("C:\\windows\\system32\\MPR.DLL"): builtin first, whatever file lies there.
inline constexpr char kNativeMpr[] = "mpr=n";                   // loads the installed test DLL
inline constexpr char kMissingMpr[] = "mpr=";                   // LoadLibrary fails (error 126)
inline constexpr char kMissingPasswordCpl[] = "password.cpl=";  // the same for PASSWORD.CPL

// Puts a file into a system folder for the object's lifetime and then restores what was there before. The file
// there is moved aside, never written over: it may be the prefix template's own.
class SystemFileInstall {
 public:
  SystemFileInstall(const std::filesystem::path& source, const std::filesystem::path& target);
  ~SystemFileInstall();
  SystemFileInstall(const SystemFileInstall&) = delete;
  SystemFileInstall& operator=(const SystemFileInstall&) = delete;

 private:
  std::filesystem::path target_, backup_;
};

// mpr.dll of the saver's architecture; programs load it only when run with WineRunOptions::dllOverrides = {kNativeMpr}.
SystemFileInstall InstallTestMpr();
// password.cpl of the saver's architecture; Wine has no builtin one, so it loads without an override.
SystemFileInstall InstallTestPasswordCpl();

std::filesystem::path TestDllFolder();  // C:\lumora-test
void ClearTestDllFiles();               // removes the logs and the answers

struct MprCall {
  std::string provider;
  Hwnd owner = 0;
  unsigned long reserved1 = 0, reserved2 = 0;
  std::string ownerClass;
};
std::vector<MprCall> ReadMprLog();  // one entry per PwdChangePasswordA call, oldest first

// Answers for the coming VerifyScreenSavePwd calls, in order; once they run out every check fails.
void WritePasswordAnswers(const std::vector<bool>& answers);
// The same as lines of the script: "1" accepts, "0" refuses, "crash" makes the library fault.
void WritePasswordScript(const std::vector<std::string>& lines);
struct PasswordCheck {
  Hwnd owner = 0;
  std::string ownerClass, ownerTitle;
  bool answer = false;
};
std::vector<PasswordCheck> ReadPasswordLog();

}  // namespace lumora::e2e
