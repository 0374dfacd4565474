#pragma once
#include <windows.h>

#include "settings_window/DisclaimerForm.h"
#include "win32/Application.h"
#include "win32/FormBuilder.h"
#include "win32/GdiObjects.h"
#include "win32/Window.h"

namespace lumora::win32 {

// The disclaimer window (kDisclaimerWindowClass): borderless, centred, owned by the settings window, hidden until that
// shows it modally.
class DisclaimerWindow : public DisclaimerView, public Window {
 public:
  DisclaimerWindow(Application& application, HINSTANCE instance);

  // False when the window or one of its controls could not be made.
  bool Create(DisclaimerForm& form, HWND owner);
  // Shows the window with its owner disabled and returns when it is closed.
  void ShowModal();
  void Close() override;

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  Application& application_;
  HINSTANCE instance_;
  DisclaimerForm* form_ = nullptr;
  bool modal_ = false;
  FormFonts fonts_{SystemDpi()};  // the form is laid out at the DPI the fonts are made for
  FormControls controls_;
};

}  // namespace lumora::win32
