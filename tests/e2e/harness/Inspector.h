#pragma once
// Asks the session's resident inspector and turns its key=value lines into records.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "harness/Image.h"
#include "harness/ResidentInspector.h"

namespace lumora::e2e {

class WineSession;

using Hwnd = std::uint64_t;
std::string HwndText(Hwnd window);  // 0x... as the inspector takes it

// One block of the inspector's output: the lines from one record-starting key to the next, in order.
class Record {
 public:
  void Add(std::string key, std::string value) { fields_.emplace_back(std::move(key), std::move(value)); }
  bool Has(const std::string& key) const;
  // The first value of the key; throws when there is none.
  const std::string& Get(const std::string& key) const;
  std::vector<std::string> All(const std::string& key) const;
  long long Number(const std::string& key) const;  // decimal or 0x hex
  bool Flag(const std::string& key) const { return Number(key) != 0; }
  Rect Rectangle(const std::string& key) const;  // "left,top,right,bottom"
  const std::vector<std::pair<std::string, std::string>>& Fields() const { return fields_; }

 private:
  std::vector<std::pair<std::string, std::string>> fields_;
};

// Splits output into records, each starting at a line whose key is `startKey`; lines before the first go nowhere.
std::vector<Record> ParseRecords(const std::string& output, const std::string& startKey);
// The whole output as one record.
Record ParseRecord(const std::string& output);

struct WindowInfo {
  Hwnd hwnd = 0;
  std::string className, text;
  std::uint32_t style = 0, exStyle = 0;
  bool topmost = false, borderless = false, visible = false, enabled = false;
  Rect rect, client;  // screen coordinates; client is the client area
  Hwnd owner = 0;
  long long pid = 0;
};

struct ScrollInfo {
  int pos = 0, min = 0, max = 0, page = 0;
};

struct ChildInfo {
  Hwnd hwnd = 0, parent = 0;
  int id = 0;
  std::string className, text;
  std::uint32_t style = 0;
  bool visible = false;  // its own WS_VISIBLE
  bool shown = false;    // visible with all its ancestors
  bool enabled = false;
  Rect rect;                         // in the parent's client coordinates
  std::optional<int> check;          // buttons: BM_GETCHECK
  std::optional<ScrollInfo> scroll;  // scroll bar controls
};

struct DialogInfo {
  Hwnd hwnd = 0, owner = 0;
  std::string caption;
  bool visible = false;
  long long pid = 0;
  std::vector<std::string> statics;  // non-empty static texts in child order (the message text among them)
  std::vector<std::string> buttons;  // button texts in child order, with their & markers
};

struct CursorInfo {
  bool showing = false;
  Hwnd cursor = 0;
  int x = 0, y = 0;
};

struct ScreenInfo {
  int width = 0, height = 0, bitsPerPixel = 0, dpi = 0;
};

// Each call is one command of the session's resident inspector, but for the few that read what a program keeps from
// its start (Screen, the display modes, the screensaver-running flag): each of those starts an inspector of its own.
class Inspector {
 public:
  explicit Inspector(WineSession& session) : session_(session) {}

  using Output = InspectorAnswer;
  Output Run(const std::vector<std::string>& args, std::chrono::milliseconds limit = std::chrono::seconds(30));
  // Like Run, but throws with the inspector's message on a non-zero exit code.
  std::string Call(const std::vector<std::string>& args);

  std::optional<Hwnd> Find(const std::string& className, const std::string& title = "*");
  std::optional<Hwnd> Wait(const std::string& className, const std::string& title, std::chrono::milliseconds timeout);
  // `held`: its program is held stopped, so nothing is asked of its windows: texts as the system stored them,
  // children without their check marks and scroll positions.
  WindowInfo Window(Hwnd window, bool held = false);
  std::vector<ChildInfo> Children(Hwnd window, bool held = false);
  std::optional<ChildInfo> ChildById(Hwnd window, int id);
  std::vector<DialogInfo> Dialogs();
  // BM_CLICK; true when the handler has finished, false while it is still running (e.g. in a modal box).
  bool Click(Hwnd button, std::chrono::milliseconds wait = std::chrono::milliseconds(1000));
  // SendMessage with a time limit; nullopt while the message is still being handled.
  std::optional<long long> Send(Hwnd window, unsigned message, std::uint64_t wParam, std::int64_t lParam,
                                std::chrono::milliseconds wait = std::chrono::milliseconds(1000));
  void Post(Hwnd window, unsigned message, std::uint64_t wParam, std::int64_t lParam);
  void Close(Hwnd window);                             // posts WM_CLOSE
  void SetText(Hwnd window, const std::string& text);  // an edit field's text, as if typed
  std::optional<Hwnd> Foreground();
  bool ScreensaverRunning();
  // Whether a named mutex exists: it lives as long as some process holds it.
  bool MutexExists(const std::string& name);
  CursorInfo Cursor();
  ScreenInfo Screen();  // as a Windows program started now sees it
  // As the Display settings change it (ChangeDisplaySettings), to a mode of those a program started now may choose.
  void SetDisplayMode(int width, int height);

 private:
  std::string CallNewProcess(const std::vector<std::string>& args);

  WineSession& session_;
};

}  // namespace lumora::e2e
