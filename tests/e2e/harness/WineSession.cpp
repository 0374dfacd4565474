#include "harness/WineSession.h"

#include "harness/Inspector.h"
#include "harness/Prefix.h"

#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <thread>

namespace lumora::e2e {
namespace {

using namespace std::chrono_literals;

std::string BuildCommand(SaverArch arch) {
  const std::string preset = arch == SaverArch::I686 ? "win32" : "win64";
  return "cmake --preset " + preset + " && cmake --build --preset " + preset;
}
constexpr auto kPrefixInitTimeout = 300s;
constexpr auto kToolTimeout = 60s;

bool ProcessAlive(pid_t pid) { return kill(pid, 0) == 0 || errno == EPERM; }

// A standard user's prefix, home and programs are in a folder of the system's temporary one, named alike.
constexpr char kStandardUserRunPrefix[] = "lumora-e2e-run-";

pid_t RunOwner(const std::filesystem::path& run, const std::string& namePrefix) {
  const std::string name = run.filename().string();
  return name.starts_with(namePrefix) ? static_cast<pid_t>(std::atol(name.c_str() + namePrefix.size())) : 0;
}

void RemoveStalePrefix(const std::filesystem::path& prefix) {
  struct stat owner {};
  if (stat(prefix.c_str(), &owner) != 0) return;
  KillLeftoverProcesses(prefix);
  RemoveServerTempDir(prefix, owner.st_uid);
  std::error_code error;
  std::filesystem::remove_all(prefix, error);
}

// Runs killed before they could clean up leave their prefix behind. Their Wine server died with them, but Wine's
// service processes outlive a killed server, so they are ended here, found by the run's prefix. The logs of a
// finished run stay for a day: runs side by side start after one another has failed.
void RemoveStaleRuns(const std::filesystem::path& workDir) {
  std::error_code error;
  const auto dayAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
  for (const auto& entry : std::filesystem::directory_iterator(workDir, error)) {
    const pid_t pid = RunOwner(entry.path(), "run-");
    if (pid <= 0 || ProcessAlive(pid)) continue;
    RemoveStalePrefix(entry.path() / "prefix");
    if (std::filesystem::last_write_time(entry.path(), error) < dayAgo)
      std::filesystem::remove_all(entry.path(), error);
  }
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::temp_directory_path(), error)) {
    const pid_t pid = RunOwner(entry.path(), kStandardUserRunPrefix);
    if (pid <= 0 || ProcessAlive(pid)) continue;
    RemoveStalePrefix(entry.path() / "prefix");
    std::filesystem::remove_all(entry.path(), error);
  }
}

// The programs a standard user runs, copied where that user can reach them: a build tree in root's home is closed
// to others.
std::filesystem::path CopyProgramsForUser(const std::filesystem::path& tree, const std::filesystem::path& to) {
  for (const char* folder : {"src", "tests/e2e/win", "tools/lumora-lists"}) {
    if (!std::filesystem::exists(tree / folder)) continue;  // the lists tool is in the 32-bit tree only
    std::filesystem::create_directories(to / folder);
    for (const auto& entry : std::filesystem::directory_iterator(tree / folder)) {
      const std::string extension = entry.path().extension().string();
      const bool program = extension == ".exe" || extension == ".scr" || extension == ".dll" || extension == ".cpl";
      if (program && entry.is_regular_file())
        std::filesystem::copy_file(entry.path(), to / folder / entry.path().filename());
    }
  }
  return to;
}

std::string Stem(const std::string& program) {
  const auto slash = program.find_last_of("/\\");
  std::string stem = slash == std::string::npos ? program : program.substr(slash + 1);
  const auto dot = stem.rfind('.');
  return dot == std::string::npos ? stem : stem.substr(0, dot);
}

constexpr char kStandardUserName[] = "lumora-standard";

