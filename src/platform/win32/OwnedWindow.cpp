#include "platform/win32/OwnedWindow.h"

namespace lumora::win32 {

HWND OwnedWindow::CreateFor(DWORD exStyle, const char* className, const char* title, DWORD style, int left, int top,
                            int width, int height, HWND parent, HINSTANCE instance) {
  // The creation parameter is this base, so the window procedure can find it whatever else the owner derives from.
  return CreateWindowExA(exStyle, className, title, style, left, top, width, height, parent, nullptr, instance,
                         static_cast<OwnedWindow*>(this));
}

void OwnedWindow::RegisterOwnedClass(const char* className, HINSTANCE instance, UINT classStyle) {
  WNDCLASSA windowClass{};
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
}

LRESULT CALLBACK OwnedWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* owner = static_cast<OwnedWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    owner->window_ = window;
  }
  auto* owner = reinterpret_cast<OwnedWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  return owner ? owner->OnMessage(window, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace lumora::win32
