#pragma once
#include <windows.h>

#include <map>
#include <string>

#include "platform/win32/GdiObjects.h"
#include "usave2/FormLayout.h"

namespace lumora::win32 {

// The three fonts of the form descriptions: MS Sans Serif 8 pt, regular and bold, and Terminal.
struct FormFonts {
  FormFonts();
  HFONT For(FontStyle style) const;

  UniqueFont regular;
  UniqueFont bold;
  UniqueFont terminal;
};

// The child windows of one form, made from its description. Panels and group boxes are real parents of their
// controls and pass what their children report (commands, scrolling, colour requests) up to the form.
class FormControls {
 public:
  void Build(HWND form, HINSTANCE instance, const FormLayout& layout, const FormFonts& fonts);
  // The window of a control the form description names; raises std::out_of_range for any other name.
  HWND Handle(const std::string& name) const;
  // The description of a child window, nullptr for a window that is not one of the form's controls.
  const ControlLayout* LayoutOf(HWND control) const;

 private:
  void BuildChildren(HWND parent, const char* parentName, HINSTANCE instance, const FormLayout& layout,
                     const FormFonts& fonts);
  HWND CreateControl(HWND parent, HINSTANCE instance, const ControlLayout& control, bool firstOfGroup);

  std::map<std::string, HWND> byName_;
  std::map<HWND, const ControlLayout*> byWindow_;
};

// Window style and outer rectangle of a form's own window: its client area centred on the primary screen.
DWORD FormStyle(FormBorder border);
RECT CentredFormRect(const FormLayout& layout, DWORD style, DWORD exStyle);

}  // namespace lumora::win32
