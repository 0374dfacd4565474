#include "harness/Inspector.h"

#include <cstdio>
#include <sstream>

#include "harness/WineSession.h"
#include "win/LineEscape.h"

namespace lumora::e2e {
namespace {

template <typename Visit>
void ForEachField(const std::string& output, Visit visit) {
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto equals = line.find('=');
    if (equals != std::string::npos) visit(line.substr(0, equals), UnescapeLine(line.substr(equals + 1)));
  }
}

long long ParseNumber(const std::string& text) {
  size_t used = 0;
  const bool hex = text.starts_with("0x") || text.starts_with("0X");
  const long long value = hex ? static_cast<long long>(std::stoull(text, &used, 16)) : std::stoll(text, &used, 10);
  if (used != text.size()) throw HarnessError("not a number: " + text);
  return value;
}

std::optional<Hwnd> HwndOrNone(const Record& record) {
  const std::string& value = record.Get("hwnd");
  if (value == "none") return std::nullopt;
  return static_cast<Hwnd>(ParseNumber(value));
}

ChildInfo ToChild(const Record& record) {
  ChildInfo child;
  child.hwnd = static_cast<Hwnd>(record.Number("child"));
  child.parent = static_cast<Hwnd>(record.Number("parent"));
  child.id = static_cast<int>(record.Number("id"));
  child.className = record.Get("class");
  child.text = record.Get("text");
  child.style = static_cast<std::uint32_t>(record.Number("style"));
  child.visible = record.Flag("visible");
  child.shown = record.Flag("shown");
  child.enabled = record.Flag("enabled");
  child.rect = record.Rectangle("rect");
  if (record.Has("check")) child.check = static_cast<int>(record.Number("check"));
  if (record.Has("pos")) {
    child.scroll = ScrollInfo{static_cast<int>(record.Number("pos")), static_cast<int>(record.Number("min")),
                              static_cast<int>(record.Number("max")), static_cast<int>(record.Number("page"))};
  }
  return child;
}

DialogInfo ToDialog(const Record& record) {
  DialogInfo dialog;
  dialog.hwnd = static_cast<Hwnd>(record.Number("dialog"));
  dialog.caption = record.Get("caption");
  dialog.owner = static_cast<Hwnd>(record.Number("owner"));
  dialog.visible = record.Flag("visible");
  dialog.pid = record.Number("pid");
  dialog.statics = record.All("static");
  dialog.buttons = record.All("button");
  return dialog;
}

}  // namespace

std::string HwndText(Hwnd window) {
  std::ostringstream text;
  text << "0x" << std::hex << window;
  return text.str();
}

bool Record::Has(const std::string& key) const {
  for (const auto& field : fields_)
    if (field.first == key) return true;
  return false;
}

const std::string& Record::Get(const std::string& key) const {
  for (const auto& field : fields_)
    if (field.first == key) return field.second;
  throw HarnessError("the inspector's output has no " + key + "=");
}

std::vector<std::string> Record::All(const std::string& key) const {
  std::vector<std::string> values;
  for (const auto& field : fields_)
    if (field.first == key) values.push_back(field.second);
  return values;
}

long long Record::Number(const std::string& key) const { return ParseNumber(Get(key)); }

Rect Record::Rectangle(const std::string& key) const {
  int left = 0, top = 0, right = 0, bottom = 0;
  if (std::sscanf(Get(key).c_str(), "%d,%d,%d,%d", &left, &top, &right, &bottom) != 4) {
    throw HarnessError(key + "=" + Get(key) + " is not a rectangle");
  }
  return {left, top, right - left, bottom - top};
}

std::vector<Record> ParseRecords(const std::string& output, const std::string& startKey) {
  std::vector<Record> records;
  ForEachField(output, [&](std::string key, std::string value) {
    if (key == startKey) records.emplace_back();
    if (!records.empty()) records.back().Add(std::move(key), std::move(value));
  });
  return records;
}

Record ParseRecord(const std::string& output) {
  Record record;
  ForEachField(output, [&](std::string key, std::string value) { record.Add(std::move(key), std::move(value)); });
  return record;
}

Inspector::Output Inspector::Run(const std::vector<std::string>& args, std::chrono::milliseconds limit) {
  return session_.AskInspector(args, limit);
}

std::string Inspector::Call(const std::vector<std::string>& args) {
  Output output = Run(args);
  if (output.exitCode != 0) {
    std::string command;
    for (const auto& arg : args) command += " " + arg;
    throw HarnessError("inspector" + command + " failed (exit code " + std::to_string(output.exitCode) +
                       "): " + output.err + output.out);
  }
  return output.out;
}

std::optional<Hwnd> Inspector::Find(const std::string& className, const std::string& title) {
  return HwndOrNone(ParseRecord(Call({"find", className, title})));
}

