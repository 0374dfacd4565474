#include "win32/SettingsWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "settings_window/ScrollSteps.h"
#include "settings_window/SettingsForm.h"
#include "settings_window/SettingsLayout.h"
#include "win32/DisclaimerWindow.h"
#include "win32/OpenFileDialogs.h"

namespace lumora::win32 {

namespace {

using C = SettingsControl;

struct ButtonHandler {
  SettingsControl control;
  void (SettingsForm::*click)();
};

constexpr ButtonHandler kButtonHandlers[] = {
    {C::OkButton, &SettingsForm::SaveAndClose},       {C::AboutButton, &SettingsForm::ShowDisclaimer},
    {C::AddPictureButton, &SettingsForm::AddPicture}, {C::RemovePictureButton, &SettingsForm::RemovePicture},
    {C::AddSoundButton, &SettingsForm::AddSound},     {C::RemoveSoundButton, &SettingsForm::RemoveSound},
};

struct ScrollHandler {
  SettingsControl bar;
  void (SettingsForm::*scroll)(int);
};

constexpr ScrollHandler kScrollHandlers[] = {
    {C::WidthScrollBar, &SettingsForm::OnWidthScroll},
    {C::HeightScrollBar, &SettingsForm::OnHeightScroll},
};

std::optional<ScrollCode> ScrollCodeOf(int code) {
  switch (code) {
    case SB_LINELEFT: return ScrollCode::LineLeft;
    case SB_LINERIGHT: return ScrollCode::LineRight;
    case SB_PAGELEFT: return ScrollCode::PageLeft;
    case SB_PAGERIGHT: return ScrollCode::PageRight;
    case SB_THUMBTRACK: return ScrollCode::ThumbTrack;
    case SB_THUMBPOSITION: return ScrollCode::ThumbPosition;
    case SB_LEFT: return ScrollCode::Leftmost;
    case SB_RIGHT: return ScrollCode::Rightmost;
    case SB_ENDSCROLL: return ScrollCode::EndScroll;
  }
  return std::nullopt;
}

int DefaultButtonId() {
  for (const ControlLayout& control : SettingsFormLayout().controls)
    if (control.options & kDefaultButton) return control.id;
  return 0;
}

}  // namespace

SettingsWindow::SettingsWindow(Application& application, HINSTANCE instance, FileSystem& files)
    : application_(application), instance_(instance), files_(files) {
  SetFormBackground(SettingsFormLayout().colour);
}

bool SettingsWindow::Create(SettingsForm& form) {
  form_ = &form;
  // The tool tips' window class; InitCommonControls, which every 32-bit Windows has, registers it.
  InitCommonControls();
  const FormLayout& layout = SettingsFormLayout();
  const DWORD style = FormStyle(layout.border);
  if (!Window::Create(layout.className, 0, 0, layout.caption, style, CentredFormRect(layout, fonts_.dpi, style, 0),
                      nullptr, instance_))
    return false;
  if (!controls_.Build(Handle(), instance_, layout, fonts_)) return false;
  CreateToolTips();
  return true;
}

void SettingsWindow::CreateToolTips() {
  toolTips_ =
      CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, instance_, nullptr);
  for (const ControlLayout& control : SettingsFormLayout().controls) {
    if (!control.hint) continue;
    // The first version of the record, which the common controls of Windows 95 and NT 4.0 know: nothing here
    // needs the fields added later.
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Control(control.id));
    tool.lpszText = const_cast<char*>(control.hint);
    SendMessageA(toolTips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void SettingsWindow::Show() {
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  UpdateWindow(Handle());
}

void SettingsWindow::RunMessageLoop() {
  application_.SetPreTranslate([this](MSG& message) { return PreTranslate(message); });
  application_.Run();
}

// Arrows move among the radio buttons of one group, checking the one they reach; the other keys that move the
// focus or press a button are the dialog manager's.
bool SettingsWindow::PreTranslate(MSG& message) {
  if (!Handle()) return false;
  if (message.message == WM_KEYDOWN && (message.wParam == VK_UP || message.wParam == VK_DOWN ||
                                        message.wParam == VK_LEFT || message.wParam == VK_RIGHT)) {
    const ControlLayout* control = controls_.LayoutOf(message.hwnd);
    if (control && control->kind == ControlKind::RadioButton) {
      MoveWithinRadioGroup(message.hwnd, message.wParam == VK_DOWN || message.wParam == VK_RIGHT);
      return true;
    }
  }
  return IsDialogMessageA(Handle(), &message) != FALSE;
}

void SettingsWindow::MoveWithinRadioGroup(HWND focus, bool forward) {
  const std::vector<const ControlLayout*> group = RadioGroupOf(SettingsFormLayout(), controls_.LayoutOf(focus)->id);
  const int count = static_cast<int>(group.size());
  const int at = static_cast<int>(std::find(group.begin(), group.end(), controls_.LayoutOf(focus)) - group.begin());
  for (int step = 1; step < count; ++step) {
    const ControlLayout* next = group[((forward ? at + step : at - step) % count + count) % count];
    HWND window = Control(next->id);
    if (!IsWindowEnabled(window) || !IsWindowVisible(window)) continue;
    SetFocus(window);
    CheckById(next->id);
    return;
  }
}

void SettingsWindow::SetColour(Rgb colour) {
  SetFormBackground(colour);
  if (Handle()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void SettingsWindow::Check(OptionRadio radio) { CheckById(Id(radio)); }

// The checked button of a group is its only tab stop, so Tab lands on the choice made.
void SettingsWindow::CheckById(int radio) {
  for (const ControlLayout* member : RadioGroupOf(SettingsFormLayout(), radio)) {
    HWND window = Control(member->id);
    const bool checked = radio == member->id;
    SendMessageA(window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    SetWindowLongPtrA(window, GWL_STYLE, checked ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP)));
  }
}

bool SettingsWindow::Checked(OptionRadio radio) {
  return SendMessageA(Control(Id(radio)), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SettingsWindow::SetEnabled(OptionRadio radio, bool enabled) {
  EnableWindow(Control(Id(radio)), enabled ? TRUE : FALSE);
}

void SettingsWindow::SetCaption(SettingsControl label, const std::string& text) {
  SetWindowTextA(Control(Id(label)), text.c_str());
}

std::string SettingsWindow::Caption(SettingsControl label) {
  HWND window = Control(Id(label));
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void SettingsWindow::SetScrollMax(SettingsControl bar, int max) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, FindControl(SettingsFormLayout(), Id(bar)).scroll.min, max, 0, 0, 0};
  SetScrollInfo(Control(Id(bar)), SB_CTL, &info, TRUE);
}

void SettingsWindow::SetScrollPosition(SettingsControl bar, int position) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, position, 0};
  SetScrollInfo(Control(Id(bar)), SB_CTL, &info, TRUE);
}

void SettingsWindow::AppendItem(SettingsControl list, const std::string& text) {
  SendMessageA(Control(Id(list)), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SettingsWindow::DeleteItem(SettingsControl list, int index) {
  SendMessageA(Control(Id(list)), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

std::string SettingsWindow::Item(SettingsControl list, int index) {
  HWND window = Control(Id(list));
  const LRESULT length = SendMessageA(window, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return "";
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(window, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

int SettingsWindow::ItemIndex(SettingsControl list) {
  const LRESULT index = SendMessageA(Control(Id(list)), LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

void SettingsWindow::SetItemIndex(SettingsControl list, int index) {
  HWND window = Control(Id(list));
  const LRESULT count = SendMessageA(window, LB_GETCOUNT, 0, 0);
  const bool inList = index >= 0 && index < count;
  SendMessageA(window, LB_SETCURSEL, inList ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1), 0);
}

std::optional<std::string> SettingsWindow::AskPictureFile() { return AskForPictureFile(Handle(), instance_, files_); }

std::optional<std::string> SettingsWindow::AskSoundFile() { return AskForSoundFile(Handle()); }

void SettingsWindow::ShowDisclaimerModal() {
  if (disclaimer_) disclaimer_->ShowModal();
}

void SettingsWindow::Close() {
  if (Handle()) PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void SettingsWindow::OnCommand(HWND control, int notification) {
  const ControlLayout* layout = controls_.LayoutOf(control);
  if (!layout || notification != BN_CLICKED) return;
  if (layout->kind == ControlKind::RadioButton) {
    CheckById(layout->id);
    return;
  }
  for (const ButtonHandler& handler : kButtonHandlers)
    if (layout->id == Id(handler.control)) application_.Guarded([&] { (form_->*handler.click)(); });
}

void SettingsWindow::OnScroll(HWND bar, int code) {
  const ControlLayout* layout = controls_.LayoutOf(bar);
  const std::optional<ScrollCode> scrollCode = ScrollCodeOf(code);
  if (!layout || layout->kind != ControlKind::ScrollBar || !scrollCode) return;
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(bar, SB_CTL, &info);
  const ScrollRange range{info.nMin, info.nMax, info.nPos, layout->scroll.smallChange, layout->scroll.largeChange};
  const int position = NextScrollPosition(*scrollCode, info.nPos, info.nTrackPos, range);
  SetScrollPosition(static_cast<SettingsControl>(layout->id), position);
  for (const ScrollHandler& handler : kScrollHandlers)
    if (layout->id == Id(handler.bar)) application_.Guarded([&] { (form_->*handler.scroll)(position); });
}

// A plain window forgets its focused control when it loses activation; bring it back like a dialog does.
void SettingsWindow::OnActivate(bool active) {
  if (!active) {
    HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
    return;
  }
  const bool canRefocus =
      lastFocus_ && IsWindow(lastFocus_) && IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_);
  SetFocus(canRefocus ? lastFocus_ : Control(Id(C::OkButton)));
}

LRESULT SettingsWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam)); return 0;
    case WM_HSCROLL: OnScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam)); return 0;
    case DM_GETDEFID: return MAKELRESULT(DefaultButtonId(), DC_HASDEFID);
    case WM_ACTIVATE: OnActivate(LOWORD(wParam) != WA_INACTIVE); return 0;
    case WM_CLOSE:
      // OK closes it after writing the options; a close from the system (Alt+F4, the task list) is a cancel:
      // the program ends and nothing is written.
      DestroyWindow(Handle());
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_NCDESTROY: toolTips_ = nullptr; break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace lumora::win32
