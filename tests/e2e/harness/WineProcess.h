#pragma once
// One Windows program running under the session's Wine server, with its output captured in files.
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "harness/Process.h"

namespace lumora::e2e {

// How one program is run: what Wine traces, which DLLs it loads from where, extra environment.
struct WineRunOptions {
  std::vector<std::string> debugChannels{};  // e.g. "trace+msgbox" (every message box's text on stderr)
  std::vector<std::string> dllOverrides{};   // e.g. "mpr=n" (native), "mpr=" (disabled)
  Environment environment{};                 // extra variables, e.g. ALSA_CONFIG_PATH
  std::filesystem::path workingDirectory{};  // empty: the run's directory
};

class WineProcess {
 public:
  WineProcess(std::string name, const ProcessSpec& launch);

  pid_t Pid() const { return process_.Pid(); }
  const std::string& Name() const { return name_; }
  // The exit code once the program has ended within the timeout.
  std::optional<int> Wait(std::chrono::milliseconds timeout) { return process_.Wait(timeout); }
  bool Running() { return process_.Running(); }
  void Kill() { process_.Kill(); }
  std::string Stdout() const { return ReadFile(stdoutFile_); }
  std::string Stderr() const { return ReadFile(stderrFile_); }
  const std::filesystem::path& StderrFile() const { return stderrFile_; }

 private:
  std::string name_;
  std::filesystem::path stdoutFile_, stderrFile_;
  ChildProcess process_;
};

}  // namespace lumora::e2e