std::optional<Hwnd> Inspector::Wait(const std::string& className, const std::string& title,
                                    std::chrono::milliseconds timeout) {
  Output output = Run({"wait", className, title, std::to_string(timeout.count())}, timeout + std::chrono::seconds(30));
  return HwndOrNone(ParseRecord(output.out));
}

WindowInfo Inspector::Window(Hwnd window, bool held) {
  const Record record = ParseRecord(Call({held ? "held-window" : "window", HwndText(window)}));
  WindowInfo info;
  info.hwnd = static_cast<Hwnd>(record.Number("hwnd"));
  info.className = record.Get("class");
  info.text = record.Get("text");
  info.style = static_cast<std::uint32_t>(record.Number("style"));
  info.exStyle = static_cast<std::uint32_t>(record.Number("exstyle"));
  info.topmost = record.Flag("topmost");
  info.borderless = record.Flag("borderless");
  info.visible = record.Flag("visible");
  info.enabled = record.Flag("enabled");
  info.rect = record.Rectangle("rect");
  info.client = record.Rectangle("client");
  info.owner = static_cast<Hwnd>(record.Number("owner"));
  info.pid = record.Number("pid");
  return info;
}

std::vector<ChildInfo> Inspector::Children(Hwnd window, bool held) {
  std::vector<ChildInfo> children;
  for (const Record& record : ParseRecords(Call({held ? "held-children" : "children", HwndText(window)}), "child"))
    children.push_back(ToChild(record));
  return children;
}

std::optional<ChildInfo> Inspector::ChildById(Hwnd window, int id) {
  for (ChildInfo& child : Children(window))
    if (child.id == id) return child;
  return std::nullopt;
}

std::vector<DialogInfo> Inspector::Dialogs() {
  std::vector<DialogInfo> dialogs;
  for (const Record& record : ParseRecords(Call({"dialogs"}), "dialog")) dialogs.push_back(ToDialog(record));
  return dialogs;
}

void Inspector::SetText(Hwnd window, const std::string& text) { Call({"set-text", HwndText(window), text}); }

bool Inspector::Click(Hwnd button, std::chrono::milliseconds wait) {
  return ParseRecord(Call({"click", HwndText(button), std::to_string(wait.count())})).Get("result") != "pending";
}

std::optional<long long> Inspector::Send(Hwnd window, unsigned message, std::uint64_t wParam, std::int64_t lParam,
                                         std::chrono::milliseconds wait) {
  const Record record = ParseRecord(Call({"send", HwndText(window), std::to_string(message), std::to_string(wParam),
                                          std::to_string(lParam), std::to_string(wait.count())}));
  if (record.Get("result") == "pending") return std::nullopt;
  return record.Number("result");
}

void Inspector::Post(Hwnd window, unsigned message, std::uint64_t wParam, std::int64_t lParam) {
  Call({"post", HwndText(window), std::to_string(message), std::to_string(wParam), std::to_string(lParam)});
}

void Inspector::Close(Hwnd window) { Call({"close", HwndText(window)}); }

std::optional<Hwnd> Inspector::Foreground() { return HwndOrNone(ParseRecord(Call({"foreground"}))); }

bool Inspector::MutexExists(const std::string& name) { return ParseRecord(Call({"mutex", name})).Flag("exists"); }

CursorInfo Inspector::Cursor() {
  const Record record = ParseRecord(Call({"cursor"}));
  return {record.Flag("showing"), static_cast<Hwnd>(record.Number("cursor")), static_cast<int>(record.Number("x")),
          static_cast<int>(record.Number("y"))};
}

// What a program reads once and keeps (the screen's dots per inch, the display modes, system parameters such as the
// screensaver-running flag) is asked of a new inspector, which reads it as a program started now does.
std::string Inspector::CallNewProcess(const std::vector<std::string>& args) {
  WineProcess process = session_.Start(session_.ToolPath("inspector.exe").string(), args);
  if (process.Wait(std::chrono::seconds(30)) != 0)
    throw HarnessError("inspector " + args.front() + " failed: " + process.Stderr());
  return process.Stdout();
}

bool Inspector::ScreensaverRunning() { return ParseRecord(CallNewProcess({"screensaver-running"})).Flag("running"); }

void Inspector::SetDisplayMode(int width, int height) {
  CallNewProcess({"display-mode", std::to_string(width), std::to_string(height)});
}

ScreenInfo Inspector::Screen() {
  const Record record = ParseRecord(CallNewProcess({"screen"}));
  return {static_cast<int>(record.Number("width")), static_cast<int>(record.Number("height")),
          static_cast<int>(record.Number("bits")), static_cast<int>(record.Number("dpi"))};
}

}  // namespace lumora::e2e
