#include "SettingsWindowRun.h"

#include <X11/keysym.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "settings_window/SettingsLayout.h"

namespace lumora::e2e {

using namespace std::chrono_literals;

RunningSettings::RunningSettings(const WineRunOptions& options) : process_(StartScr({"/c"}, options)) {}

RunningSettings::~RunningSettings() {
  if (process_.Running()) process_.Kill();
}

Hwnd RunningSettings::WaitForWindow(std::chrono::milliseconds timeout) {
  Inspector inspector(Session());
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  // The window exists hidden while the settings file is created or read.
  const std::optional<Hwnd> window = inspector.Wait(kSettingsWindowClass, "*", timeout);
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  if (!window || !WaitFor([&] { return inspector.Window(*window).visible; }, std::max(left, 1000ms)))
    throw HarnessError("the settings window was not shown; stderr in " + process_.StderrFile().string());
  window_ = *window;
  return window_;
}

WindowInfo RunningSettings::Info() { return Inspector(Session()).Window(window_); }

// A button that did not answer in time (on a loaded machine) has no check state: all are asked again.
std::map<int, ChildInfo> RunningSettings::Controls() {
  std::map<int, ChildInfo> controls;
  WaitFor(
      [&] {
        controls.clear();
        for (ChildInfo& child : Inspector(Session()).Children(window_)) controls[child.id] = std::move(child);
        return std::ranges::none_of(
            controls, [](const auto& entry) { return entry.second.className == "Button" && !entry.second.check; });
      },
      10s);
  return controls;
}

ChildInfo RunningSettings::Control(int id) {
  std::optional<ChildInfo> child = Inspector(Session()).ChildById(window_, id);
  if (!child) throw HarnessError("the settings window has no control " + std::to_string(id));
  return *child;
}

Rect RunningSettings::ScreenRect(int id) {
  std::map<Hwnd, ChildInfo> byHandle;
  Hwnd control = 0;
  for (ChildInfo& child : Inspector(Session()).Children(window_)) {
    if (child.id == id) control = child.hwnd;
    byHandle[child.hwnd] = std::move(child);
  }
  if (control == 0) throw HarnessError("the settings window has no control " + std::to_string(id));
  return ScreenRectOf(byHandle, control, Info().client);
}

bool RunningSettings::Click(int id, std::chrono::milliseconds wait) {
  return Inspector(Session()).Click(Control(id).hwnd, wait);
}

Rect ScreenRectOf(const std::map<Hwnd, ChildInfo>& byHandle, Hwnd control, Rect topLevelClient) {
  Rect rect = byHandle.at(control).rect;
  for (auto parent = byHandle.find(byHandle.at(control).parent); parent != byHandle.end();
       parent = byHandle.find(parent->second.parent)) {
    rect.x += parent->second.rect.x;
    rect.y += parent->second.rect.y;
  }
  rect.x += topLevelClient.x;
  rect.y += topLevelClient.y;
  return rect;
}

std::vector<std::string> CheckedCaptions(const std::map<int, ChildInfo>& controls) {
  std::vector<std::string> captions;
  for (const auto& [id, control] : controls)
    if (control.check.value_or(0) == 1) captions.push_back(control.text);
  return captions;
}

std::optional<DialogInfo> WaitForDialog(const std::string& caption, std::chrono::milliseconds timeout) {
  std::optional<DialogInfo> found;
  WaitFor(
      [&] {
        for (DialogInfo& dialog : Inspector(Session()).Dialogs())
          if (dialog.caption == caption && dialog.visible) {
            found = std::move(dialog);
            return true;
          }
        return false;
      },
      timeout);
  return found;
}

ChoosableFiles::ChoosableFiles() : folder(Session().DriveC() / "settings-files") {
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
}

std::string ChoosableFiles::Add(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(folder / name, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw HarnessError("cannot write " + (folder / name).string());
  return ToWindowsPath(folder / name);
}

OpenFileDialog OpenFileDialog::Wait(std::chrono::milliseconds timeout) {
  // Without a title of its own the dialog is the platform's "Open".
  const std::optional<DialogInfo> dialog = WaitForDialog("Open", timeout);
  if (!dialog) throw HarnessError("no open-file dialog");
  Inspector inspector(Session());
  OpenFileDialog open;
  open.client_ = inspector.Window(dialog->hwnd).client;
  for (ChildInfo& child : inspector.Children(dialog->hwnd)) open.controls_[child.hwnd] = std::move(child);
  return open;
}

const ChildInfo& OpenFileDialog::Control(int id) const {
  for (const auto& [hwnd, child] : controls_)
    if (child.id == id) return child;
  throw HarnessError("the open-file dialog has no control " + std::to_string(id));
}

Hwnd OpenFileDialog::OfClass(const std::string& className) const {
  for (const auto& [hwnd, child] : controls_)
    if (child.className == className) return hwnd;
  throw HarnessError("the open-file dialog has no " + className);
}

// The dialog's one edit field that shows: a plain edit with a template of the program's, else a combo box's edit.
Hwnd OpenFileDialog::FileNameEdit() const {
  for (const auto& [hwnd, child] : controls_)
    if (child.className == "Edit" && child.shown) return hwnd;
  throw HarnessError("the open-file dialog has no file name field");
}

// The field's text is selected by keys, which come after the click: a selection sent by a message could come first.
void OpenFileDialog::Choose(const std::string& path) const {
  const Hwnd edit = FileNameEdit();
  const Rect place = ScreenRect(edit);
  Click(place.x + 4, place.y + place.height / 2);
  TapKey(XK_Home);
  TapKey(XK_End, {XK_Shift_L});
  TypeText(path);
  Inspector inspector(Session());
  if (!WaitFor([&] { return inspector.Window(edit).text == path; }, 5s))
    throw HarnessError("the file name typed did not reach the dialog");
  TapKey(XK_Return);
}

long PixelsOtherThan(const Image& image, const Rect& rect, Rgb colour) {
  return static_cast<long>(rect.width) * rect.height - CountPixels(image, rect, colour);
}

std::string FirstDifference(const std::string& actual, const std::string& expected) {
  if (actual == expected) return "";
  size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  const size_t from = at < 40 ? 0 : at - 40;
  return "at byte " + std::to_string(at) + " of " + std::to_string(actual.size()) + " (expected " +
         std::to_string(expected.size()) + "): expected \"" + expected.substr(from, 80) + "\", found \"" +
         actual.substr(from, 80) + "\"";
}

namespace {

struct KeyStroke {
  KeySymbol key;
  bool shift;
};

KeyStroke StrokeFor(char c) {
  if (std::islower(static_cast<unsigned char>(c))) return {static_cast<KeySymbol>(XK_a + (c - 'a')), false};
  if (std::isupper(static_cast<unsigned char>(c))) return {static_cast<KeySymbol>(XK_a + (c - 'A')), true};
  if (std::isdigit(static_cast<unsigned char>(c))) return {static_cast<KeySymbol>(XK_0 + (c - '0')), false};
  switch (c) {
    case '\\': return {XK_backslash, false};
    case ':': return {XK_semicolon, true};
    case '.': return {XK_period, false};
    case '-': return {XK_minus, false};
    case '_': return {XK_minus, true};
    case ' ': return {XK_space, false};
  }
  throw HarnessError(std::string("no key for '") + c + "'");
}

}  // namespace

void TypeText(const std::string& text) {
  for (char c : text) {
    const KeyStroke stroke = StrokeFor(c);
    if (stroke.shift) TapKey(stroke.key, {XK_Shift_L});
    else TapKey(stroke.key);
  }
}

namespace {

constexpr char kUserDesktopKey[] = "HKCU\\Control Panel\\Desktop";

}  // namespace

DisplayDpi::DisplayDpi(int dpi) {
  Session().SetRegistryValue(kUserDesktopKey, "LogPixels", "REG_DWORD", std::to_string(dpi));
}

DisplayDpi::~DisplayDpi() {
  try {
    Session().DeleteRegistryValue(kUserDesktopKey, "LogPixels");
  } catch (const HarnessError& error) { ADD_FAILURE() << "the display's DPI was not put back: " << error.what(); }
}

namespace {

// What chattr +i / -i do.
bool SetImmutable(const std::filesystem::path& path, bool immutable) {
  const int file = open(path.c_str(), O_RDONLY | O_NONBLOCK);
  if (file < 0) return false;
  int flags = 0;
  bool done = ioctl(file, FS_IOC_GETFLAGS, &flags) == 0;
  if (done) {
    flags = immutable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = ioctl(file, FS_IOC_SETFLAGS, &flags) == 0;
  }
  close(file);
  return done;
}

}  // namespace

UnwritableFile::UnwritableFile(std::filesystem::path path) : path_(std::move(path)) {
  if (geteuid() == 0) {
    if (!SetImmutable(path_, true))
      throw HarnessError("cannot make " + path_.string() + " immutable: " + std::strerror(errno));
    immutable_ = true;
  } else {
    permissions_ = std::filesystem::status(path_).permissions();
    std::filesystem::permissions(path_, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                            std::filesystem::perms::others_read);
  }
  held_ = true;
}

UnwritableFile::~UnwritableFile() {
  try {
    Release();
  } catch (...) {
    // Nothing more to do here; the next run's clean-up will report a file it cannot remove.
  }
}

void UnwritableFile::Release() {
  if (!held_) return;
  held_ = false;
  if (immutable_) {
    if (!SetImmutable(path_, false)) throw HarnessError("cannot make " + path_.string() + " writable again");
  } else {
    std::filesystem::permissions(path_, permissions_);
  }
}

}  // namespace lumora::e2e
