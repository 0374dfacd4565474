#include "platform/win32/DisclaimerWindow.h"

#include "Usave5/DisclaimerLayout.h"

namespace lumora::win32 {

DisclaimerWindow::DisclaimerWindow(Application& application, HINSTANCE instance)
    : application_(application), instance_(instance), brush_(CreateSolidBrush(ToColorRef(DisclaimerForm().colour))) {}

DisclaimerWindow::~DisclaimerWindow() {
  if (window_) DestroyWindow(window_);
}

void DisclaimerWindow::Create(Tfrmdisc& form, HWND owner) {
  form_ = &form;
  const FormLayout& layout = DisclaimerForm();
  RegisterOwnedClass(layout.className, instance_);
  const DWORD style = FormStyle(layout.border);
  const RECT place = CentredFormRect(layout, style, 0);
  CreateFor(0, layout.className, layout.caption, style, place.left, place.top, place.right - place.left,
            place.bottom - place.top, owner, instance_);
  controls_.Build(window_, instance_, layout, fonts_);
}

void DisclaimerWindow::ShowModal() {
  if (!window_ || modal_) return;
  HWND owner = GetWindow(window_, GW_OWNER);
  if (owner) EnableWindow(owner, FALSE);
  modal_ = true;
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(controls_.Handle("Button1"));
  MSG message;
  while (modal_ && window_) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The main loop must see the quit request too.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (IsDialogMessageA(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  modal_ = false;
  // The owner is enabled before the window hides, so that activation goes back to it.
  if (owner) EnableWindow(owner, TRUE);
  if (window_) ShowWindow(window_, SW_HIDE);
  if (owner) SetActiveWindow(owner);
}

// GetMessage handles a sent click without returning, so a click sent by another program (an accessibility tool)
// would end the loop only at the next posted message; the posted no-op wakes it at once.
void DisclaimerWindow::Close() {
  modal_ = false;
  if (window_) PostMessageA(window_, WM_NULL, 0, 0);
}

LRESULT DisclaimerWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, brush_.get());
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(reinterpret_cast<HDC>(wParam), ToColorRef(DisclaimerForm().colour));
      return reinterpret_cast<LRESULT>(brush_.get());
    case WM_COMMAND: {
      const ControlLayout* control = controls_.LayoutOf(reinterpret_cast<HWND>(lParam));
      if (control && HIWORD(wParam) == BN_CLICKED && std::string(control->name) == "Button1")
        application_.Guarded([&] { form_->Button1Click(); });
      return 0;
    }
    case DM_GETDEFID:
      return MAKELRESULT(FindControl(DisclaimerForm(), "Button1").id, DC_HASDEFID);
    case WM_CLOSE:
      // Return is the way out.
      return 0;
    case WM_NCDESTROY:
      window_ = nullptr;
      modal_ = false;
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace lumora::win32
