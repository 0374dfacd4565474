#pragma once
#include <windows.h>

namespace lumora::win32 {

// A window that belongs to one object. Its class's window procedure is WindowProc: the object arrives with
// WM_NCCREATE (as the creation parameter, from CreateFor) and handles every message in OnMessage.
class OwnedWindow {
 public:
  HWND Handle() const { return window_; }

 protected:
  OwnedWindow() = default;
  virtual ~OwnedWindow() = default;
  OwnedWindow(const OwnedWindow&) = delete;
  OwnedWindow& operator=(const OwnedWindow&) = delete;

  virtual LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Registers a window class whose windows are owned windows (registering it again does no harm).
  static void RegisterOwnedClass(const char* className, HINSTANCE instance, UINT classStyle = 0);
  // CreateWindowExA with this object as the window's owner.
  HWND CreateFor(DWORD exStyle, const char* className, const char* title, DWORD style, int left, int top, int width,
                 int height, HWND parent, HINSTANCE instance);

  HWND window_ = nullptr;
};

}  // namespace lumora::win32
