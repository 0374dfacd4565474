#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "forms/FormLayout.h"
#include "win32/GdiObjects.h"
#include "win32/Window.h"

namespace lumora::win32 {

// The DPI of the screen, which a program that declares itself aware of the display's scaling is told as it is;
// 96 where the system does not say.
int SystemDpi();

// The three fonts of the form descriptions at `dpi`: MS Sans Serif 8 pt, regular and bold, and Terminal 9 pt.
struct FormFonts {
  explicit FormFonts(int dpi);
  HFONT For(FontStyle style) const;

  int dpi;
  UniqueFont regular;
  UniqueFont bold;
  UniqueFont terminal;
};

// A raised panel: the form's background inside a one-pixel raised bevel. It passes what its children report up.
class PanelWindow : public Window {
 public:
  // `control` in pixels, already scaled.
  bool Create(HWND parent, HINSTANCE instance, const ControlLayout& control);

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The child windows of one form, made from its description at the fonts' DPI. Panels and group boxes are real
// parents of their controls and pass what their children report (commands, scrolling, colour requests) up to the
// form.
class FormControls {
 public:
  // False when a control could not be made.
  bool Build(HWND form, HINSTANCE instance, const FormLayout& layout, const FormFonts& fonts);
  // The window of the control with this identifier; raises std::out_of_range for any other.
  HWND Handle(int id) const;
  // The description of a child window, nullptr for a window that is not one of the form's controls.
  const ControlLayout* LayoutOf(HWND control) const;

 private:
  bool BuildChildren(HWND parent, int parentId, HINSTANCE instance, const FormLayout& layout, const FormFonts& fonts);
  HWND CreateControl(HWND parent, HINSTANCE instance, const ControlLayout& control, bool firstOfGroup);

  std::vector<std::unique_ptr<PanelWindow>> panels_;
  std::map<int, HWND> byId_;
  std::map<HWND, const ControlLayout*> byWindow_;
};

// Window style and outer rectangle of a form's own window: its client area, at `dpi`, centred on the primary
// screen.
DWORD FormStyle(FormBorder border);
RECT CentredFormRect(const FormLayout& layout, int dpi, DWORD style, DWORD exStyle);

}  // namespace lumora::win32
