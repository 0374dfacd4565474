#include "platform/win32/PictureWindow.h"

#include "platform/win32/GdiObjects.h"

namespace lumora::win32 {

namespace {

constexpr const char* kPictureClass = "LumoraPicture";

bool SameLook(const PictureControl& a, const PictureControl& b) {
  return a.picture.Identity() == b.picture.Identity() && a.left == b.left && a.top == b.top &&
         a.width == b.width && a.height == b.height && a.stretch == b.stretch;
}

}  // namespace

void PictureWindow::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kPictureClass;
  RegisterClassA(&windowClass);
}

void PictureWindow::Create(HWND parent, HINSTANCE instance, const Rgb* background) {
  background_ = background;
  window_ = CreateWindowExA(0, kPictureClass, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent, nullptr, instance,
                            this);
}

void PictureWindow::Update(const PictureControl& control, const PixelRect& screen) {
  if (!window_) return;
  if (!SameLook(control, control_)) partStale_ = true;
  control_ = control;
  visible_ = Intersect(PixelRect{control.left, control.top, control.left + control.width, control.top + control.height},
                       screen);
  if (!control.visible || visible_.Empty()) {
    ShowWindow(window_, SW_HIDE);
    return;
  }
  if (partStale_) RebuildPart();
  SetWindowPos(window_, nullptr, visible_.left, visible_.top, visible_.Width(), visible_.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(window_, nullptr, FALSE);
  ShowWindow(window_, SW_SHOWNA);
}

void PictureWindow::RebuildPart() {
  partStale_ = false;
  part_ = Picture();
  partOffset_ = {0, 0};
  if (control_.picture.Empty()) return;
  const PixelRect inControl{visible_.left - control_.left, visible_.top - control_.top,
                            visible_.right - control_.left, visible_.bottom - control_.top};
  if (control_.stretch) {
    part_ = StretchedPart(control_.picture, control_.width, control_.height, inControl);
    return;
  }
  const PixelRect inPicture =
      Intersect(inControl, PixelRect{0, 0, control_.picture.Width(), control_.picture.Height()});
  part_ = CroppedPart(control_.picture, inPicture);
  partOffset_ = {inPicture.left - inControl.left, inPicture.top - inControl.top};
}

void PictureWindow::Paint() {
  PaintDC dc(window_);
  RECT client;
  GetClientRect(window_, &client);
  // What the picture does not cover shows the window background, as it would under a transparent control.
  UniqueBrush brush(CreateSolidBrush(ToColorRef(*background_)));
  if (part_.Empty() || part_.Width() < client.right || part_.Height() < client.bottom || partOffset_.x > 0 ||
      partOffset_.y > 0)
    FillRect(dc.Get(), &client, brush.get());
  DrawPicturePart(dc.Get(), part_, 0, 0, part_.Width(), part_.Height(), partOffset_.x, partOffset_.y);
}

LRESULT CALLBACK PictureWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<PictureWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (self) {
        self->Paint();
        return 0;
      }
      break;
    case WM_NCDESTROY:
      if (self) self->window_ = nullptr;
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace lumora::win32
