#include "win32/FormBuilder.h"

#include <stdexcept>
#include <string>

#include "forms/FormScale.h"
#include "platform/WindowNames.h"

namespace lumora::win32 {

namespace {

constexpr const char* kOriginalProcProperty = "LumoraOriginalProc";

UniqueFont MakeFont(int height, int weight, DWORD charset, DWORD pitchAndFamily, const char* face) {
  return OwnGdiObject(CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, pitchAndFamily, face));
}

// What a container passes up: its children talk to their parent, and only the form knows what to do.
bool ForwardedToForm(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_DRAWITEM: return true;
  }
  return false;
}

// Fills a container with the brush that its form gives its static controls.
void FillWithFormBackground(HWND container, HDC dc) {
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
      GetParent(container), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(container)));
  RECT client;
  GetClientRect(container, &client);
  FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
}

// A group box that holds its controls: the system's group box, painted on the form's background.
LRESULT CALLBACK GroupBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto original = reinterpret_cast<WNDPROC>(GetPropA(window, kOriginalProcProperty));
  if (ForwardedToForm(message)) return SendMessageA(GetParent(window), message, wParam, lParam);
  if (message == WM_ERASEBKGND) {
    FillWithFormBackground(window, reinterpret_cast<HDC>(wParam));
    return 1;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    RemovePropA(window, kOriginalProcProperty);
  }
  return CallWindowProcA(original, window, message, wParam, lParam);
}

struct WindowKind {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

WindowKind KindOf(const ControlLayout& control, bool firstRadioOfGroup) {
  switch (control.kind) {
    case ControlKind::Panel: return {nullptr, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};  // a PanelWindow
    case ControlKind::GroupBox: return {"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlKind::Label:
      return {"STATIC", static_cast<DWORD>(SS_NOPREFIX | ((control.options & kWordWrap) ? SS_LEFT : SS_LEFTNOWORDWRAP)),
              0};
    case ControlKind::RadioButton:
      // Only the checked button of a group is a tab stop; the settings window moves that mark itself.
      return {"BUTTON", static_cast<DWORD>(BS_AUTORADIOBUTTON | (firstRadioOfGroup ? WS_GROUP : 0)), 0};
    case ControlKind::ScrollBar: return {"SCROLLBAR", SBS_HORZ | WS_TABSTOP | WS_GROUP, 0};
    case ControlKind::Button:
      return {"BUTTON",
              static_cast<DWORD>(((control.options & kDefaultButton) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP |
                                 WS_GROUP),
              0};
    case ControlKind::ListBox:
      return {"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE};
  }
  return {"STATIC", 0, 0};
}

}  // namespace

int SystemDpi() {
  WindowDC screen(nullptr);
  const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : kDesignDpi;
}

FormFonts::FormFonts(int dpi)
    : dpi(dpi),
      regular(MakeFont(FontHeightAt(FontStyle::Regular, dpi), FW_NORMAL, DEFAULT_CHARSET, DEFAULT_PITCH | FF_SWISS,
                       "MS Sans Serif")),
      bold(MakeFont(FontHeightAt(FontStyle::Bold, dpi), FW_BOLD, DEFAULT_CHARSET, DEFAULT_PITCH | FF_SWISS,
                    "MS Sans Serif")),
      terminal(MakeFont(FontHeightAt(FontStyle::Terminal, dpi), FW_NORMAL, OEM_CHARSET, FIXED_PITCH | FF_MODERN,
                        "Terminal")) {}

HFONT FormFonts::For(FontStyle style) const {
  switch (style) {
    case FontStyle::Bold: return bold.get();
    case FontStyle::Terminal: return terminal.get();
    case FontStyle::Regular: break;
  }
  return regular.get();
}

bool PanelWindow::Create(HWND parent, HINSTANCE instance, const ControlLayout& control) {
  const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (control.visible ? WS_VISIBLE : 0);
  const RECT place{control.left, control.top, control.left + control.width, control.top + control.height};
  if (!Window::Create(kPanelWindowClass, 0, WS_EX_CONTROLPARENT, control.caption, style, place, parent, instance))
    return false;
  SetWindowLongPtrA(Handle(), GWLP_ID, control.id);
  return true;
}

LRESULT PanelWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (ForwardedToForm(message)) return SendMessageA(GetParent(Handle()), message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PaintDC dc(Handle());
      FillWithFormBackground(Handle(), dc.Get());
      RECT client;
      GetClientRect(Handle(), &client);
      DrawEdge(dc.Get(), &client, BDR_RAISEDOUTER, BF_RECT);
      return 0;
    }
  }
  return Default(message, wParam, lParam);
}

bool FormControls::Build(HWND form, HINSTANCE instance, const FormLayout& layout, const FormFonts& fonts) {
  return BuildChildren(form, kFormItself, instance, layout, fonts);
}

// Children are made in keyboard order, each container's controls right after it: the first window made is the
// first that Tab reaches among its siblings.
bool FormControls::BuildChildren(HWND parent, int parentId, HINSTANCE instance, const FormLayout& layout,
                                 const FormFonts& fonts) {
  bool radioSeen = false;
  for (const ControlLayout* control : ChildrenInTabOrder(layout, parentId)) {
    const bool firstRadio = control->kind == ControlKind::RadioButton && !radioSeen;
    radioSeen = radioSeen || control->kind == ControlKind::RadioButton;
    HWND window = CreateControl(parent, instance, ScaledToDpi(*control, fonts.dpi), firstRadio);
    if (!window) return false;
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.For(control->font)), FALSE);
    byId_[control->id] = window;
    byWindow_[window] = control;
    if (control->kind == ControlKind::Panel || control->kind == ControlKind::GroupBox)
      if (!BuildChildren(window, control->id, instance, layout, fonts)) return false;
  }
  return true;
}

