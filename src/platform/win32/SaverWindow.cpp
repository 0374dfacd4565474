#include "platform/win32/SaverWindow.h"

#include <mmsystem.h>

#include "usave1/TForm1.h"

namespace lumora::win32 {

namespace {

constexpr UINT_PTR kTimer1 = 1;
constexpr const char* kPlayerClass = "TMediaPlayer";

}  // namespace

SaverWindow::SaverWindow(Application& application, HINSTANCE instance)
    : application_(application), instance_(instance), backgroundBrush_(CreateSolidBrush(ToColorRef(background_))),
      screenWidth_(GetSystemMetrics(SM_CXSCREEN)), screenHeight_(GetSystemMetrics(SM_CYSCREEN)) {}

SaverWindow::~SaverWindow() {
  if (window_) DestroyWindow(window_);
}

void SaverWindow::Create(TForm1& form) {
  form_ = &form;
  RegisterOwnedClass(kSaverWindowClass, instance_, CS_DBLCLKS);
  WNDCLASSA playerClass{};
  playerClass.lpfnWndProc = PlayerProc;
  playerClass.hInstance = instance_;
  playerClass.lpszClassName = kPlayerClass;
  RegisterClassA(&playerClass);
  PictureWindow::RegisterWindowClass(instance_);

  CreateFor(WS_EX_TOPMOST, kSaverWindowClass, kSaverWindowTitle, WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0,
            screenWidth_, screenHeight_, nullptr, instance_);
  // Created in stacking order from the bottom: each new child window goes on top of its siblings.
  for (PictureWindow& picture : pictures_) picture.Create(window_, instance_, &background_);
  CreateInfoLabel();
  player_ = CreateWindowExA(0, kPlayerClass, "", WS_CHILD, 0, 0, 0, 0, window_, nullptr, instance_, this);
}

void SaverWindow::CreateInfoLabel() {
  label_ = CreateWindowExA(0, "STATIC", kNoPicturesCaption, WS_CHILD | SS_LEFT | SS_NOPREFIX, 68, 183, 469, 106,
                           window_, nullptr, instance_, nullptr);
  labelFont_.reset(CreateFontA(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
  SendMessageA(label_, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_.get()), FALSE);
}

void SaverWindow::Show() {
  ShowWindow(window_, SW_SHOWMAXIMIZED);
  SetForegroundWindow(window_);
  SetFocus(window_);
  UpdateWindow(window_);
}

int SaverWindow::BitsPerPixel() {
  WindowDC dc(nullptr);
  return GetDeviceCaps(dc.Get(), BITSPIXEL) * GetDeviceCaps(dc.Get(), PLANES);
}

void SaverWindow::SetBackground(Rgb colour) {
  background_ = colour;
  backgroundBrush_.reset(CreateSolidBrush(ToColorRef(colour)));
  if (window_) InvalidateRect(window_, nullptr, TRUE);
}

void SaverWindow::ShowInfoLabel(const std::string& caption) {
  SetWindowTextA(label_, caption.c_str());
  ShowWindow(label_, SW_SHOWNA);
}

void SaverWindow::UpdateControl(ControlId id, const PictureControl& control) {
  pictures_[static_cast<int>(id)].Update(control, PixelRect{0, 0, screenWidth_, screenHeight_});
}

void SaverWindow::BringToFront(ControlId id) {
  SetWindowPos(pictures_[static_cast<int>(id)].Handle(), HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void SaverWindow::CopyToSurface(const Picture& picture, int left, int top) {
  if (!window_) return;
  const PixelRect visible = Intersect(PixelRect{0, 0, screenWidth_, screenHeight_},
                                      PixelRect{left, top, left + picture.Width(), top + picture.Height()});
  if (visible.Empty()) return;
  WindowDC dc(window_);
  DrawPicturePart(dc.Get(), picture, visible.left - left, visible.top - top, visible.Width(), visible.Height(),
                  visible.left, visible.top);
}

void SaverWindow::SetTimer(bool enabled, int intervalMs) {
  if (!window_) return;
  KillTimer(window_, kTimer1);
  if (enabled && intervalMs > 0) ::SetTimer(window_, kTimer1, static_cast<UINT>(intervalMs), nullptr);
}

void SaverWindow::InstallInputHook() {
  application_.SetMessageHook([this](const MSG& message) {
    if (form_) form_->deactivate(message.message);
  });
}

void SaverWindow::Close() {
  if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
}

LRESULT SaverWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window_, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, backgroundBrush_.get());
      return 1;
    }
    case WM_CTLCOLORSTATIC:
      SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(reinterpret_cast<HDC>(wParam), ToColorRef(background_));
      return reinterpret_cast<LRESULT>(backgroundBrush_.get());
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMaxPosition = {0, 0};
      info->ptMaxSize = {screenWidth_, screenHeight_};
      return 0;
    }
    case WM_TIMER:
      if (wParam == kTimer1 && form_) application_.Guarded([&] { form_->Timer1Timer(); });
      return 0;
    case WM_CLOSE:
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      application_.SetMessageHook(nullptr);
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      window_ = nullptr;
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK SaverWindow::PlayerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<SaverWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == MM_MCINOTIFY && self && self->form_) {
    TForm1& form = *self->form_;
    self->application_.Guarded([&] {
      form.MediaPlayer1.Notified(static_cast<uint32_t>(wParam));
      form.MediaPlayer1Notify();
    });
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace lumora::win32
