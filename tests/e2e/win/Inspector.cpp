// inspector.exe: looks at the windows of the programs running under the same Wine server and prints what it sees
// as key=value lines (UTF-8, escaped as LineEscape.h says). Exit code 0 on success, 1 with a message on stderr.
// `inspector serve` stays running and takes one command after another from stdin (see Serve), the registry
// commands among them.
#include <windows.h>

#include <shellapi.h>
#include <tlhelp32.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <stdexcept>
#include <string>
#include <vector>

#include "LineEscape.h"
#include "RegistryValues.h"

namespace {

using namespace lumora::e2e;
using namespace lumora::e2e::win;

constexpr UINT kQueryTimeoutMs = 3000;
constexpr UINT kDefaultSendTimeoutMs = 1000;

using Args = std::vector<std::string>;

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
  return result;
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring result(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
  return result;
}

void Print(const char* key, const std::string& value) { std::printf("%s=%s\n", key, EscapeLine(value).c_str()); }
void Print(const char* key, long long value) { std::printf("%s=%lld\n", key, value); }
void PrintFlag(const char* key, bool value) { std::printf("%s=%d\n", key, value ? 1 : 0); }
void PrintHex(const char* key, unsigned long long value) { std::printf("%s=0x%llx\n", key, value); }
void PrintHandle(const char* key, HWND window) { PrintHex(key, reinterpret_cast<UINT_PTR>(window)); }
void PrintRect(const char* key, const RECT& r) {
  std::printf("%s=%ld,%ld,%ld,%ld\n", key, r.left, r.top, r.right, r.bottom);
}

unsigned long long ParseNumber(const std::string& text) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  char* end = nullptr;
  const unsigned long long value = text.starts_with('-')
                                       ? static_cast<unsigned long long>(std::strtoll(text.c_str(), &end, 10))
                                       : std::strtoull(text.c_str(), &end, hex ? 16 : 10);
  if (text.empty() || *end != '\0') throw std::runtime_error("not a number: " + text);
  return value;
}

HWND ParseWindow(const std::string& text) {
  HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(ParseNumber(text)));
  if (!IsWindow(window)) throw std::runtime_error("not a window: " + text);
  return window;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  return name;
}

std::wstring StoredTextOf(HWND window) {
  wchar_t text[1024] = L"";
  InternalGetWindowText(window, text, 1024);
  return text;
}

// WM_GETTEXT is marshalled between processes; a window that does not answer in time still has its stored caption.
std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kQueryTimeoutMs, &length) != 0) {
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                            kQueryTimeoutMs, &copied) != 0) {
      text.resize(copied);
      return text;
    }
  }
  return StoredTextOf(window);
}

// How a command learns a window's text: by asking the window, or, for a program held stopped, which could not
// answer, from what the system stored (nothing else is asked of its windows then).
enum class Asking { Window, Nothing };

std::wstring TextOf(HWND window, Asking asking) {
  return asking == Asking::Window ? TextOf(window) : StoredTextOf(window);
}

bool Matches(const std::string& pattern, const std::wstring& value, bool ignoreCase) {
  if (pattern == "*") return true;
  const std::wstring wanted = Wide(pattern);
  return ignoreCase ? lstrcmpiW(wanted.c_str(), value.c_str()) == 0 : wanted == value;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> windows;
  EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// The first visible match in z-order, else the first hidden one: programs keep hidden helper windows around.
HWND FindTopLevel(const std::string& className, const std::string& title) {
  HWND hiddenMatch = nullptr;
  for (HWND window : TopLevelWindows()) {
    if (!Matches(className, ClassOf(window), true)) continue;
    if (title != "*" && !Matches(title, TextOf(window), false)) continue;
    if (IsWindowVisible(window)) return window;
    if (hiddenMatch == nullptr) hiddenMatch = window;
  }
  return hiddenMatch;
}

void PrintFound(HWND window) {
  if (window != nullptr) PrintHandle("hwnd", window);
  else Print("hwnd", std::string("none"));
}

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

void DescribeWindow(HWND window, Asking asking) {
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  const LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
  RECT bounds{}, client{};
  GetWindowRect(window, &bounds);
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  PrintHandle("hwnd", window);
  Print("class", Utf8(ClassOf(window)));
  Print("text", Utf8(TextOf(window, asking)));
  PrintHex("style", static_cast<DWORD>(style));
  PrintHex("exstyle", static_cast<DWORD>(exStyle));
  PrintFlag("topmost", (exStyle & WS_EX_TOPMOST) != 0);
  PrintFlag("borderless", (style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME)) == 0);
  PrintFlag("visible", IsWindowVisible(window));
  PrintFlag("enabled", IsWindowEnabled(window));
  PrintRect("rect", bounds);
  PrintRect("client", client);
  PrintHandle("owner", GetWindow(window, GW_OWNER));
  Print("pid", ProcessOf(window));
}

