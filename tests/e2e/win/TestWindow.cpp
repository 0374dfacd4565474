// A small program for the harness's own tests: a coloured window with known controls that logs the input it gets.
// Usage: testwindow.exe LOGFILE [--hide-cursor] [--screensaver-running] [--call-mpr] [--call-password]
//        [--refuse-windows]   (cbt_test.dll's hook, from this program's folder, for as long as it runs)
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "TestWindowFacts.h"

namespace {

using namespace lumora::test_window;

constexpr COLORREF kBackground = RGB(kRed, kGreen, kBlue);

struct Options {
  const char* logFile = nullptr;
  bool hideCursor = false;
  bool screensaverRunning = false;
  bool callMpr = false;
  bool callPassword = false;
  bool refuseWindows = false;
};

struct App {
  Options options;
  HBRUSH background = nullptr;
};

void Log(const App& app, const char* format, ...) {
  char line[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  if (FILE* file = std::fopen(app.options.logFile, "ab")) {
    std::fprintf(file, "%s\n", line);
    std::fclose(file);
  }
}

void CreateChild(HWND parent, const char* className, const char* text, DWORD style, int id, RECT bounds) {
  CreateWindowExA(0, className, text, WS_CHILD | style, bounds.left, bounds.top, bounds.right - bounds.left,
                  bounds.bottom - bounds.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                  GetModuleHandleA(nullptr), nullptr);
}

void CreateControls(HWND window) {
  CreateChild(window, "BUTTON", "Hidden button", BS_PUSHBUTTON, kHiddenButtonId, {250, 10, 370, 35});
  CreateChild(window, "EDIT", "Edit text", WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, kEditId, {250, 45, 370, 70});
  CreateChild(window, "STATIC", "Label text", WS_VISIBLE | WS_DISABLED, kLabelId, {250, 80, 370, 100});
  CreateChild(window, "BUTTON", "Check me", WS_VISIBLE | BS_AUTOCHECKBOX, kCheckBoxId, {250, 110, 370, 130});
  CreateChild(window, "SCROLLBAR", "", WS_VISIBLE | SBS_HORZ, kScrollBarId, {250, 140, 370, 160});
  CreateChild(window, "BUTTON", "Ask", WS_VISIBLE | BS_PUSHBUTTON, kAskButtonId, {250, 170, 370, 195});
  SendDlgItemMessageA(window, kCheckBoxId, BM_SETCHECK, BST_CHECKED, 0);
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, 0, 50, 0, 17, 0};
  SetScrollInfo(GetDlgItem(window, kScrollBarId), SB_CTL, &info, FALSE);
}

void OnCommand(App& app, HWND window, int id) {
  if (id == kHiddenButtonId) {
    Log(app, "command %d", id);
    SetWindowTextA(window, "Lumora harness window (clicked)");
  } else if (id == kAskButtonId) {
    Log(app, "asking");
    const int answer = MessageBoxA(window, "Do you see this question?", "Harness question", MB_YESNO | MB_ICONQUESTION);
    Log(app, "answer %d", answer);
  }
}

void LogMouse(const App& app, const char* name, LPARAM lParam) {
  Log(app, "%s %d,%d", name, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* app = reinterpret_cast<App*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    app = static_cast<App*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(app));
  }
  if (app == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_CREATE: CreateControls(window); return 0;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, app->background);
      return 1;
    }
    case WM_COMMAND: OnCommand(*app, window, LOWORD(wParam)); return 0;
    case WM_KEYDOWN: Log(*app, "keydown vk=0x%02x", static_cast<unsigned>(wParam)); return 0;
    case WM_KEYUP: Log(*app, "keyup vk=0x%02x", static_cast<unsigned>(wParam)); return 0;
    case WM_SYSKEYDOWN:
      Log(*app, "syskeydown vk=0x%02x alt=%d", static_cast<unsigned>(wParam), (lParam & (1 << 29)) != 0 ? 1 : 0);
      return 0;
    case WM_SYSKEYUP: Log(*app, "syskeyup vk=0x%02x", static_cast<unsigned>(wParam)); return 0;
    case WM_LBUTTONDOWN: SetFocus(window); LogMouse(*app, "lbuttondown", lParam); return 0;
    case WM_LBUTTONUP: LogMouse(*app, "lbuttonup", lParam); return 0;
    case WM_MBUTTONDOWN: LogMouse(*app, "mbuttondown", lParam); return 0;
    case WM_RBUTTONDOWN: LogMouse(*app, "rbuttondown", lParam); return 0;
    case WM_MOUSEMOVE: LogMouse(*app, "mousemove", lParam); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

