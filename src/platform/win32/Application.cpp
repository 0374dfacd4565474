#include "platform/win32/Application.h"

namespace lumora::win32 {

void Application::Run() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) Handle(message);
}

void Application::ProcessMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Handle(message);
  }
}

void Application::Handle(const MSG& message) {
  if (hook_) Guarded([&] { hook_(message); });
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

}  // namespace lumora::win32