void DescribeScrollBar(HWND control) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  if (!GetScrollInfo(control, SB_CTL, &info)) {
    info.nPos = static_cast<int>(SendMessageW(control, SBM_GETPOS, 0, 0));
    SendMessageW(control, SBM_GETRANGE, reinterpret_cast<WPARAM>(&info.nMin), reinterpret_cast<LPARAM>(&info.nMax));
  }
  Print("pos", info.nPos);
  Print("min", info.nMin);
  Print("max", info.nMax);
  Print("page", info.nPage);
}

void DescribeChild(HWND child, Asking asking) {
  const std::wstring className = ClassOf(child);
  const LONG style = GetWindowLongW(child, GWL_STYLE);
  HWND parent = GetAncestor(child, GA_PARENT);
  RECT bounds{};
  GetWindowRect(child, &bounds);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
  PrintHandle("child", child);
  PrintHandle("parent", parent);
  Print("id", GetDlgCtrlID(child));
  Print("class", Utf8(className));
  Print("text", Utf8(TextOf(child, asking)));
  PrintHex("style", static_cast<DWORD>(style));
  PrintFlag("visible", (style & WS_VISIBLE) != 0);
  PrintFlag("shown", IsWindowVisible(child));
  PrintFlag("enabled", (style & WS_DISABLED) == 0);
  PrintRect("rect", bounds);
  if (asking == Asking::Nothing) return;
  if (lstrcmpiW(className.c_str(), L"Button") == 0) {
    DWORD_PTR check = 0;  // none printed when the button did not answer in time
    if (SendMessageTimeoutW(child, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kQueryTimeoutMs, &check) != 0)
      Print("check", static_cast<long long>(check));
  } else if (lstrcmpiW(className.c_str(), L"ScrollBar") == 0) {
    DescribeScrollBar(child);
  }
}

void DescribeDialog(HWND dialog) {
  PrintHandle("dialog", dialog);
  Print("caption", Utf8(TextOf(dialog)));
  PrintHandle("owner", GetWindow(dialog, GW_OWNER));
  PrintFlag("visible", IsWindowVisible(dialog));
  Print("pid", ProcessOf(dialog));
  for (HWND child : Descendants(dialog)) {
    const std::wstring className = ClassOf(child);
    const std::string text = Utf8(TextOf(child));
    if (lstrcmpiW(className.c_str(), L"Button") == 0) Print("button", text);
    else if (lstrcmpiW(className.c_str(), L"Static") == 0 && !text.empty()) Print("static", text);
  }
}

// Sent with a time limit: a click whose handler opens a modal box returns only when the box closes, so "pending"
// is an answer, not an error.
void SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs) {
  DWORD_PTR result = 0;
  if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result) != 0) {
    Print("result", static_cast<long long>(result));
  } else if (GetLastError() == ERROR_TIMEOUT) {
    Print("result", std::string("pending"));
  } else {
    throw std::runtime_error("sending failed, error " + std::to_string(GetLastError()));
  }
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!PostMessageW(window, message, wParam, lParam)) {
    throw std::runtime_error("posting failed, error " + std::to_string(GetLastError()));
  }
  PrintFlag("posted", true);
}

void Wait(const Args& args) {
  const ULONGLONG deadline = GetTickCount64() + ParseNumber(args.at(3));
  for (;;) {
    if (HWND window = FindTopLevel(args.at(1), args.at(2))) return PrintHandle("hwnd", window);
    if (GetTickCount64() >= deadline) break;
    Sleep(25);
  }
  PrintFound(nullptr);
  throw std::runtime_error("no window of class " + args[1] + " titled " + args[2]);
}

