#include "harness/ResidentInspector.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <csignal>

#include "win/LineEscape.h"

namespace lumora::e2e {
namespace {

constexpr char kExitKey[] = "!exit=";
constexpr char kErrorKey[] = "!error=";

}  // namespace

ResidentInspector::ResidentInspector(ProcessSpec launch) {
  // A write to an inspector that has died must fail here rather than end the test run.
  std::signal(SIGPIPE, SIG_IGN);
  int input[2], output[2];
  if (pipe2(input, O_CLOEXEC) != 0) throw HarnessError("no pipe for the inspector");
  if (pipe2(output, O_CLOEXEC) != 0) {
    close(input[0]);
    close(input[1]);
    throw HarnessError("no pipe for the inspector");
  }
  toInspector_ = input[1];
  fromInspector_ = output[0];
  launch.stdinPipe = input[0];
  launch.stdoutPipe = output[1];
  try {
    process_.emplace(launch);
  } catch (...) {
    close(input[0]);
    close(output[1]);
    throw;
  }
  close(input[0]);
  close(output[1]);
}

ResidentInspector::~ResidentInspector() {
  close(toInspector_);  // its stdin ends: it quits
  if (process_ && !process_->Wait(std::chrono::seconds(5))) process_->Kill();
  close(fromInspector_);
}

InspectorAnswer ResidentInspector::Ask(const std::vector<std::string>& args, std::chrono::milliseconds limit) {
  if (!Running()) throw HarnessError("the inspector is not running");
  Send(args);
  const auto deadline = std::chrono::steady_clock::now() + limit;
  InspectorAnswer answer;
  for (;;) {
    const std::optional<std::string> line = ReadLine(deadline);
    if (!line) Fail(args.front() + " got no answer within " + std::to_string(limit.count()) + " ms");
    if (line->starts_with(kExitKey)) {
      answer.exitCode = std::stoi(line->substr(sizeof kExitKey - 1));
      return answer;
    }
    if (line->starts_with(kErrorKey)) answer.err += UnescapeLine(line->substr(sizeof kErrorKey - 1));
    else answer.out += *line + "\n";
  }
}

void ResidentInspector::Send(const std::vector<std::string>& args) {
  std::string line;
  for (const std::string& arg : args) line += (line.empty() ? "" : "\t") + EscapeLine(arg);
  line += "\n";
  for (size_t written = 0; written < line.size();) {
    const ssize_t count = write(toInspector_, line.data() + written, line.size() - written);
    if (count <= 0) Fail("cannot send " + args.front());
    written += static_cast<size_t>(count);
  }
}

std::optional<std::string> ResidentInspector::ReadLine(std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    const size_t end = unread_.find('\n');
    if (end != std::string::npos) {
      std::string line = unread_.substr(0, end);
      unread_.erase(0, end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return line;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return std::nullopt;
    pollfd ready{fromInspector_, POLLIN, 0};
    if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
    char chunk[4096];
    const ssize_t count = read(fromInspector_, chunk, sizeof chunk);
    if (count <= 0) return std::nullopt;
    unread_.append(chunk, static_cast<size_t>(count));
  }
}

void ResidentInspector::Fail(const std::string& why) {
  if (process_) process_->Kill();
  throw HarnessError("inspector serve: " + why);
}

}  // namespace lumora::e2e