// The Unix user that Wine runs as for a standard user, made once per machine. Runs side by side may both make it.
UnixUser StandardUnixUser(const std::filesystem::path& log) {
  if (geteuid() != 0) throw HarnessError("a standard user's session needs root, which makes the Unix user for it");
  if (getpwnam(kStandardUserName) == nullptr) {
    RunToEnd(ProcessSpec{{"useradd", "--system", "--no-create-home", "--home-dir", "/nonexistent", "--shell",
                          "/usr/sbin/nologin", kStandardUserName},
                         CurrentEnvironment(),
                         "/",
                         log,
                         log},
             kToolTimeout);
  }
  const passwd* entry = getpwnam(kStandardUserName);
  if (entry == nullptr)
    throw HarnessError(std::string("useradd made no user ") + kStandardUserName + ": " + ReadFile(log));
  return {kStandardUserName, entry->pw_uid, entry->pw_gid};
}

void ChangeOwner(const std::filesystem::path& path, unsigned uid, unsigned gid) {
  if (lchown(path.c_str(), uid, gid) != 0) throw HarnessError("cannot change the owner of " + path.string());
}

void ChangeOwnerOfTree(const std::filesystem::path& root, unsigned uid, unsigned gid) {
  ChangeOwner(root, uid, gid);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) ChangeOwner(entry.path(), uid, gid);
}

}  // namespace

const char* ArchName(SaverArch arch) { return arch == SaverArch::I686 ? "i686" : "x86_64"; }

SessionConfig ConfigFromBuild() {
  SessionConfig config;
  const char* arch = std::getenv("LUMORA_E2E_ARCH");
  config.arch = arch != nullptr && std::string(arch) == "x86_64" ? SaverArch::X86_64 : SaverArch::I686;
  config.saverDir = config.arch == SaverArch::I686 ? LUMORA_E2E_WIN32_DIR : LUMORA_E2E_WIN64_DIR;
  config.toolsDir = LUMORA_E2E_WIN64_DIR;
  config.workDir = LUMORA_E2E_WORK_DIR;
  config.installer = std::filesystem::path(LUMORA_E2E_WIN32_DIR) / "installer" / "lumora-setup.exe";
  if (const char* screen = std::getenv("LUMORA_E2E_SCREEN")) config.screen = ParseScreenSize(screen);
  if (const char* monitors = std::getenv("LUMORA_E2E_MONITORS")) {
    std::istringstream list(monitors);
    config.screen = {0, 0, 24};
    for (std::string monitor; std::getline(list, monitor, ',');) {
      config.monitors.push_back(ParseScreenSize(monitor));
      config.screen.width += config.monitors.back().width;
      config.screen.height = std::max(config.screen.height, config.monitors.back().height);
    }
  }
  // Another build of the saver, to measure it against this one.
  if (const char* saverDir = std::getenv("LUMORA_E2E_SAVER_DIR")) config.saverDir = saverDir;
  if (const char* standard = std::getenv("LUMORA_E2E_STANDARD_USER"))
    config.standardUser = std::string(standard) == "1";
  return config;
}

WineSession::WineSession(const SessionConfig& config) : config_(config) {
  const auto started = std::chrono::steady_clock::now();
  RequireTools();
  std::filesystem::create_directories(config_.workDir);
  RemoveStaleRuns(config_.workDir);
  runDir_ = config_.workDir / ("run-" + std::to_string(getpid()));
  wineDir_ = config_.standardUser
                 ? std::filesystem::temp_directory_path() / (kStandardUserRunPrefix + std::to_string(getpid()))
                 : runDir_;
  prefix_ = wineDir_ / "prefix";
  logsDir_ = runDir_ / "logs";
  std::filesystem::create_directories(logsDir_);
  try {
    if (config_.standardUser) StartAsStandardUser();
    xvfb_ = std::make_unique<XvfbServer>(config_.screen, logsDir_ / "xvfb.log");
    x_ = std::make_unique<XDisplay>(DisplayName(), 10s);
    SplitIntoMonitors();
    StartWine();
  } catch (...) {
    Stop();
    throw;
  }
  startDuration_ = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
}

WineSession::~WineSession() { Stop(); }

void WineSession::RequireTools() const {
  for (const char* tool : {"inspector.exe", "testwindow.exe"}) {
    if (!std::filesystem::exists(ToolPath(tool))) {
      throw HarnessError(ToolPath(tool).string() + " is missing: build the Windows side first (" +
                         BuildCommand(SaverArch::X86_64) + ")");
    }
  }
}