void PrintCursor() {
  CURSORINFO info{};
  info.cbSize = sizeof info;
  if (!GetCursorInfo(&info)) throw std::runtime_error("GetCursorInfo failed");
  PrintFlag("showing", (info.flags & CURSOR_SHOWING) != 0);
  PrintHex("cursor", reinterpret_cast<UINT_PTR>(info.hCursor));
  Print("x", info.ptScreenPos.x);
  Print("y", info.ptScreenPos.y);
}

void ScreensaverRunning() {
  BOOL running = FALSE;
  if (!SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0)) throw std::runtime_error("query failed");
  PrintFlag("running", running != FALSE);
}

// The system's handle table as NtQuerySystemInformation gives it (SystemHandleInformation, 16): Wine 8's
// GetProcessHandleCount says 0 whatever a process holds.
struct SystemHandleEntry {
  ULONG ownerProcessId;
  BYTE objectType, flags;
  USHORT handle;
  PVOID object;
  ACCESS_MASK access;
};
struct SystemHandles {
  ULONG count;
  SystemHandleEntry entries[1];
};

long long HandlesOf(DWORD processId) {
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (query == nullptr) throw std::runtime_error("no NtQuerySystemInformation");
  std::vector<BYTE> buffer(1 << 16);
  ULONG needed = 0;
  LONG status;
  while ((status = query(16, buffer.data(), static_cast<ULONG>(buffer.size()), &needed)) ==
         static_cast<LONG>(0xC0000004))  // STATUS_INFO_LENGTH_MISMATCH
    buffer.resize(buffer.size() * 2);
  if (status < 0) throw std::runtime_error("NtQuerySystemInformation failed");
  const auto* table = reinterpret_cast<const SystemHandles*>(buffer.data());
  long long count = 0;
  for (ULONG i = 0; i < table->count; ++i) count += table->entries[i].ownerProcessId == processId ? 1 : 0;
  return count;
}

// The handles the process of `window` holds, and its threads (Wine's own among them).
void PrintProcessCounts(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  Print("handles", HandlesOf(id));
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    if (entry.th32ProcessID == id) Print("threads", static_cast<long long>(entry.cntThreads));
  CloseHandle(snapshot);
}

void PrintMutex(const std::string& name) {
  HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
  PrintFlag("exists", mutex != nullptr);
  if (mutex != nullptr) CloseHandle(mutex);
}

// Posts the display timer's message to the window and reads the screen's pixel at (x, y) until it changes to
// another colour than `passedOver` (the background a tick shows while it hides a picture): the milliseconds that
// took, from inside Wine, with nothing between the program and the screen but a pixel read.
void TickToPixel(HWND window, int x, int y, DWORD timeoutMs, COLORREF passedOver) {
  HDC screen = GetDC(nullptr);
  const COLORREF before = GetPixel(screen, x, y);
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  PostMessageA(window, WM_TIMER, 1, 0);
  double ms = -1;
  for (;;) {
    QueryPerformanceCounter(&now);
    const double elapsed = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
    const COLORREF pixel = GetPixel(screen, x, y);
    if (pixel != before && pixel != passedOver) {
      ms = elapsed;
      break;
    }
    if (elapsed > timeoutMs) break;
  }
  ReleaseDC(nullptr, screen);
  std::printf("ms=%.1f\n", ms);
}

