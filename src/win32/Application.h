#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

#include "platform/MessageBoxes.h"

namespace lumora::win32 {

// The application object: its title, its one message loop, and the guard that turns an error escaping an event
// handler into the default error report.
class Application {
 public:
  // Sees each message the loop takes from the queue before it is translated and dispatched; true when it has
  // handled the message itself.
  using PreTranslate = std::function<bool(MSG&)>;

  Application(std::string title, MessageBoxes& boxes) : title_(std::move(title)), boxes_(boxes) {}

  const std::string& Title() const { return title_; }
  // The hook of the loop that runs now; loops that start later have their own until they end.
  void SetPreTranslate(PreTranslate hook) { preTranslate_ = std::move(hook); }

  // Runs the loop until the application quits. A loop run inside another (a modal window) runs with its own
  // hook until `running` turns false, and leaves a quit request queued for the loop outside it.
  void Run();
  void RunModal(PreTranslate hook, const std::function<bool()>& running);
  // Handles every pending message with the running loop's hook and returns; a quit request stays queued.
  void ProcessMessages();

  template <class Handler>
  void Guarded(Handler&& handler) {
    try {
      handler();
    } catch (const std::exception& error) { boxes_.ShowErrorReport(error.what()); } catch (...) {
      // Not one of ours nor the C++ library's: still reported, as the default handler reports anything.
      boxes_.ShowErrorReport("Unknown error");
    }
  }

 private:
  void Dispatch(MSG& message);

  std::string title_;
  MessageBoxes& boxes_;
  PreTranslate preTranslate_;
};

}  // namespace lumora::win32
