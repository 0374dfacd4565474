#include "win32/Window.h"

namespace lumora::win32 {

Window::~Window() {
  if (window_) DestroyWindow(window_);
}

bool Window::Create(const char* className, UINT classStyle, DWORD exStyle, const char* title, DWORD style,
                    const RECT& place, HWND parent, HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);  // fails harmlessly when the class is registered already
  CreateWindowExA(exStyle, className, title, style, place.left, place.top, place.right - place.left,
                  place.bottom - place.top, parent, nullptr, instance, this);
  return window_ != nullptr;
}

void Window::SetFormBackground(Rgb colour) {
  background_ = colour;
  backgroundBrush_ = OwnGdiObject(CreateSolidBrush(ToColorRef(colour)));
}

std::optional<LRESULT> Window::PaintFormBackground(UINT message, WPARAM wParam) {
  if (!backgroundBrush_) return std::nullopt;
  const HDC dc = reinterpret_cast<HDC>(wParam);
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window_, &client);
      FillRect(dc, &client, backgroundBrush_.get());
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, ToColorRef(background_));
      return reinterpret_cast<LRESULT>(backgroundBrush_.get());
  }
  return std::nullopt;
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) { return Default(message, wParam, lParam); }

LRESULT CALLBACK Window::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* owner = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    owner->window_ = window;
  }
  auto* owner = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!owner) return DefWindowProcA(window, message, wParam, lParam);
  if (const std::optional<LRESULT> painted = owner->PaintFormBackground(message, wParam)) return *painted;
  const LRESULT result = owner->OnMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    owner->window_ = nullptr;
  }
  return result;
}

}  // namespace lumora::win32