HWND FormControls::CreateControl(HWND parent, HINSTANCE instance, const ControlLayout& control, bool firstRadio) {
  if (control.kind == ControlKind::Panel) {
    panels_.push_back(std::make_unique<PanelWindow>());
    return panels_.back()->Create(parent, instance, control) ? panels_.back()->Handle() : nullptr;
  }
  const WindowKind kind = KindOf(control, firstRadio);
  const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (control.visible ? WS_VISIBLE : 0) | kind.style;
  HWND window = CreateWindowExA(kind.exStyle, kind.className, control.caption, style, control.left, control.top,
                                control.width, control.height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
  if (!window) return nullptr;
  if (control.kind == ControlKind::GroupBox) {
    SetPropA(window, kOriginalProcProperty, reinterpret_cast<HANDLE>(GetWindowLongPtrA(window, GWLP_WNDPROC)));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GroupBoxProc));
  }
  if (control.kind == ControlKind::ScrollBar) {
    SCROLLINFO info{
        sizeof(SCROLLINFO), SIF_RANGE | SIF_POS, control.scroll.min, control.scroll.max, 0, control.scroll.position, 0};
    SetScrollInfo(window, SB_CTL, &info, FALSE);
  }
  return window;
}

HWND FormControls::Handle(int id) const {
  auto found = byId_.find(id);
  if (found == byId_.end()) throw std::out_of_range("no control " + std::to_string(id));
  return found->second;
}

const ControlLayout* FormControls::LayoutOf(HWND control) const {
  auto found = byWindow_.find(control);
  return found == byWindow_.end() ? nullptr : found->second;
}

DWORD FormStyle(FormBorder border) {
  const DWORD frame = border == FormBorder::SingleFixed ? WS_CAPTION : 0;
  return WS_POPUP | WS_CLIPCHILDREN | frame;
}

RECT CentredFormRect(const FormLayout& layout, int dpi, DWORD style, DWORD exStyle) {
  RECT outer{0, 0, ScaledToDpi(layout.clientWidth, dpi), ScaledToDpi(layout.clientHeight, dpi)};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2, top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return RECT{left, top, left + width, top + height};
}

}  // namespace lumora::win32
