#include "harness/Xvfb.h"

#include <signal.h>

#include <cerrno>
#include <cstdlib>
#include <regex>
#include <thread>

#include "harness/XDisplay.h"

namespace lumora::e2e {
namespace {

constexpr int kFirstDisplay = 70;
constexpr int kLastDisplay = 199;
constexpr auto kStartTimeout = std::chrono::seconds(15);

std::filesystem::path LockFile(int number) { return "/tmp/.X" + std::to_string(number) + "-lock"; }

// A lock file names its server's pid; Xvfb itself takes over a display whose lock names a dead process.
bool DisplayTaken(int number) {
  const std::filesystem::path lock = LockFile(number);
  if (!std::filesystem::exists(lock)) return std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number));
  const long pid = std::atol(ReadFile(lock).c_str());
  return pid <= 0 || kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// Xvfb writes its lock before it listens, so a display that accepts while the lock names our server is ours.
bool LockHeldBy(int number, pid_t pid) { return std::atol(ReadFile(LockFile(number)).c_str()) == pid; }

}  // namespace

ScreenSize ParseScreenSize(const std::string& text) {
  static const std::regex pattern(R"((\d+)x(\d+)(?:x(\d+))?)");
  std::smatch match;
  if (!std::regex_match(text, match, pattern)) throw HarnessError("screen size \"" + text + "\" is not WxH or WxHxD");
  ScreenSize size{std::stoi(match[1]), std::stoi(match[2]), match[3].matched ? std::stoi(match[3]) : 24};
  if (size.width <= 0 || size.height <= 0) throw HarnessError("screen size \"" + text + "\" is empty");
  return size;
}

XvfbServer::XvfbServer(ScreenSize size, const std::filesystem::path& logFile) : size_(size) {
  // Another run may take the same free number between our look and Xvfb's lock: then the next number is tried.
  for (int number = kFirstDisplay; number <= kLastDisplay; ++number) {
    if (!DisplayTaken(number) && TryStart(number, logFile)) return;
  }
  throw HarnessError("no free X display number between :" + std::to_string(kFirstDisplay) +
                     " and :" + std::to_string(kLastDisplay));
}

XvfbServer::~XvfbServer() {
  server_->Signal(SIGTERM);
  if (!server_->Wait(std::chrono::seconds(5))) server_->Kill();
}

bool XvfbServer::TryStart(int number, const std::filesystem::path& logFile) {
  const std::string name = ":" + std::to_string(number);
  const std::string screen =
      std::to_string(size_.width) + "x" + std::to_string(size_.height) + "x" + std::to_string(size_.depth);
  // SIGTERM when the run dies, so that Xvfb still removes its lock file and socket.
  server_.emplace(ProcessSpec{{"Xvfb", name, "-screen", "0", screen, "-nolisten", "tcp", "-noreset"},
                              CurrentEnvironment(),
                              {},
                              logFile,
                              logFile,
                              SIGTERM});
  const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
  while (std::chrono::steady_clock::now() < deadline) {
    if (!server_->Running()) return false;
    // Runs started together may pick the same number: the display then belongs to the other run's server,
    // and ours ends on finding its lock.
    if (XDisplay::Accepts(name) && LockHeldBy(number, server_->Pid())) {
      displayName_ = name;
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  server_->Kill();
  throw HarnessError("Xvfb " + name + " did not accept connections within 15 s; see " + logFile.string());
}

}  // namespace lumora::e2e
