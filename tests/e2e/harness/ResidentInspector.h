#pragma once
// `inspector.exe serve`, started once for the session: commands go to it down one pipe and its answers come back
// on another, without a Wine process started for each.
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "harness/Process.h"

namespace lumora::e2e {

struct InspectorAnswer {
  int exitCode = 0;
  std::string out, err;  // err: the command's own error message
};

class ResidentInspector {
 public:
  // `launch` runs `wine inspector.exe serve`; its stdin and stdout become the pipes.
  explicit ResidentInspector(ProcessSpec launch);
  ~ResidentInspector();
  ResidentInspector(const ResidentInspector&) = delete;
  ResidentInspector& operator=(const ResidentInspector&) = delete;

  // Throws when no answer comes within the limit; the inspector is killed then, and Running() says false.
  InspectorAnswer Ask(const std::vector<std::string>& args, std::chrono::milliseconds limit);
  bool Running() { return process_ && process_->Running(); }

 private:
  void Send(const std::vector<std::string>& args);
  // The next line of the answer; nothing when the deadline passes first or the inspector has gone.
  std::optional<std::string> ReadLine(std::chrono::steady_clock::time_point deadline);
  void Fail(const std::string& why);

  int toInspector_ = -1, fromInspector_ = -1;
  std::optional<ChildProcess> process_;
  std::string unread_;
};

}  // namespace lumora::e2e
