#pragma once
#include <windows.h>

#include "image/Stretch.h"
#include "platform/SaverStage.h"

namespace lumora::win32 {

// A picture control as a child window. The window covers only the part of the control that lies on the screen,
// and keeps that part of its picture ready to paint, stretched or cropped with the same rules as the compositor.
class PictureWindow {
 public:
  static void RegisterWindowClass(HINSTANCE instance);

  void Create(HWND parent, HINSTANCE instance, const Rgb* background);
  HWND Handle() const { return window_; }
  void Update(const PictureControl& control, const PixelRect& screen);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void RebuildPart();
  void Paint();

  HWND window_ = nullptr;
  const Rgb* background_ = nullptr;
  PictureControl control_;
  PixelRect visible_;       // in the parent's client area
  Picture part_;            // what the window shows of the picture
  POINT partOffset_{};      // where the part sits in the window
  bool partStale_ = true;
};

}  // namespace lumora::win32