std::filesystem::path WineSession::ToolPath(const std::string& fileName) const {
  return config_.toolsDir / "tests" / "e2e" / "win" / fileName;
}

std::filesystem::path WineSession::SaverToolPath(const std::string& fileName) const {
  const auto path = config_.saverDir / "tests" / "e2e" / "win" / fileName;
  if (!std::filesystem::exists(path)) {
    throw HarnessError(path.string() + " is missing: build it first (" + BuildCommand(config_.arch) + ")");
  }
  return path;
}

std::filesystem::path WineSession::SaverSystemDir() const {
  return WindowsDir() / (config_.arch == SaverArch::I686 ? "syswow64" : "system32");
}

std::filesystem::path WineSession::ScrPath() const {
  const auto path = config_.saverDir / "src" / "lumora.scr";
  if (!std::filesystem::exists(path)) {
    throw HarnessError(path.string() + " is missing: build it first (" + BuildCommand(config_.arch) + ")");
  }
  return path;
}

std::filesystem::path WineSession::ListsToolPath(const std::string& fileName) const {
  const auto path = config_.saverDir / "tools" / "lumora-lists" / fileName;
  if (!std::filesystem::exists(path)) {
    throw HarnessError(path.string() + " is missing: build it first (" + BuildCommand(config_.arch) + ")");
  }
  return path;
}

std::filesystem::path WineSession::InstallerPath() const {
  if (!std::filesystem::exists(config_.installer)) {
    throw HarnessError(config_.installer.string() +
                       " is missing: build it first (cmake --build --preset win32 --target installer)");
  }
  return config_.installer;
}

std::filesystem::path WineSession::NewLogPath(const std::string& stem, const std::string& extension) {
  char number[16];
  std::snprintf(number, sizeof number, "%04d", ++logCounter_);
  return logsDir_ / (std::string(number) + "-" + stem + "." + extension);
}

// The persistent server keeps every later program start cheap. A prefix of its own (a standard user's, who must own
// it) is initialised by Wine itself (wineboot --init) before the first program it runs; running `wineboot -i` on top
// of that started a second service manager, after which RpcSs never came up and every desktop start waited ten
// seconds for it.
void WineSession::StartWine() {
  if (!user_) CopyPrefix(PrefixTemplate(config_.workDir), prefix_);
  std::filesystem::create_directories(prefix_);
  StartServer();
  if (user_) InitialisePrefix();
  // Wine reads several monitors of one X screen from Xinerama, which xrandr's monitors feed, not from XRandR. The
  // desktop process reads that when it starts, and it started with the first program: the server starts again.
  if (config_.monitors.size() > 1) {
    SetRegistryValue(kX11DriverKey, "UseXRandR", "REG_SZ", "N");
    inspector_.reset();
    StopServer();
    if (!wineserver_->Wait(20s)) throw HarnessError("wineserver did not end for the restart");
    StartServer();
  }
  AskInspector({"find", "*", "*"}, kToolTimeout);
}

void WineSession::StartAsStandardUser() {
  user_ = StandardUnixUser(NewLogPath("useradd", "log"));
  std::filesystem::remove_all(wineDir_);
  for (const auto& folder : {prefix_, wineDir_ / "home"}) {
    std::filesystem::create_directories(folder);
    ChangeOwner(folder, user_->uid, user_->gid);
  }
  std::filesystem::permissions(wineDir_, std::filesystem::perms(0755));
  const auto programs = wineDir_ / "programs";
  config_.saverDir = CopyProgramsForUser(config_.saverDir, programs / "saver");
  config_.toolsDir = CopyProgramsForUser(config_.toolsDir, programs / "tools");
  if (std::filesystem::exists(config_.installer)) {
    std::filesystem::copy_file(config_.installer, programs / config_.installer.filename());
    config_.installer = programs / config_.installer.filename();
  }
}

void WineSession::InitialisePrefix() {
  WineProcess init = Start("reg", {"add", kX11DriverKey, "/v", "Managed", "/d", "N", "/f"});
  const auto code = init.Wait(kPrefixInitTimeout);
  if (code != 0) {
    throw HarnessError("initialising the Wine prefix failed (" +
                       (code ? "exit code " + std::to_string(*code) : std::string("timeout")) + "): " + init.Stderr() +
                       ReadFile(logsDir_ / "wineserver.log"));
  }
}

