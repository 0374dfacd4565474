#include "platform/win32/PicturePreview.h"

#include <algorithm>

#include "image/PictureFile.h"
#include "image/Stretch.h"
#include "platform/win32/GdiObjects.h"

namespace lumora::win32 {

namespace {

constexpr int kFrame = 2;

// The largest size of the picture's proportions that fits the area; small pictures keep their size.
SIZE FittedSize(int width, int height, int areaWidth, int areaHeight) {
  if (width <= areaWidth && height <= areaHeight) return SIZE{width, height};
  const double scale = std::min(static_cast<double>(areaWidth) / width, static_cast<double>(areaHeight) / height);
  return SIZE{std::max(1, static_cast<int>(width * scale)), std::max(1, static_cast<int>(height * scale))};
}

}  // namespace

void PicturePreview::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSW windowClass{};
  // The dialog template that holds the preview is made by the common dialog library under its own instance.
  windowClass.style = CS_GLOBALCLASS;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  RegisterClassW(&windowClass);
}

void PicturePreview::Attach(HWND control) {
  control_ = control;
  if (control_) SetWindowLongPtrA(control_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void PicturePreview::ShowFile(const std::string& path) {
  if (path == path_ || !control_) return;
  path_ = path;
  shown_ = Picture();
  RECT client;
  GetClientRect(control_, &client);
  const int areaWidth = client.right - 2 * kFrame, areaHeight = client.bottom - 2 * kFrame;
  if (std::optional<Picture> picture = LoadPictureFile(files_, path, JpegColours::Full24Bit);
      picture && areaWidth > 0 && areaHeight > 0) {
    const SIZE size = FittedSize(picture->Width(), picture->Height(), areaWidth, areaHeight);
    shown_ = StretchedPart(*picture, size.cx, size.cy, PixelRect{0, 0, size.cx, size.cy});
  }
  InvalidateRect(control_, nullptr, TRUE);
}

void PicturePreview::Paint() {
  PaintDC dc(control_);
  RECT client;
  GetClientRect(control_, &client);
  FillRect(dc.Get(), &client, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc.Get(), &client, EDGE_SUNKEN, BF_RECT);
  if (shown_.Empty()) return;
  const int left = (client.right - shown_.Width()) / 2, top = (client.bottom - shown_.Height()) / 2;
  DrawPicturePart(dc.Get(), shown_, 0, 0, shown_.Width(), shown_.Height(), left, top);
}

LRESULT CALLBACK PicturePreview::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<PicturePreview*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_PAINT && self) {
    self->Paint();
    return 0;
  }
  if (message == WM_NCDESTROY && self) self->control_ = nullptr;
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace lumora::win32
