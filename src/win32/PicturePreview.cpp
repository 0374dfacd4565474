#include "win32/PicturePreview.h"

#include <algorithm>

#include "image/PictureLoading.h"
#include "image/Stretch.h"
#include "win32/GdiObjects.h"

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

bool PicturePreview::Create(HWND dialog, const RECT& place) {
  return Window::Create("LumoraPreview", 0, 0, "", WS_CHILD | WS_VISIBLE, place, dialog, instance_);
}

void PicturePreview::ShowFile(const std::string& path) {
  if (path == path_ || !Handle()) return;
  path_ = path;
  shown_ = Picture();
  RECT client;
  GetClientRect(Handle(), &client);
  const int areaWidth = client.right - 2 * kFrame, areaHeight = client.bottom - 2 * kFrame;
  if (const DecodeResult picture = LoadPictureFile(files_, path, JpegColours::Full24Bit);
      picture && areaWidth > 0 && areaHeight > 0) {
    const SIZE size = FittedSize(picture->Width(), picture->Height(), areaWidth, areaHeight);
    shown_ = StretchedPart(*picture, size.cx, size.cy, PixelRect{0, 0, size.cx, size.cy});
  }
  InvalidateRect(Handle(), nullptr, TRUE);
}

void PicturePreview::Paint() {
  PaintDC dc(Handle());
  RECT client;
  GetClientRect(Handle(), &client);
  FillRect(dc.Get(), &client, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc.Get(), &client, EDGE_SUNKEN, BF_RECT);
  if (shown_.Empty()) return;
  const int left = (client.right - shown_.Width()) / 2, top = (client.bottom - shown_.Height()) / 2;
  DrawPicturePart(dc.Get(), shown_, 0, 0, shown_.Width(), shown_.Height(), left, top);
}

LRESULT PicturePreview::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return Default(message, wParam, lParam);
  Paint();
  return 0;
}

}  // namespace lumora::win32
