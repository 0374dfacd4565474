#pragma once
// lumora-listsw.exe's window for a long listing (Windows only: built into the windowed program alone).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "lumora-lists/CollectFiles.h"
#include "platform/MessageBoxes.h"

namespace lumora::win32 {

// Shows nothing for a listing that ends within about a second. After that a small window names the folder being
// read and how many files were found, then fills its bar as the files taken are looked into; its Cancel, its close
// box or Esc stops the run. In the background (at sign-in) it comes up without taking the focus from the window
// the user types into, and only a click on its Cancel stops the run. Each call handles the window's messages, so
// it answers while the listing goes on.
class ProgressWindow : public ListingProgress {
 public:
  ProgressWindow();
  ~ProgressWindow() override;
  bool Reading(const std::string& folder, int found) override;
  bool Checking(int taken, int total) override;
  void StayInTheBackground() override { background_ = true; }
  // Takes the window off the screen; a listing after this shows it again only after its own second.
  void Close();

 private:
  class Window;
  // Makes the window once the listing has taken long enough, says what it does, and handles the window's
  // messages; false after a Cancel.
  bool ShowAndGoOn(const std::string& what, const std::string& count, int barStep);

  std::optional<uint32_t> started_;  // the tick count at the first call since the window was closed
  uint32_t lastShown_ = 0;           // the tick count when its texts last changed
  std::unique_ptr<Window> window_;
  bool cancelled_ = false;
  bool background_ = false;
};

// The boxes of a run that shows its progress: the progress window goes before a box, which answers the run.
class BoxesAfterProgress : public MessageBoxes {
 public:
  BoxesAfterProgress(MessageBoxes& boxes, ProgressWindow& progress) : boxes_(boxes), progress_(progress) {}
  bool Show(BoxKind kind, const std::string& text, BoxButtons buttons) override {
    progress_.Close();
    return boxes_.Show(kind, text, buttons);
  }
  void ShowErrorReport(const std::string& text) override {
    progress_.Close();
    boxes_.ShowErrorReport(text);
  }

 private:
  MessageBoxes& boxes_;
  ProgressWindow& progress_;
};

}  // namespace lumora::win32
