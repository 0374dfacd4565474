#include "win32/CoverWindows.h"

#include "platform/WindowNames.h"
#include "show/ScreenCovers.h"
#include "win32_services/LibraryFunction.h"

namespace lumora::win32 {

namespace {

// Looked up at run time: Windows 95 and NT 4.0 do not export them.
using EnumDisplayMonitorsFunction = BOOL WINAPI(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
using GetMonitorInfoFunction = BOOL WINAPI(HMONITOR, LPMONITORINFO);

struct Enumeration {
  GetMonitorInfoFunction* getMonitorInfo;
  std::vector<PixelRect> monitors;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM context) {
  auto& enumeration = *reinterpret_cast<Enumeration*>(context);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (enumeration.getMonitorInfo(monitor, &info))
    enumeration.monitors.push_back(
        PixelRect{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom});
  return TRUE;
}

PixelRect PrimaryScreen() { return PixelRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

}  // namespace

std::vector<PixelRect> DesktopMonitors() {
  const auto enumDisplayMonitors = LibraryFunction<EnumDisplayMonitorsFunction>("user32.dll", "EnumDisplayMonitors");
  Enumeration enumeration{LibraryFunction<GetMonitorInfoFunction>("user32.dll", "GetMonitorInfoA"), {}};
  if (enumDisplayMonitors && enumeration.getMonitorInfo)
    enumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&enumeration));
  if (enumeration.monitors.empty()) enumeration.monitors.push_back(PrimaryScreen());
  return enumeration.monitors;
}

bool CoverWindows::Create(const PixelRect& saverWindow, bool visible) {
  const std::vector<PixelRect> monitors = DesktopMonitors();
  std::vector<std::unique_ptr<Cover>> made;
  for (const PixelRect& place : CoverRects(monitors, saverWindow)) {
    made.push_back(std::make_unique<Cover>());
    if (!made.back()->Create(place, instance_)) return false;
    if (visible) ShowWindow(made.back()->Handle(), SW_SHOWNA);
  }
  covers_ = std::move(made);
  return true;
}

void CoverWindows::Show() {
  for (const std::unique_ptr<Cover>& cover : covers_) ShowWindow(cover->Handle(), SW_SHOWNA);
}

bool CoverWindows::Cover::Create(const PixelRect& place, HINSTANCE instance) {
  SetFormBackground(kBlack);
  return Window::Create(kCoverWindowClass, 0, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "", WS_POPUP,
                        RECT{place.left, place.top, place.right, place.bottom}, nullptr, instance);
}

LRESULT CoverWindows::Cover::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // A click on a cover must not take the activation from the saver window, which keeps the keyboard.
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return Default(message, wParam, lParam);
}

}  // namespace lumora::win32