void PrintScreen() {
  HDC screen = GetDC(nullptr);
  Print("width", GetSystemMetrics(SM_CXSCREEN));
  Print("height", GetSystemMetrics(SM_CYSCREEN));
  Print("bits", GetDeviceCaps(screen, BITSPIXEL));
  Print("dpi", GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
}

// The primary display's resolution changed as the Display control panel changes it; every top-level window is told
// (WM_DISPLAYCHANGE). Under Wine this sets the X screen's mode through XRandR.
void SetDisplayMode(int width, int height) {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(height);
  const LONG result = ChangeDisplaySettingsW(&mode, 0);
  if (result != DISP_CHANGE_SUCCESSFUL) throw std::runtime_error("ChangeDisplaySettings: " + std::to_string(result));
}

HWND WindowArg(const Args& args, size_t index) { return ParseWindow(args.at(index)); }
unsigned long long NumberArg(const Args& args, size_t index) { return ParseNumber(args.at(index)); }
UINT TimeoutArg(const Args& args, size_t index) {
  return static_cast<UINT>(args.size() > index ? ParseNumber(args[index]) : kDefaultSendTimeoutMs);
}

void DescribeChildren(HWND parent, Asking asking) {
  for (HWND child : Descendants(parent)) DescribeChild(child, asking);
}

void DescribeDialogs() {
  for (HWND window : TopLevelWindows())
    if (ClassOf(window) == L"#32770") DescribeDialog(window);
}

struct Command {
  const char* name;
  void (*run)(const Args&);
};

constexpr Command kCommands[] = {
    {"find", [](const Args& a) { PrintFound(FindTopLevel(a.at(1), a.at(2))); }},                   // CLASS TITLE
    {"wait", [](const Args& a) { Wait(a); }},                                                      // CLASS TITLE MS
    {"window", [](const Args& a) { DescribeWindow(WindowArg(a, 1), Asking::Window); }},            // HWND
    {"children", [](const Args& a) { DescribeChildren(WindowArg(a, 1), Asking::Window); }},        // HWND
    {"held-window", [](const Args& a) { DescribeWindow(WindowArg(a, 1), Asking::Nothing); }},      // HWND
    {"held-children", [](const Args& a) { DescribeChildren(WindowArg(a, 1), Asking::Nothing); }},  // HWND
    {"dialogs", [](const Args&) { DescribeDialogs(); }},
    {"click", [](const Args& a) { SendWithTimeout(WindowArg(a, 1), BM_CLICK, 0, 0, TimeoutArg(a, 2)); }},  // HWND [MS]
    {"send",  // HWND MSG WPARAM LPARAM [MS]
     [](const Args& a) {
       SendWithTimeout(WindowArg(a, 1), static_cast<UINT>(NumberArg(a, 2)), NumberArg(a, 3), NumberArg(a, 4),
                       TimeoutArg(a, 5));
     }},
    {"post",  // HWND MSG WPARAM LPARAM
     [](const Args& a) {
       Post(WindowArg(a, 1), static_cast<UINT>(NumberArg(a, 2)), NumberArg(a, 3), NumberArg(a, 4));
     }},
    {"send-many",  // HWND MSG WPARAM LPARAM COUNT MS: the same message COUNT times, each once the one before has
                   // been handled or MS have passed
     [](const Args& a) {
       for (unsigned long long i = 0; i < NumberArg(a, 5); ++i) {
         DWORD_PTR result = 0;
         SendMessageTimeoutW(WindowArg(a, 1), static_cast<UINT>(NumberArg(a, 2)), NumberArg(a, 3), NumberArg(a, 4),
                             SMTO_NORMAL, static_cast<UINT>(NumberArg(a, 6)), &result);
       }
     }},
    {"post-many",  // HWND MSG WPARAM LPARAM COUNT: the same message COUNT times, as fast as the queue takes it
     [](const Args& a) {
       for (unsigned long long i = 0; i < NumberArg(a, 5); ++i)
         Post(WindowArg(a, 1), static_cast<UINT>(NumberArg(a, 2)), NumberArg(a, 3), NumberArg(a, 4));
     }},
    {"message-number",  // NAME: the number of a registered window message
     [](const Args& a) { Print("result", static_cast<long long>(RegisterWindowMessageA(a.at(1).c_str()))); }},
    {"close", [](const Args& a) { Post(WindowArg(a, 1), WM_CLOSE, 0, 0); }},                      // HWND
    {"set-text", [](const Args& a) { SetWindowTextW(WindowArg(a, 1), Wide(a.at(2)).c_str()); }},  // HWND TEXT
    {"foreground", [](const Args&) { PrintFound(GetForegroundWindow()); }},
    {"screensaver-running", [](const Args&) { ScreensaverRunning(); }},
    {"mutex", [](const Args& a) { PrintMutex(a.at(1)); }},                           // NAME: whether it exists
    {"process-counts", [](const Args& a) { PrintProcessCounts(WindowArg(a, 1)); }},  // HWND
    {"cursor", [](const Args&) { PrintCursor(); }},
    {"screen", [](const Args&) { PrintScreen(); }},
    {"display-mode",  // WIDTH HEIGHT
     [](const Args& a) { SetDisplayMode(static_cast<int>(NumberArg(a, 1)), static_cast<int>(NumberArg(a, 2))); }},
    {"tick-to-pixel",  // HWND X Y MS RGB: from a posted timer message until that pixel shows a new colour, not RGB
     [](const Args& a) {
       const unsigned long long rgb = NumberArg(a, 5);
       TickToPixel(WindowArg(a, 1), static_cast<int>(NumberArg(a, 2)), static_cast<int>(NumberArg(a, 3)),
                   static_cast<DWORD>(NumberArg(a, 4)), RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF));
     }},
    {"reg-set",  // KEY NAME TYPE DATA, as reg add takes them
     [](const Args& a) { SetRegistryValue(Wide(a.at(1)), Wide(a.at(2)), Wide(a.at(3)), Wide(a.at(4))); }},
    {"reg-delete", [](const Args& a) { DeleteRegistryValue(Wide(a.at(1)), Wide(a.at(2))); }},  // KEY NAME
    {"reg-query",  // KEY NAME: found=0, or found=1 and the data as reg query prints it
     [](const Args& a) {
       const auto data = RegistryValue(Wide(a.at(1)), Wide(a.at(2)));
       PrintFlag("found", data.has_value());
       if (data) Print("data", Utf8(*data));
     }},
};

