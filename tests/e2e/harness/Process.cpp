#include "harness/Process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>
#include <utility>

extern char** environ;

namespace lumora::e2e {
namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(10);

std::vector<char*> PointersTo(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (auto& text : strings) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

void RedirectOrDie(const std::filesystem::path& file, int targetFd) {
  const char* name = file.empty() ? "/dev/null" : file.c_str();
  const int fd = open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0 || dup2(fd, targetFd) < 0) _exit(126);
}

// Between fork and exec only async-signal-safe calls are allowed; everything else is prepared beforehand.
[[noreturn]] void ExecChild(const ProcessSpec& launch, char** argv, char** envp, pid_t parent) {
  // Ends the child with the test run even when the run itself is killed.
  prctl(PR_SET_PDEATHSIG, launch.deathSignal);
  if (getppid() != parent) _exit(125);
  setpgid(0, 0);
  const int input = launch.stdinPipe >= 0 ? launch.stdinPipe : open("/dev/null", O_RDONLY | O_CLOEXEC);
  if (input < 0 || dup2(input, STDIN_FILENO) < 0) _exit(126);
  if (launch.stdoutPipe >= 0) {
    if (dup2(launch.stdoutPipe, STDOUT_FILENO) < 0) _exit(126);
  } else {
    RedirectOrDie(launch.stdoutFile, STDOUT_FILENO);
  }
  RedirectOrDie(launch.stderrFile, STDERR_FILENO);
  if (!launch.workingDirectory.empty() && chdir(launch.workingDirectory.c_str()) != 0) _exit(126);
  execvpe(argv[0], argv, envp);
  _exit(127);
}

}  // namespace

Environment CurrentEnvironment() {
  Environment environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const auto equals = text.find('=');
    if (equals != std::string::npos) environment[text.substr(0, equals)] = text.substr(equals + 1);
  }
  return environment;
}

ChildProcess::ChildProcess(const ProcessSpec& launch) {
  if (launch.argv.empty()) throw HarnessError("no command to start");
  std::vector<std::string> arguments = launch.argv;
  std::vector<std::string> variables;
  for (const auto& [name, value] : launch.environment) variables.push_back(name + "=" + value);
  auto argv = PointersTo(arguments);
  auto envp = PointersTo(variables);
  const pid_t parent = getpid();
  pid_ = fork();
  if (pid_ < 0) throw HarnessError(std::string("fork failed: ") + std::strerror(errno));
  if (pid_ == 0) ExecChild(launch, argv.data(), envp.data(), parent);
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0 && !exitCode_) Kill();
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)), exitCode_(other.exitCode_) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
  if (this != &other) {
    if (pid_ > 0 && !exitCode_) Kill();
    pid_ = std::exchange(other.pid_, -1);
    exitCode_ = other.exitCode_;
  }
  return *this;
}

void ChildProcess::Reap(int status) { exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status); }

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!exitCode_ && pid_ > 0) {
    int status = 0;
    const pid_t result = waitpid(pid_, &status, WNOHANG);
    if (result == pid_) Reap(status);
    else if (result < 0) exitCode_ = -1;  // no longer our child: nothing left to wait for
    else if (std::chrono::steady_clock::now() >= deadline) break;
    else std::this_thread::sleep_for(kPollInterval);
  }
  return exitCode_;
}

bool ChildProcess::Running() { return pid_ > 0 && !Wait(std::chrono::milliseconds(0)); }

void ChildProcess::Signal(int signal) {
  if (Running()) kill(pid_, signal);
}

void ChildProcess::Kill() {
  if (!Running()) return;
  kill(pid_, SIGKILL);
  int status = 0;
  if (waitpid(pid_, &status, 0) == pid_) Reap(status);
  else exitCode_ = -1;
}

int RunToEnd(const ProcessSpec& launch, std::chrono::milliseconds timeout) {
  ChildProcess child(launch);
  if (auto code = child.Wait(timeout)) return *code;
  child.Kill();
  throw HarnessError(launch.argv.front() + " did not finish within " + std::to_string(timeout.count()) + " ms");
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

}  // namespace lumora::e2e
