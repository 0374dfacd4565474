#pragma once
// One Xvfb display and one private Wine prefix with a persistent Wine server, shared by every test of a run.
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "harness/Process.h"
#include "harness/ResidentInspector.h"
#include "harness/WineProcess.h"
#include "harness/XDisplay.h"
#include "harness/Xvfb.h"

namespace lumora::e2e {

// The colour of the X root window on a screen of several monitors: the desktop, where it shows.
inline constexpr char kDesktopColour[] = "#3366cc";

// The two builds of the saver; a 64-bit prefix runs both.
enum class SaverArch { I686, X86_64 };
const char* ArchName(SaverArch arch);  // "i686", "x86_64"

struct SessionConfig {
  SaverArch arch = SaverArch::I686;  // the saver under test and the libraries it loads
  std::filesystem::path saverDir;    // its build tree, holding src/lumora.scr and tests/e2e/win/*
  std::filesystem::path toolsDir;    // the win64 build tree, holding the inspector and the test window
  std::filesystem::path workDir;     // where runs keep their prefix, logs and failure screenshots
  std::filesystem::path installer;   // lumora-setup.exe of the win32 build tree
  ScreenSize screen;
  // Monitors side by side from the left, the first the primary; none: the screen is one monitor.
  std::vector<ScreenSize> monitors;
  // Wine runs as an unprivileged Unix user of its own, who owns the prefix: a standard user of Windows once the
  // Windows directory is closed to them (CloseWindowsDirectory). Needs root, which makes the user.
  bool standardUser = false;
};

// The Unix user that Wine runs as in a standard user's session.
struct UnixUser {
  std::string name;
  unsigned uid = 0, gid = 0;
};

// The configuration from the build (compile definitions), overridden by the environment: LUMORA_E2E_ARCH
// ("i686" or "x86_64"), LUMORA_E2E_SCREEN ("1023x767" or "1024x768x24"), LUMORA_E2E_MONITORS ("1024x768,800x600":
// monitors side by side, the first the primary; the screen then holds them all), LUMORA_E2E_SAVER_DIR (another
// build tree of that architecture), LUMORA_E2E_STANDARD_USER=1 (Wine runs as a standard user).
SessionConfig ConfigFromBuild();

class WineSession {
 public:
  explicit WineSession(const SessionConfig& config);
  ~WineSession();
  WineSession(const WineSession&) = delete;
  WineSession& operator=(const WineSession&) = delete;

  XDisplay& X() { return *x_; }
  ScreenSize Screen() const { return config_.screen; }
  const std::vector<ScreenSize>& Monitors() const { return config_.monitors; }
  // The screen the show runs on: the primary monitor, at the screen's top-left corner.
  ScreenSize PrimaryScreen() const { return config_.monitors.empty() ? config_.screen : config_.monitors.front(); }
  const std::string& DisplayName() const { return xvfb_->DisplayName(); }

  const std::filesystem::path& WorkDir() const { return config_.workDir; }
  const std::filesystem::path& RunDir() const { return runDir_; }
  const std::filesystem::path& Prefix() const { return prefix_; }
  std::filesystem::path DriveC() const { return prefix_ / "drive_c"; }
  std::filesystem::path WindowsDir() const { return DriveC() / "windows"; }
  SaverArch Arch() const { return config_.arch; }
  // Where the saver's process finds the system's libraries: syswow64 for a 32-bit saver in a 64-bit prefix.
  std::filesystem::path SaverSystemDir() const;
  // A Windows-side helper of the win64 build that looks at the saver from outside (inspector.exe, testwindow.exe).
  std::filesystem::path ToolPath(const std::string& fileName) const;
  // A Windows-side helper of the saver's own build: what the saver loads (mpr_test.dll, password_test.cpl) or
  // what must run as it does (profile_script.exe).
  std::filesystem::path SaverToolPath(const std::string& fileName) const;
  // lumora.scr of the build under test; throws, naming the build command, when it has not been built.
  std::filesystem::path ScrPath() const;
  // lumora-lists.exe (or lumora-listsw.exe) of the same build (the 64-bit one is made for the tests alone); throws
  // the same way.
  std::filesystem::path ListsToolPath(const std::string& fileName = "lumora-lists.exe") const;
  // lumora.scr of the win64 build, the one the installer puts on 64-bit Windows.
  std::filesystem::path Win64ScrPath() const { return config_.toolsDir / "src" / "lumora.scr"; }
  // lumora-setup.exe; throws, naming the build command, when it has not been built.
  std::filesystem::path InstallerPath() const;
  // A fresh file name under the run's log folder.
  std::filesystem::path NewLogPath(const std::string& stem, const std::string& extension);

  Environment WineEnvironment(const WineRunOptions& options = {}) const;
  // Starts `wine PROGRAM ARGS...`; the program may be a Unix path or a Windows path inside the prefix.
  WineProcess Start(const std::string& program, const std::vector<std::string>& args,
                    const WineRunOptions& options = {});
  // Runs a program to its end (killing it and throwing after the timeout) and returns its exit code.
  int Run(const std::string& program, const std::vector<std::string>& args, std::chrono::milliseconds timeout,
          const WineRunOptions& options = {});
  // A command of the session's resident inspector (inspector.exe COMMAND ARGS...), started again if it has gone.
  InspectorAnswer AskInspector(const std::vector<std::string>& args, std::chrono::milliseconds limit);
  // As reg add KEY /v NAME /t TYPE /d DATA /f, e.g. ("HKCU\\Software\\Wine", "Version", "REG_SZ", "win98").
  void SetRegistryValue(const std::string& key, const std::string& name, const std::string& type,
                        const std::string& data);
  void DeleteRegistryValue(const std::string& key, const std::string& name);
  // The data of a value as reg query prints it; nothing when the key or the value is missing.
  std::optional<std::string> RegistryValue(const std::string& key, const std::string& name);

  std::chrono::milliseconds StartDuration() const { return startDuration_; }

  // Whether Wine runs as a standard user; the harness itself keeps its own rights.
  bool StandardUser() const { return user_.has_value(); }
  // Hands the Windows directory, everything in it included, to root: the standard user may read it, not change it,
  // as setup has left it.
  void CloseWindowsDirectory();
  // Whether the standard user may write this file of the prefix, as an access right granted to them would say.
  void AllowStandardUserToWrite(const std::filesystem::path& file, bool allowed);

 private:
  void RequireTools() const;
  void StartWine();
  void StartAsStandardUser();
  void InitialisePrefix();
  ProcessSpec LaunchSpec(const std::string& program, const std::vector<std::string>& args,
                         const WineRunOptions& options);
  void StartInspector();
  void StartServer();
  void StopServer();
  // The command as the Unix user Wine runs as.
  std::vector<std::string> AsWineUser(std::vector<std::string> argv) const;
  void SplitIntoMonitors();
  void WaitForServerSocket();
  void Stop();

  SessionConfig config_;
  // runDir_ holds the logs and the harness's files; wineDir_ the prefix and the Wine user's home and working folder
  // (runDir_ itself unless Wine runs as a standard user).
  std::filesystem::path runDir_, wineDir_, prefix_, logsDir_;
  int logCounter_ = 0;
  std::unique_ptr<XvfbServer> xvfb_;
  std::unique_ptr<XDisplay> x_;
  std::optional<ChildProcess> wineserver_;
  std::optional<ResidentInspector> inspector_;
  std::chrono::milliseconds startDuration_{0};
  std::optional<UnixUser> user_;
};

}  // namespace lumora::e2e