void Run(const Args& args) {
  for (const Command& command : kCommands)
    if (args.at(0) == command.name) return command.run(args);
  throw std::runtime_error("unknown command: " + args.at(0));
}

// Runs one command; its failure goes to stderr, or, while serving, into the answer as "!error=MESSAGE".
int RunReporting(const Args& args, bool serving) {
  std::string failure;
  try {
    if (args.empty()) throw std::runtime_error("usage: inspector COMMAND [ARGUMENTS...]");
    Run(args);
  } catch (const std::out_of_range&) {
    failure = "missing argument for " + args[0];
  } catch (const std::exception& error) { failure = error.what(); }
  if (failure.empty()) return 0;
  if (serving) Print("!error", failure);
  else std::fprintf(stderr, "inspector: %s\n", failure.c_str());
  return 1;
}

// Arguments are taken from the wide command line so that titles outside the ANSI code page match too.
Args CommandLineArguments() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  Args result;
  for (int i = 1; i < count; ++i) result.push_back(Utf8(arguments[i]));
  LocalFree(arguments);
  return result;
}

// One line of stdin without its line end; false at its end.
bool ReadLine(std::string& line) {
  line.clear();
  char chunk[4096];
  while (std::fgets(chunk, sizeof chunk, stdin) != nullptr) {
    line += chunk;
    if (line.back() == '\n') {
      line.pop_back();
      return true;
    }
  }
  return !line.empty();
}

// A command line of the serve loop: UTF-8 arguments separated by tabs, each escaped as the output is.
Args SplitArguments(const std::string& line) {
  Args args;
  size_t start = 0;
  for (size_t tab = line.find('\t'); tab != std::string::npos; start = tab + 1, tab = line.find('\t', start))
    args.push_back(UnescapeLine(line.substr(start, tab - start)));
  args.push_back(UnescapeLine(line.substr(start)));
  return args;
}

// Commands from stdin, one a line, each answered with its output and "!exit=CODE" at once; ends with stdin. The
// process sitting on the desktop also keeps Wine's desktop process running, which would end about a second after
// the last program on it quits and cost a restart at the next start.
void Serve() {
  GetDesktopWindow();
  GetForegroundWindow();
  for (std::string line; ReadLine(line);) {
    Print("!exit", RunReporting(SplitArguments(line), true));
    std::fflush(stdout);
  }
}

}  // namespace

int main() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  // Places and sizes as they are on the screen: on a scaled display Wine would scale them for a program that does
  // not declare itself aware of the scaling.
  SetProcessDPIAware();
  const Args args = CommandLineArguments();
  if (args.size() == 1 && args[0] == "serve") {
    Serve();
    return 0;
  }
  const int code = RunReporting(args, false);
  std::fflush(stdout);
  return code;
}