void WineSession::StartServer() {
  const auto serverLog = logsDir_ / "wineserver.log";
  wineserver_.emplace(
      ProcessSpec{AsWineUser({"wineserver", "-f", "-p"}), WineEnvironment(), wineDir_, serverLog, serverLog});
  WaitForServerSocket();
}

void WineSession::StopServer() {
  const auto log = NewLogPath("wineserver-k", "log");
  RunToEnd(ProcessSpec{AsWineUser({"wineserver", "-k"}), WineEnvironment(), wineDir_, log, log}, 20s);
}

std::vector<std::string> WineSession::AsWineUser(std::vector<std::string> argv) const {
  if (!user_) return argv;
  std::vector<std::string> launch = {"setpriv", "--reuid=" + std::to_string(user_->uid),
                                     "--regid=" + std::to_string(user_->gid), "--clear-groups", "--"};
  launch.insert(launch.end(), argv.begin(), argv.end());
  return launch;
}

void WineSession::CloseWindowsDirectory() {
  if (user_) ChangeOwnerOfTree(WindowsDir(), 0, 0);
}

void WineSession::AllowStandardUserToWrite(const std::filesystem::path& file, bool allowed) {
  if (!user_) throw HarnessError("no standard user in this session");
  if (allowed) ChangeOwner(file, user_->uid, user_->gid);
  else ChangeOwner(file, 0, 0);
  std::filesystem::permissions(file, std::filesystem::perms(0644));
}

// One wide screen split into monitors as xrandr describes them to X clients; the first takes the screen's one
// output, which makes it the primary. The root window gets a colour that a covered desktop never shows.
void WineSession::SplitIntoMonitors() {
  if (config_.monitors.size() < 2) return;
  Environment environment = CurrentEnvironment();
  environment["DISPLAY"] = DisplayName();
  int left = 0;
  for (size_t i = 0; i < config_.monitors.size(); ++i) {
    const ScreenSize& monitor = config_.monitors[i];
    const std::string geometry = std::to_string(monitor.width) + "/" + std::to_string(monitor.width / 4) + "x" +
                                 std::to_string(monitor.height) + "/" + std::to_string(monitor.height / 4) + "+" +
                                 std::to_string(left) + "+0";
    const auto log = NewLogPath("xrandr", "log");
    RunToEnd(
        ProcessSpec{{"xrandr", "--setmonitor", "monitor" + std::to_string(i), geometry, i == 0 ? "screen" : "none"},
                    environment,
                    runDir_,
                    log,
                    log},
        kToolTimeout);
    left += monitor.width;
  }
  const auto log = NewLogPath("xsetroot", "log");
  RunToEnd(ProcessSpec{{"xsetroot", "-solid", kDesktopColour}, environment, runDir_, log, log}, kToolTimeout);
}

// A program started before the server listens would start a second server of its own for the same prefix.
void WineSession::WaitForServerSocket() {
  struct stat prefixStatus {};
  if (stat(prefix_.c_str(), &prefixStatus) != 0) throw HarnessError("cannot stat " + prefix_.string());
  char serverDir[64];
  std::snprintf(serverDir, sizeof serverDir, "server-%llx-%llx", static_cast<unsigned long long>(prefixStatus.st_dev),
                static_cast<unsigned long long>(prefixStatus.st_ino));
  const auto deadline = std::chrono::steady_clock::now() + kToolTimeout;
  const unsigned uid = user_ ? user_->uid : getuid();
  while (!std::filesystem::exists(ServerTempDir(prefix_, uid) / serverDir / "socket")) {
    if (!wineserver_->Running()) throw HarnessError("wineserver ended: " + ReadFile(logsDir_ / "wineserver.log"));
    if (std::chrono::steady_clock::now() >= deadline) {
      throw HarnessError("no Wine server socket in " + (ServerTempDir(prefix_, uid) / serverDir).string());
    }
    std::this_thread::sleep_for(10ms);
  }
}