template <typename Function>
Function ProcAs(FARPROC address) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

// Loads the libraries the way the screensaver does, by their full path in the system folder.
void CallMpr(const App& app, HWND window) {
  HMODULE library = LoadLibraryA("C:\\windows\\system32\\MPR.DLL");
  if (library == nullptr) return Log(app, "mpr missing error=%lu", GetLastError());
  using ChangePassword = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);
  auto change = ProcAs<ChangePassword>(GetProcAddress(library, "PwdChangePasswordA"));
  if (change == nullptr) return Log(app, "mpr loaded, no PwdChangePasswordA");
  Log(app, "mpr result=%lu", change("SCRSAVE", window, 0, 0));
}

void CallPassword(const App& app, HWND window) {
  HMODULE library = LoadLibraryA("C:\\windows\\system32\\PASSWORD.CPL");
  if (library == nullptr) return Log(app, "password missing error=%lu", GetLastError());
  using Verify = BOOL(WINAPI*)(HWND);
  auto verify = ProcAs<Verify>(GetProcAddress(library, "VerifyScreenSavePwd"));
  if (verify == nullptr) return Log(app, "password loaded, no VerifyScreenSavePwd");
  Log(app, "password result=%d", verify(window));
}

bool ParseOptions(int argc, char** argv, Options& options) {
  if (argc < 2) return false;
  options.logFile = argv[1];
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--hide-cursor") == 0) options.hideCursor = true;
    else if (std::strcmp(argv[i], "--screensaver-running") == 0) options.screensaverRunning = true;
    else if (std::strcmp(argv[i], "--call-mpr") == 0) options.callMpr = true;
    else if (std::strcmp(argv[i], "--call-password") == 0) options.callPassword = true;
    else if (std::strcmp(argv[i], "--refuse-windows") == 0) options.refuseWindows = true;
    else return false;
  }
  return true;
}

// Every process of the system that creates a window runs the hook (Windows loads its library into each).
bool InstallRefusingHook(const App& app) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* slash = std::strrchr(path, '\\');
  if (length == 0 || slash == nullptr) return false;
  std::strcpy(slash + 1, "cbt_test.dll");
  HMODULE library = LoadLibraryA(path);
  const auto hook = library != nullptr ? ProcAs<HOOKPROC>(GetProcAddress(library, "RefuseWindows")) : nullptr;
  const bool installed = hook != nullptr && SetWindowsHookExA(WH_CBT, hook, library, 0) != nullptr;
  Log(app, installed ? "refusing windows" : "no refusing hook");
  return installed;
}

}  // namespace

int main(int argc, char** argv) {
  App app;
  if (!ParseOptions(argc, argv, app.options)) return 2;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  app.background = CreateSolidBrush(kBackground);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, 120, 90, 400, 300, nullptr, nullptr,
                                instance, &app);
  if (window == nullptr) return 3;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  SetForegroundWindow(window);
  if (app.options.hideCursor) ShowCursor(FALSE);
  if (app.options.screensaverRunning) SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, nullptr, 0);
  if (app.options.callMpr) CallMpr(app, window);
  if (app.options.callPassword) CallPassword(app, window);
  if (app.options.refuseWindows && !InstallRefusingHook(app)) return 4;
  Log(app, "started hwnd=0x%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (app.options.screensaverRunning) SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
  DeleteObject(app.background);
  return 0;
}
