#pragma once
#include <windows.h>

#include <optional>

#include "platform/Rgb.h"
#include "win32/GdiObjects.h"

namespace lumora::win32 {

// A window that belongs to one object, for the object's lifetime. Every class of ours registers the one window
// procedure here: it finds the object at WM_NCCREATE, from the creation parameter, and hands every message to
// OnMessage. The window is destroyed with its object at the latest.
class Window {
 public:
  HWND Handle() const { return window_; }

 protected:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Registers `className` for windows owned like this (registering it again does no harm) and creates the window.
  // False when the window could not be created.
  bool Create(const char* className, UINT classStyle, DWORD exStyle, const char* title, DWORD style, const RECT& place,
              HWND parent, HINSTANCE instance);
  // The window's own handling of a message; what it does not handle goes to DefWindowProcA.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window_, message, wParam, lParam);
  }
  // From now on the window's client area, and the backgrounds of its labels and buttons, are `colour`; their
  // text is the system's window text colour. Repainting is the caller's.
  void SetFormBackground(Rgb colour);
  const Rgb& FormBackground() const { return background_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  std::optional<LRESULT> PaintFormBackground(UINT message, WPARAM wParam);

  HWND window_ = nullptr;
  Rgb background_{};
  UniqueBrush backgroundBrush_;  // none until a form background is set
};

}  // namespace lumora::win32
