#pragma once
#include <windows.h>

#include "show/SaverStage.h"
#include "win32/Window.h"

namespace lumora::win32 {

// A picture control as a child window. The window covers only the part of the control that lies on the screen,
// and keeps that part of its picture ready to paint, stretched or cropped as the compositor does it.
class PictureWindow : public Window {
 public:
  bool Create(HWND parent, HINSTANCE instance, const Rgb* background);
  void Update(const PictureControl& control, const PixelRect& screen);

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint();

  const Rgb* background_ = nullptr;
  PictureControl control_;
  PixelRect visible_;  // in the parent's client area
  ShownPart part_;     // what the window shows of the picture, placed in the parent's client area
  bool partStale_ = true;
};

}  // namespace lumora::win32
