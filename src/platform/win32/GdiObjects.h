#pragma once
#include <windows.h>

#include <memory>
#include <type_traits>

#include "image/Picture.h"

namespace lumora::win32 {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

// The device context of a window's client area for one drawing.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~PaintDC() { EndPaint(window_, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

inline COLORREF ToColorRef(Rgb colour) { return RGB(colour.r, colour.g, colour.b); }

// Copies rows [firstRow, firstRow + rows) and columns [firstColumn, firstColumn + columns) of `picture`,
// unscaled, to (left, top) of `dc`.
void DrawPicturePart(HDC dc, const Picture& picture, int firstColumn, int firstRow, int columns, int rows, int left,
                     int top);

}  // namespace lumora::win32
