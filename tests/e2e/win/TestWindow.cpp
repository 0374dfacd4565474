// A small program for the harness's smoke run: a coloured window that logs the keys and clicks it gets. With
// --refuse-windows it holds cbt_test.dll's hook, from this program's folder, for as long as it runs; with --hold-file
// it keeps that file open without sharing from before its window shows until it ends.
// Usage: testwindow.exe LOGFILE [--refuse-windows] [--hold-file PATH]
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
  bool refuseWindows = false;
  const char* heldFile = nullptr;
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
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, app->background);
      return 1;
    }
    case WM_KEYDOWN: Log(*app, "keydown vk=0x%02x", static_cast<unsigned>(wParam)); return 0;
    case WM_LBUTTONDOWN:
      SetFocus(window);
      LogMouse(*app, "lbuttondown", lParam);
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

template <typename Function>
Function ProcAs(FARPROC address) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

bool ParseOptions(int argc, char** argv, Options& options) {
  if (argc < 2) return false;
  options.logFile = argv[1];
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--refuse-windows") == 0) options.refuseWindows = true;
    else if (std::strcmp(argv[i], "--hold-file") == 0 && i + 1 < argc) options.heldFile = argv[++i];
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
  const HANDLE held = app.options.heldFile ? CreateFileA(app.options.heldFile, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                                         FILE_ATTRIBUTE_NORMAL, nullptr)
                                           : nullptr;
  if (held == INVALID_HANDLE_VALUE) return 5;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  app.background = CreateSolidBrush(kBackground);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);
  HWND window =
      CreateWindowExA(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, 120, 90, 400, 300, nullptr, nullptr, instance, &app);
  if (window == nullptr) return 3;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  SetForegroundWindow(window);
  if (app.options.refuseWindows && !InstallRefusingHook(app)) return 4;
  Log(app, "started hwnd=0x%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DeleteObject(app.background);
  if (held) CloseHandle(held);
  return 0;
}
