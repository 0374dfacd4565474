#include "win32/DisclaimerWindow.h"

#include "settings_window/DisclaimerLayout.h"

namespace lumora::win32 {

DisclaimerWindow::DisclaimerWindow(Application& application, HINSTANCE instance)
    : application_(application), instance_(instance) {
  SetFormBackground(DisclaimerFormLayout().colour);
}

bool DisclaimerWindow::Create(DisclaimerForm& form, HWND owner) {
  form_ = &form;
  const FormLayout& layout = DisclaimerFormLayout();
  const DWORD style = FormStyle(layout.border);
  return Window::Create(layout.className, 0, 0, layout.caption, style, CentredFormRect(layout, fonts_.dpi, style, 0),
                        owner, instance_) &&
         controls_.Build(Handle(), instance_, layout, fonts_);
}

void DisclaimerWindow::ShowModal() {
  if (!Handle() || modal_) return;
  HWND owner = GetWindow(Handle(), GW_OWNER);
  if (owner) EnableWindow(owner, FALSE);
  modal_ = true;
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  SetFocus(controls_.Handle(Id(DisclaimerControl::ReturnButton)));
  application_.RunModal([this](MSG& message) { return IsDialogMessageA(Handle(), &message) != FALSE; },
                        [this] { return modal_ && Handle() != nullptr; });
  modal_ = false;
  // The owner is enabled before the window hides, so that activation goes back to it.
  if (owner) EnableWindow(owner, TRUE);
  if (Handle()) ShowWindow(Handle(), SW_HIDE);
  if (owner) SetActiveWindow(owner);
}

// GetMessage handles a sent click without returning, so a click sent by another program (an accessibility tool)
// would end the loop only at the next posted message; the posted no-op wakes it at once.
void DisclaimerWindow::Close() {
  modal_ = false;
  if (Handle()) PostMessageA(Handle(), WM_NULL, 0, 0);
}

LRESULT DisclaimerWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const ControlLayout* control = controls_.LayoutOf(reinterpret_cast<HWND>(lParam));
      if (control && HIWORD(wParam) == BN_CLICKED && control->id == Id(DisclaimerControl::ReturnButton))
        application_.Guarded([&] { form_->OnReturn(); });
      return 0;
    }
    case DM_GETDEFID: return MAKELRESULT(Id(DisclaimerControl::ReturnButton), DC_HASDEFID);
    case WM_CLOSE:
      // Return is the way out.
      return 0;
    case WM_NCDESTROY: modal_ = false; break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace lumora::win32
