#pragma once
// Child processes of the test run: started with an explicit environment, output sent to files, stopped by pid.
#include <sys/types.h>

#include <csignal>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace lumora::e2e {

// Every harness helper reports a broken precondition with this; gtest turns it into a test failure.
class HarnessError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

using Environment = std::map<std::string, std::string>;

// The environment of this process with some variables replaced and some removed.
Environment CurrentEnvironment();

struct ProcessSpec {
  std::vector<std::string> argv;
  Environment environment;
  std::filesystem::path workingDirectory;
  std::filesystem::path stdoutFile;  // empty: /dev/null
  std::filesystem::path stderrFile;  // empty: /dev/null
  int deathSignal = SIGKILL;         // sent to the child when this test run dies
  int stdinPipe = -1;                // when set: the read end of a pipe for stdin, else /dev/null
  int stdoutPipe = -1;               // when set: the write end of a pipe for stdout, instead of stdoutFile
};

// Owns one child. Output goes to files rather than pipes because Wine's service processes inherit the handles and
// would keep a pipe open long after the program itself has quit; a pipe serves only a reader that waits for a marker
// in what comes through it, never for its end.
class ChildProcess {
 public:
  explicit ChildProcess(const ProcessSpec& launch);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&& other) noexcept;

  pid_t Pid() const { return pid_; }
  // The exit code (128 + signal number for a signal) once the child has ended within the timeout.
  std::optional<int> Wait(std::chrono::milliseconds timeout);
  bool Running();
  void Signal(int signal);
  // SIGKILL, then reaps the child.
  void Kill();

 private:
  void Reap(int status);

  pid_t pid_ = -1;
  std::optional<int> exitCode_;
};

// Runs a command to its end; throws when it does not finish within the timeout.
int RunToEnd(const ProcessSpec& launch, std::chrono::milliseconds timeout);

std::string ReadFile(const std::filesystem::path& path);

}  // namespace lumora::e2e
