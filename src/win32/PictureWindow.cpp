#include "win32/PictureWindow.h"

#include "platform/WindowNames.h"
#include "win32/GdiObjects.h"

namespace lumora::win32 {

bool PictureWindow::Create(HWND parent, HINSTANCE instance, const Rgb* background) {
  background_ = background;
  return Window::Create(kPictureWindowClass, 0, 0, "", WS_CHILD | WS_CLIPSIBLINGS, RECT{}, parent, instance);
}

void PictureWindow::Update(const PictureControl& control, const PixelRect& screen) {
  if (!Handle()) return;
  // What it showed is let go at once, as the control lets go of it, not only once it shows something again.
  if (!SameLook(control, control_)) {
    partStale_ = true;
    part_ = {};
  }
  control_ = control;
  visible_ = VisiblePartOf(control.Bounds(), screen).onScreen;
  if (!control.visible || visible_.Empty()) {
    ShowWindow(Handle(), SW_HIDE);
    return;
  }
  if (partStale_) {
    part_ = ShownPartOf(control_, screen);
    partStale_ = false;
  }
  SetWindowPos(Handle(), nullptr, visible_.left, visible_.top, visible_.Width(), visible_.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(Handle(), nullptr, FALSE);
  ShowWindow(Handle(), SW_SHOWNA);
  // Painted now, within the tick: the worker starts on the next picture only after it.
  UpdateWindow(Handle());
}

void PictureWindow::Paint() {
  PaintDC dc(Handle());
  RECT client;
  GetClientRect(Handle(), &client);
  const Picture& pixels = part_.pixels;
  const int left = part_.left - visible_.left, top = part_.top - visible_.top;
  // What the picture does not cover shows the window background, as it would under a transparent control.
  if (pixels.Empty() || left > 0 || top > 0 || left + pixels.Width() < client.right ||
      top + pixels.Height() < client.bottom) {
    const UniqueBrush brush = OwnGdiObject(CreateSolidBrush(ToColorRef(*background_)));
    FillRect(dc.Get(), &client, brush.get());
  }
  DrawPicturePart(dc.Get(), pixels, 0, 0, pixels.Width(), pixels.Height(), left, top);
}

LRESULT PictureWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(); return 0;
  }
  return Default(message, wParam, lParam);
}

}  // namespace lumora::win32
