#include "win32/SaverWindow.h"

#include <mmsystem.h>

#include "platform/WindowNames.h"
#include "show/SaverShow.h"
#include "win32/Win32Mci.h"

namespace lumora::win32 {

namespace {

// The timer whose messages are the show's ticks.
constexpr UINT_PTR kTickTimer = 1;
// The window's colour, purple, until the show paints its background as it starts.
constexpr Rgb kBackgroundBeforeStart{128, 0, 128};

}  // namespace

QueuedMessage QueuedMessageOf(UINT message) {
  switch (message) {
    case WM_KEYDOWN: return QueuedMessage::KeyDown;
    case WM_KEYUP: return QueuedMessage::KeyUp;
    case WM_SYSKEYDOWN: return QueuedMessage::SystemKeyDown;
    case WM_SYSKEYUP: return QueuedMessage::SystemKeyUp;
    case WM_LBUTTONDOWN: return QueuedMessage::LeftButtonDown;
    case WM_RBUTTONDOWN: return QueuedMessage::RightButtonDown;
    case WM_MBUTTONDOWN: return QueuedMessage::MiddleButtonDown;
  }
  return QueuedMessage::Other;
}

bool PlayerWindow::Create(HWND parent, HINSTANCE instance, SaverShow& show) {
  show_ = &show;
  return Window::Create(kMediaPlayerWindowClass, 0, 0, "", WS_CHILD, RECT{}, parent, instance);
}

LRESULT PlayerWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != MM_MCINOTIFY) return Default(message, wParam, lParam);
  application_.Guarded([&] { show_->OnMediaNotify(Win32Mci::NotifyOutcome(wParam)); });
  return 0;
}

SaverWindow::SaverWindow(Application& application, HINSTANCE instance)
    : application_(application),
      instance_(instance),
      player_(application),
      covers_(instance),
      screenWidth_(GetSystemMetrics(SM_CXSCREEN)),
      screenHeight_(GetSystemMetrics(SM_CYSCREEN)),
      liveGdiObjectsMessage_(RegisterWindowMessageA(kLiveGdiObjectsMessage)) {
  SetFormBackground(kBackgroundBeforeStart);
}

bool SaverWindow::Create(SaverShow& show) {
  show_ = &show;
  if (!Window::Create(kSaverWindowClass, CS_DBLCLKS, WS_EX_TOPMOST, kSaverWindowTitle,
                      WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, RECT{0, 0, screenWidth_, screenHeight_}, nullptr,
                      instance_))
    return false;
  // Created in stacking order from the bottom: each new child window goes on top of its siblings.
  for (PictureWindow& picture : pictures_)
    if (!picture.Create(Handle(), instance_, &FormBackground())) return false;
  return CreateInfoLabel() && player_.Create(Handle(), instance_, show) && covers_.Create(Placed(), false);
}

bool SaverWindow::CreateInfoLabel() {
  label_ = CreateWindowExA(0, "STATIC", kNoPicturesCaption, WS_CHILD | SS_LEFT | SS_NOPREFIX, 68, 183, 469, 106,
                           Handle(), nullptr, instance_, nullptr);
  labelFont_ =
      OwnGdiObject(CreateFontA(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
  SendMessageA(label_, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_.get()), FALSE);
  return label_ != nullptr;
}

void SaverWindow::Show() {
  ShowWindow(Handle(), SW_SHOWMAXIMIZED);
  SetForegroundWindow(Handle());
  SetFocus(Handle());
  UpdateWindow(Handle());
  covers_.Show();
}

int SaverWindow::BitsPerPixel() {
  WindowDC dc(nullptr);
  return GetDeviceCaps(dc.Get(), BITSPIXEL) * GetDeviceCaps(dc.Get(), PLANES);
}

PixelRect SaverWindow::Placed() const {
  RECT place{};
  GetWindowRect(Handle(), &place);
  return PixelRect{place.left, place.top, place.right, place.bottom};
}

void SaverWindow::SetBackground(Rgb colour) {
  SetFormBackground(colour);
  if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

void SaverWindow::ShowInfoLabel(const std::string& caption) {
  SetWindowTextA(label_, caption.c_str());
  ShowWindow(label_, SW_SHOWNA);
}

void SaverWindow::UpdateControl(ControlId id, const PictureControl& control) {
  pictures_[static_cast<int>(id)].Update(control, Screen());
}

void SaverWindow::BringToFront(ControlId id) {
  SetWindowPos(pictures_[static_cast<int>(id)].Handle(), HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void SaverWindow::CopyToSurface(const Picture& picture, int left, int top) {
  if (!Handle()) return;
  const VisiblePart visible =
      VisiblePartOf(PixelRect{left, top, left + picture.Width(), top + picture.Height()}, Screen());
  if (visible.onScreen.Empty()) return;
  WindowDC dc(Handle());
  DrawPicturePart(dc.Get(), picture, visible.inBounds.left, visible.inBounds.top, visible.inBounds.Width(),
                  visible.inBounds.Height(), visible.onScreen.left, visible.onScreen.top);
}

void SaverWindow::SetTimer(bool enabled, int intervalMs) {
  if (!Handle()) return;
  KillTimer(Handle(), kTickTimer);
  if (enabled && intervalMs > 0) ::SetTimer(Handle(), kTickTimer, static_cast<UINT>(intervalMs), nullptr);
}

void SaverWindow::InstallInputHook() {
  application_.SetPreTranslate([this](MSG& message) {
    show_->OnInput(QueuedMessageOf(message.message));
    return false;  // every message is dispatched as usual, input included
  });
}

void SaverWindow::Close() {
  if (Handle()) PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

LRESULT SaverWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == liveGdiObjectsMessage_ && message != 0) return LiveGdiObjects();
  switch (message) {
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMaxPosition = {0, 0};
      info->ptMaxSize = {screenWidth_, screenHeight_};
      return 0;
    }
    case WM_TIMER:
      if (wParam == kTickTimer) application_.Guarded([&] { show_->OnTick(); });
      return 0;
    case WM_DISPLAYCHANGE:
      // A monitor came, went or changed its size, the primary too: the show keeps its size, pixel for pixel, and
      // the covers take whatever of the monitors the window no longer covers. One that cannot be made ends the
      // show.
      if (!covers_.Create(Placed(), IsWindowVisible(Handle()) != FALSE))
        application_.Guarded([&] { show_->ShutDown(); });
      return Default(message, wParam, lParam);
    case WM_CLOSE: DestroyWindow(Handle()); return 0;
    case WM_DESTROY:
      covers_.Close();
      application_.SetPreTranslate(nullptr);
      PostQuitMessage(0);
      return 0;
  }
  return Default(message, wParam, lParam);
}

}  // namespace lumora::win32
