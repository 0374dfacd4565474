#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "image/Picture.h"
#include "win32/Window.h"

namespace lumora::win32 {

// The black, borderless, topmost windows over every part of the monitors that the saver window does not cover:
// no part of the desktop shows beside a running show. Input over them reaches the application's loop as any
// other, so the saver's input hook sees it.
class CoverWindows {
 public:
  explicit CoverWindows(HINSTANCE instance) : instance_(instance) {}

  // Makes the covers of the monitors as they are now around the saver window's rectangle, hidden at first when
  // `visible` is false, and only then lets the covers made before go, so that nothing shows in between; false
  // when one could not be made.
  bool Create(const PixelRect& saverWindow, bool visible);
  void Show();
  void Close() { covers_.clear(); }
  size_t Count() const { return covers_.size(); }

 private:
  class Cover : public Window {
   public:
    bool Create(const PixelRect& place, HINSTANCE instance);

   private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  };

  HINSTANCE instance_;
  std::vector<std::unique_ptr<Cover>> covers_;
};

// The monitors of the desktop as the system reports them; the primary screen alone on a system without the
// multi-monitor functions (Windows 95, NT 4.0).
std::vector<PixelRect> DesktopMonitors();

}  // namespace lumora::win32
