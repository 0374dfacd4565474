#pragma once
#include <windows.h>

#include <memory>
#include <type_traits>

#include "image/Picture.h"

namespace lumora::win32 {

// How many GDI objects and device contexts the wrappers here hold now, in the whole process. A show runs for
// hours, so this must stay flat; the saver window answers kLiveGdiObjectsMessage with it, for the soak test. A
// count of the process's one thread, the one global the Win32 layer keeps.
long LiveGdiObjects();
void CountGdiObjects(long change);
// The registered message's name; its answer is LiveGdiObjects().
inline constexpr const char* kLiveGdiObjectsMessage = "LumoraLiveGdiObjects";

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const {
    DeleteObject(object);
    CountGdiObjects(-1);
  }
};
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

// Takes ownership of a new object; nothing for a creation that failed.
template <class Handle>
std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter> OwnGdiObject(Handle object) {
  if (object) CountGdiObjects(+1);
  return std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>(object);
}

// The device context of a window's client area for one drawing.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {
    if (dc_) CountGdiObjects(+1);
  }
  ~WindowDC() {
    if (!dc_) return;
    ReleaseDC(window_, dc_);
    CountGdiObjects(-1);
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
  explicit PaintDC(HWND window) : window_(window) {
    dc_ = BeginPaint(window, &paint_);
    CountGdiObjects(+1);
  }
  ~PaintDC() {
    EndPaint(window_, &paint_);
    CountGdiObjects(-1);
  }
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
