#include "win32/Application.h"

#include <utility>

namespace lumora::win32 {

void Application::Run() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) Dispatch(message);
}

void Application::RunModal(PreTranslate hook, const std::function<bool()>& running) {
  PreTranslate outer = std::exchange(preTranslate_, std::move(hook));
  MSG message;
  while (running()) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    Dispatch(message);
  }
  preTranslate_ = std::move(outer);
}

void Application::ProcessMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(message);
  }
}

void Application::Dispatch(MSG& message) {
  bool handled = false;
  // A copy, so that a hook may replace itself while it runs.
  if (const PreTranslate hook = preTranslate_) Guarded([&] { handled = hook(message); });
  if (handled) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

}  // namespace lumora::win32
