#pragma once
// The settings window (lumora.scr /c) under Wine for one test: started, looked at and driven through the inspector;
// its message boxes and dialogs; a settings file that the program cannot write.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "harness/Harness.h"
#include "platform/WindowNames.h"

namespace lumora::e2e {

// How long a click that should open a modal box is given to return before it counts as waiting in the box.
constexpr std::chrono::seconds kOpensABox{1};

class RunningSettings {
 public:
  explicit RunningSettings(const WineRunOptions& options = {});
  ~RunningSettings();  // kills the program if it still runs
  RunningSettings(const RunningSettings&) = delete;
  RunningSettings& operator=(const RunningSettings&) = delete;

  // The window once it is shown, which is after the settings file has been created or read.
  Hwnd WaitForWindow(std::chrono::milliseconds timeout = std::chrono::seconds(30));
  Hwnd Window() const { return window_; }
  WindowInfo Info();
  // Every control of the window by its id, hidden ones included.
  std::map<int, ChildInfo> Controls();
  ChildInfo Control(int id);
  // Where the control stands on the screen.
  Rect ScreenRect(int id);
  // BM_CLICK; false while the click's handler still runs after the wait, e.g. in a modal box or dialog. A loaded
  // machine can take seconds over a click that opens nothing, so only a click expected to open a box waits less.
  bool Click(int id, std::chrono::milliseconds wait = std::chrono::seconds(15));
  std::optional<int> WaitForExit(std::chrono::milliseconds timeout) { return process_.Wait(timeout); }
  WineProcess& Process() { return process_; }

 private:
  WineProcess process_;
  Hwnd window_ = 0;
};

// The captions of the checked radio buttons among the controls, in the order of their ids.
std::vector<std::string> CheckedCaptions(const std::map<int, ChildInfo>& controls);

// A control's rectangle on the screen: its rectangle within its parent moved by each ancestor up to the top-level
// window, whose client area is `topLevelClient`. Panels and group boxes have no frame, so their client areas start
// where they do.
Rect ScreenRectOf(const std::map<Hwnd, ChildInfo>& byHandle, Hwnd control, Rect topLevelClient);

// The first dialog or message box with this caption once it is on the screen.
std::optional<DialogInfo> WaitForDialog(const std::string& caption, std::chrono::milliseconds timeout);

// A test's own folder under C:\ of files to choose in the open-file dialog, emptied as the object is made.
struct ChoosableFiles {
  ChoosableFiles();
  // Writes the file and returns its Windows path.
  std::string Add(const std::string& name, const std::vector<std::uint8_t>& bytes);
  std::filesystem::path folder;
};

// The open-file dialog of the settings window (the platform's own), driven like a user would.
class OpenFileDialog {
 public:
  static OpenFileDialog Wait(std::chrono::milliseconds timeout = std::chrono::seconds(15));
  const ChildInfo& Control(int id) const;
  Hwnd OfClass(const std::string& className) const;  // the first control of the class
  Rect ScreenRect(Hwnd control) const { return ScreenRectOf(controls_, control, client_); }
  // Clicks into the file name, replaces it with the path typed and presses Enter.
  void Choose(const std::string& path) const;

 private:
  Hwnd FileNameEdit() const;

  std::map<Hwnd, ChildInfo> controls_;
  Rect client_;
};

// How many pixels of the rectangle are not the colour.
long PixelsOtherThan(const Image& image, const Rect& rect, Rgb colour);

// "" when the texts are equal, else where they first differ, with a little of both around it.
std::string FirstDifference(const std::string& actual, const std::string& expected);

// Types plain text (letters, digits and the characters of a Windows path) with synthetic keys.
void TypeText(const std::string& text);

// While the object lives, the Windows programs started see a display of `dpi` dots per inch: Wine's LogPixels of
// the current user, which comes before the machine's (96 in a new prefix).
class DisplayDpi {
 public:
  explicit DisplayDpi(int dpi);
  ~DisplayDpi();
  DisplayDpi(const DisplayDpi&) = delete;
  DisplayDpi& operator=(const DisplayDpi&) = delete;
};

// While the object lives, Windows programs cannot write the file: it is made immutable when the tests run as root
// (Wine writes read-only files anyway then), and read-only otherwise.
class UnwritableFile {
 public:
  explicit UnwritableFile(std::filesystem::path path);
  ~UnwritableFile();
  UnwritableFile(const UnwritableFile&) = delete;
  UnwritableFile& operator=(const UnwritableFile&) = delete;
  // Makes it writable again before the object ends.
  void Release();

 private:
  std::filesystem::path path_;
  bool immutable_ = false, held_ = false;
  std::filesystem::perms permissions_{};
};

}  // namespace lumora::e2e
