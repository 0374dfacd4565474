#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

#include "platform/MessageBoxes.h"

namespace lumora::win32 {

// The application object: its title, its message loop with the application-wide hook, and the guard that turns
// an error escaping an event handler into the default error report.
class Application {
 public:
  Application(std::string title, MessageBoxes& boxes) : title_(std::move(title)), boxes_(boxes) {}

  const std::string& Title() const { return title_; }
  void SetMessageHook(std::function<void(const MSG&)> hook) { hook_ = std::move(hook); }

  // Runs the loop until the main window closes.
  void Run();
  // Handles every pending message and returns; a quit request stays queued for the main loop.
  void ProcessMessages();

  template <class Handler>
  void Guarded(Handler&& handler) {
    try {
      handler();
    } catch (const std::exception& error) {
      boxes_.ShowErrorReport(error.what());
    } catch (...) {
      boxes_.ShowErrorReport("Unknown error");
    }
  }

 private:
  void Handle(const MSG& message);

  std::string title_;
  MessageBoxes& boxes_;
  std::function<void(const MSG&)> hook_;
};

}  // namespace lumora::win32
