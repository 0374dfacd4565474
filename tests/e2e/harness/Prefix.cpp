#include "harness/Prefix.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>

namespace lumora::e2e {
namespace {

constexpr char kWine32Loader[] = "/usr/lib/wine/wine";
constexpr char kWine64Loader[] = "/usr/lib/wine/wine64";

using namespace std::chrono_literals;

constexpr char kTemplateName[] = "prefix-template";
constexpr auto kPrefixInitTimeout = 300s;

bool SharedWithTemplate(const std::filesystem::path& relative) {
  const std::string path = relative.generic_string();
  for (const char* folder : {"drive_c/windows/system32/", "drive_c/windows/syswow64/", "drive_c/windows/winsxs/"})
    if (path.starts_with(folder)) return true;
  return false;
}

// Wine initialises an empty prefix itself before the first program it runs; the server then ends by itself once
// nothing runs, with the registry written out. Made beside the template's place and moved there whole: runs side by
// side may look for it meanwhile.
std::filesystem::path MakePrefix(const std::filesystem::path& workDir) {
  const auto made = workDir / (kTemplateName + ("-" + std::to_string(getpid())));
  std::filesystem::remove_all(made);
  std::filesystem::create_directories(made);
  const auto log = workDir / (made.filename().string() + ".log");
  // Without a window manager Wine waits two seconds for one on every window it hides; unmanaged windows skip that.
  const ProcessSpec init{WineCommand({"reg", "add", kX11DriverKey, "/v", "Managed", "/d", "N", "/f"}),
                         PrefixEnvironment(made), workDir, log, log};
  if (RunToEnd(init, kPrefixInitTimeout) != 0)
    throw HarnessError("initialising a Wine prefix failed: " + ReadFile(log));
  RunToEnd({{"wineserver", "-w"}, PrefixEnvironment(made), workDir, log, log}, kPrefixInitTimeout);
  // Each copy names a server folder of its own.
  RemoveServerTempDir(made, getuid());
  std::filesystem::remove(made / "wineserver");
  std::filesystem::remove(log);
  return made;
}

}  // namespace

bool HostRuns32BitWine() {
  static const bool runs = RunToEnd({{kWine32Loader, "--version"}, CurrentEnvironment(), "/", {}, {}}, 10s) == 0;
  return runs;
}

std::vector<std::string> WineCommand(const std::vector<std::string>& programAndArgs) {
  // Without address space randomisation: now and then a randomised mapping takes the address Wine's loader needs
  // for the shared user data, and the program never starts ("failed to map the shared user data: c0000018").
  std::vector<std::string> argv{"setarch", "-R", HostRuns32BitWine() ? "wine" : kWine64Loader};
  argv.insert(argv.end(), programAndArgs.begin(), programAndArgs.end());
  return argv;
}

Environment PrefixEnvironment(const std::filesystem::path& prefix) {
  Environment environment = CurrentEnvironment();
  for (const char* name : {"WINEDEBUG", "WINEDLLOVERRIDES", "WINEPREFIX", "WINEARCH", "WINESERVER", "WINELOADER",
                           "WAYLAND_DISPLAY", "DISPLAY"}) {
    environment.erase(name);
  }
  environment["WINEPREFIX"] = prefix.string();
  // "-all" also keeps Debian's wine wrapper from printing its note about the missing 32-bit Wine.
  environment["WINEDEBUG"] = "-all";
  environment["WINEDLLOVERRIDES"] = kSessionDllOverrides;
  // The 64-bit loader started directly starts the prefix's other programs with itself.
  if (!HostRuns32BitWine()) environment["WINELOADER"] = kWine64Loader;
  return environment;
}

std::filesystem::path PrefixTemplate(const std::filesystem::path& workDir) {
  const auto prefixTemplate = workDir / kTemplateName;
  if (std::filesystem::exists(prefixTemplate)) return prefixTemplate;
  const auto made = MakePrefix(workDir);
  std::error_code error;
  std::filesystem::rename(made, prefixTemplate, error);
  std::filesystem::remove_all(made, error);  // another run's came first
  return prefixTemplate;
}

void RemakePrefixTemplate(const std::filesystem::path& workDir) {
  const auto made = MakePrefix(workDir);
  std::filesystem::remove_all(workDir / kTemplateName);
  std::filesystem::rename(made, workDir / kTemplateName);
}

void CopyPrefix(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::filesystem::create_directories(to);
  for (auto entry = std::filesystem::recursive_directory_iterator(from);
       entry != std::filesystem::recursive_directory_iterator(); ++entry) {
    const auto relative = entry->path().lexically_relative(from);
    const auto target = to / relative;
    if (entry->is_symlink()) std::filesystem::copy_symlink(entry->path(), target);
    else if (entry->is_directory()) std::filesystem::create_directory(target, entry->path());
    else if (SharedWithTemplate(relative)) std::filesystem::create_hard_link(entry->path(), target);
    else std::filesystem::copy_file(entry->path(), target);
  }
}

std::filesystem::path ServerTempDir(const std::filesystem::path& prefix, unsigned uid) {
  const char* tmp = std::getenv("TMPDIR");
  const std::filesystem::path tmpDir = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
  std::string name = ReadFile(prefix / "wineserver");
  name.erase(name.find_last_not_of(" \r\n\t") + 1);
  return name.empty() ? tmpDir / (".wine-" + std::to_string(uid)) : tmpDir / name;
}

void RemoveServerTempDir(const std::filesystem::path& prefix, unsigned uid) {
  const auto folder = ServerTempDir(prefix, uid);
  std::error_code error;
  if (folder.filename().string().starts_with("wine-")) std::filesystem::remove_all(folder, error);
}

void KillLeftoverProcesses(const std::filesystem::path& prefix) {
  const std::string marker = "WINEPREFIX=" + prefix.string();
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    const std::string environment = ReadFile(entry.path() / "environ");
    for (size_t start = 0; start < environment.size();) {
      const size_t end = std::min(environment.find('\0', start), environment.size());
      if (environment.compare(start, end - start, marker) == 0) {
        kill(static_cast<pid_t>(std::stol(name)), SIGKILL);
        break;
      }
      start = end + 1;
    }
  }
}

}  // namespace lumora::e2e
