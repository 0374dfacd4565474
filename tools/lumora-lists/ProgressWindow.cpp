#include "lumora-lists/ProgressWindow.h"

#include <windows.h>

#include <commctrl.h>

#include "forms/FormScale.h"
#include "lumora-lists/ListsRun.h"

namespace lumora::win32 {

namespace {

constexpr const char* kClassName = "LumoraListsProgress";
constexpr const char* kTitle = "Lumora";
constexpr const char* kCancelCaption = "Cancel";
constexpr const char* kCheckingText = "Checking the files to list";
// A listing that ends within this many milliseconds shows no window.
constexpr DWORD kQuietMs = 1000;
// The texts change at most this often: a folder read each millisecond would only flicker.
constexpr DWORD kRedrawMs = 100;
// The bar's range: thousandths of the files to look into, however many there are.
constexpr int kBarSteps = 1000;
constexpr int kProgramIcon = 1;  // every program's resources

// The window as designed at 96 DPI: the client area, and the place of each control in it.
struct Place {
  int left, top, width, height;
};
constexpr int kClientWidth = 380, kClientHeight = 110;
constexpr Place kWhatPlace{12, 12, 356, 16};
constexpr Place kCountPlace{12, 32, 356, 16};
constexpr Place kBarPlace{12, 54, 356, 16};
constexpr Place kCancelPlace{293, 78, 75, 23};

int ScreenDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

std::string FilesFound(int found) { return Thousands(found) + (found == 1 ? " file" : " files") + " found so far"; }

}  // namespace

// The window itself, made when the listing has run long enough; its Cancel sets the flag it is given.
class ProgressWindow::Window {
 public:
  Window(bool& cancelled, bool background);
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  void Say(const std::string& what, const std::string& count, int barStep);
  void HandleMessages();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND MakeChild(const char* className, const char* text, DWORD style, const Place& place, int id);
  void Cancel();

  bool& cancelled_;
  const bool background_;
  const int dpi_;
  HFONT font_ = nullptr;
  HWND frame_ = nullptr, what_ = nullptr, count_ = nullptr, bar_ = nullptr;
};

ProgressWindow::Window::Window(bool& cancelled, bool background)
    : cancelled_(cancelled), background_(background), dpi_(ScreenDpi()) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  InitCommonControls();  // the progress bar's class
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kProgramIcon));
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);  // fails harmlessly when a window before this one registered it

  // In the background it has no close box: Alt+F4 or a stray key must not stop a run the user did not start.
  const DWORD style = WS_POPUP | WS_CAPTION | (background_ ? 0 : WS_SYSMENU), exStyle = WS_EX_DLGMODALFRAME;
  RECT frame{0, 0, ScaledToDpi(kClientWidth, dpi_), ScaledToDpi(kClientHeight, dpi_)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  frame_ =
      CreateWindowExA(exStyle, kClassName, kTitle, style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                      (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr, instance, this);
  if (!frame_) return;  // the listing goes on without it
  font_ =
      CreateFontA(FontHeightAt(FontStyle::Regular, dpi_), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
  what_ = MakeChild("STATIC", "", SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, kWhatPlace, 0);
  count_ = MakeChild("STATIC", "", SS_LEFT | SS_NOPREFIX, kCountPlace, 0);
  bar_ = MakeChild(PROGRESS_CLASSA, "", 0, kBarPlace, 0);
  const HWND cancel = MakeChild("BUTTON", kCancelCaption, (background_ ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON) | WS_TABSTOP,
                                kCancelPlace, IDCANCEL);
  SendMessageA(bar_, PBM_SETRANGE, 0, MAKELPARAM(0, kBarSteps));
  ShowWindow(frame_, background_ ? SW_SHOWNOACTIVATE : SW_SHOWNORMAL);
  if (!background_) SetFocus(cancel);
  UpdateWindow(frame_);
}

ProgressWindow::Window::~Window() {
  if (frame_) DestroyWindow(frame_);
  if (font_) DeleteObject(font_);
}

HWND ProgressWindow::Window::MakeChild(const char* className, const char* text, DWORD style, const Place& place,
                                       int id) {
  const HWND child =
      CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, ScaledToDpi(place.left, dpi_),
                      ScaledToDpi(place.top, dpi_), ScaledToDpi(place.width, dpi_), ScaledToDpi(place.height, dpi_),
                      frame_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (child && font_) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return child;
}

void ProgressWindow::Window::Say(const std::string& what, const std::string& count, int barStep) {
  if (!frame_) return;
  SetWindowTextA(what_, what.c_str());
  SetWindowTextA(count_, count.c_str());
  SendMessageA(bar_, PBM_SETPOS, barStep, 0);
}

// Keys reach the Cancel button as in a dialog: Esc, and Space or Enter on it.
void ProgressWindow::Window::HandleMessages() {
  if (!frame_) return;
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (!background_ && IsDialogMessageA(frame_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void ProgressWindow::Window::Cancel() {
  cancelled_ = true;
  ShowWindow(frame_, SW_HIDE);  // the run ends at its next step
}

LRESULT CALLBACK ProgressWindow::Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self && self->background_ && message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  const bool cancelled = (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) || message == WM_CLOSE;
  if (self && cancelled) {
    if (!self->background_ || message == WM_COMMAND) self->Cancel();
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

ProgressWindow::ProgressWindow() = default;
ProgressWindow::~ProgressWindow() = default;

bool ProgressWindow::Reading(const std::string& folder, int found) {
  return ShowAndGoOn("Reading " + folder, FilesFound(found), 0);
}

bool ProgressWindow::Checking(int taken, int total) {
  const int barStep = total > 0 ? static_cast<int>(static_cast<int64_t>(taken) * kBarSteps / total) : 0;
  return ShowAndGoOn(kCheckingText, Thousands(taken) + " of " + Thousands(total), barStep);
}

void ProgressWindow::Close() {
  window_.reset();
  started_.reset();
}

bool ProgressWindow::ShowAndGoOn(const std::string& what, const std::string& count, int barStep) {
  const uint32_t now = GetTickCount();
  if (!started_) started_ = now;
  if (!window_ && now - *started_ >= kQuietMs) {
    window_ = std::make_unique<Window>(cancelled_, background_);
    lastShown_ = now - kRedrawMs;
  }
  if (window_) {
    if (now - lastShown_ >= kRedrawMs) {
      window_->Say(what, count, barStep);
      lastShown_ = now;
    }
    window_->HandleMessages();
  }
  return !cancelled_;
}

}  // namespace lumora::win32
