#pragma once
#include <windows.h>

#include "Usave5/Tfrmdisc.h"
#include "platform/win32/OwnedWindow.h"
#include "platform/win32/Application.h"
#include "platform/win32/FormBuilder.h"
#include "platform/win32/GdiObjects.h"

namespace lumora::win32 {

// The disclaimer window "Tfrmdisc": borderless, centred, owned by the settings window, hidden until that shows
// it modally.
class DisclaimerWindow : public DisclaimerView, public OwnedWindow {
 public:
  DisclaimerWindow(Application& application, HINSTANCE instance);
  ~DisclaimerWindow() override;
  DisclaimerWindow(const DisclaimerWindow&) = delete;
  DisclaimerWindow& operator=(const DisclaimerWindow&) = delete;

  void Create(Tfrmdisc& form, HWND owner);
  // Shows the window with its owner disabled and returns when it is closed.
  void ShowModal();
  void Close() override;

 private:
  LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  Application& application_;
  HINSTANCE instance_;
  Tfrmdisc* form_ = nullptr;
  bool modal_ = false;
  FormFonts fonts_;
  FormControls controls_;
  UniqueBrush brush_;
};

}  // namespace lumora::win32