void WineSession::Stop() {
  inspector_.reset();
  if (wineserver_) {
    try {
      StopServer();
    } catch (const HarnessError&) {
      // The server is killed by its pid below, which ends every Wine process of the prefix as well.
    }
    if (!wineserver_->Wait(10s)) wineserver_->Kill();
    wineserver_.reset();
    KillLeftoverProcesses(prefix_);
    RemoveServerTempDir(prefix_, user_ ? user_->uid : getuid());
  }
  x_.reset();
  xvfb_.reset();
  std::error_code error;
  if (!prefix_.empty()) std::filesystem::remove_all(prefix_, error);
  if (wineDir_ != runDir_) std::filesystem::remove_all(wineDir_, error);
}

Environment WineSession::WineEnvironment(const WineRunOptions& options) const {
  Environment environment = PrefixEnvironment(prefix_);
  environment["DISPLAY"] = xvfb_ ? xvfb_->DisplayName() : "";
  for (const auto& channel : options.debugChannels) environment["WINEDEBUG"] += "," + channel;
  for (const auto& dllOverride : options.dllOverrides) environment["WINEDLLOVERRIDES"] += ";" + dllOverride;
  if (user_) {
    environment["HOME"] = (wineDir_ / "home").string();
    environment["USER"] = environment["LOGNAME"] = user_->name;
  }
  for (const auto& [name, value] : options.environment) environment[name] = value;
  return environment;
}

ProcessSpec WineSession::LaunchSpec(const std::string& program, const std::vector<std::string>& args,
                                    const WineRunOptions& options) {
  ProcessSpec launch;
  launch.argv = AsWineUser(WineCommand({program}));
  launch.argv.insert(launch.argv.end(), args.begin(), args.end());
  launch.environment = WineEnvironment(options);
  launch.workingDirectory = options.workingDirectory.empty() ? wineDir_ : options.workingDirectory;
  launch.stdoutFile = NewLogPath(Stem(program), "out");
  launch.stderrFile = std::filesystem::path(launch.stdoutFile).replace_extension("err");
  return launch;
}

WineProcess WineSession::Start(const std::string& program, const std::vector<std::string>& args,
                               const WineRunOptions& options) {
  return WineProcess(Stem(program), LaunchSpec(program, args, options));
}

int WineSession::Run(const std::string& program, const std::vector<std::string>& args,
                     std::chrono::milliseconds timeout, const WineRunOptions& options) {
  WineProcess process = Start(program, args, options);
  if (auto code = process.Wait(timeout)) return *code;
  process.Kill();
  throw HarnessError(program + " did not finish within " + std::to_string(timeout.count()) +
                     " ms and was killed; stderr: " + process.Stderr());
}

// Wine's own errors too: a start that fails before the program runs says nothing otherwise.
void WineSession::StartInspector() {
  inspector_.reset();
  inspector_.emplace(LaunchSpec(ToolPath("inspector.exe").string(), {"serve"}, {.debugChannels = {"err+all"}}));
}

InspectorAnswer WineSession::AskInspector(const std::vector<std::string>& args, std::chrono::milliseconds limit) {
  if (!inspector_ || !inspector_->Running()) StartInspector();
  return inspector_->Ask(args, limit);
}

void WineSession::SetRegistryValue(const std::string& key, const std::string& name, const std::string& type,
                                   const std::string& data) {
  const InspectorAnswer answer = AskInspector({"reg-set", key, name, type, data}, kToolTimeout);
  if (answer.exitCode != 0) throw HarnessError("setting " + key + "\\" + name + " failed: " + answer.err);
}

void WineSession::DeleteRegistryValue(const std::string& key, const std::string& name) {
  const InspectorAnswer answer = AskInspector({"reg-delete", key, name}, kToolTimeout);
  if (answer.exitCode != 0) throw HarnessError("deleting " + key + "\\" + name + " failed: " + answer.err);
}

std::optional<std::string> WineSession::RegistryValue(const std::string& key, const std::string& name) {
  const InspectorAnswer answer = AskInspector({"reg-query", key, name}, kToolTimeout);
  if (answer.exitCode != 0) throw HarnessError("reading " + key + "\\" + name + " failed: " + answer.err);
  const Record record = ParseRecord(answer.out);
  if (!record.Flag("found")) return std::nullopt;
  return record.Get("data");
}

}  // namespace lumora::e2e
