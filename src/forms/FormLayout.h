#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "platform/Rgb.h"

namespace lumora {

// A window's fixed form description: the window itself and one row per child control. The platform builds the
// window from it; the core looks controls up in it by their identifiers.
enum class ControlKind { Panel, GroupBox, Label, RadioButton, ScrollBar, Button, ListBox };
enum class FontStyle { Regular, Bold, Terminal };
enum class FormBorder { SingleFixed, None };

// Option bits of a control row.
inline constexpr unsigned kWordWrap = 1;       // a label whose text wraps at its right edge
inline constexpr unsigned kDefaultButton = 2;  // Enter presses it

// The parent of a control that sits on the window itself.
inline constexpr int kFormItself = 0;

struct ScrollRange {
  int min = 0;
  int max = 0;
  int position = 0;
  int smallChange = 0;  // arrows
  int largeChange = 0;  // page areas
};

struct ControlLayout {
  ControlKind kind;
  int parent;                    // the identifier of the container, or kFormItself
  int id;                        // the control's identifier, stable for tools that look for the window
  int left, top, width, height;  // within the parent
  const char* caption;
  FontStyle font;
  bool visible;
  int tabOrder;  // keyboard order among the controls of the same parent, from 0
  const char* hint = nullptr;
  ScrollRange scroll = {};
  unsigned options = 0;
};

struct FormLayout {
  const char* className;
  const char* caption;
  int clientWidth;
  int clientHeight;
  Rgb colour;
  FormBorder border;
  std::span<const ControlLayout> controls;
};

// The row of the control with this identifier; raises std::out_of_range for one the form does not have.
const ControlLayout& FindControl(const FormLayout& form, int id);
// The controls whose parent is `parent`, in keyboard order.
std::vector<const ControlLayout*> ChildrenInTabOrder(const FormLayout& form, int parent);
// The radio buttons that share the parent of `radio`, `radio` included, in keyboard order: checking one of them
// unchecks the others.
std::vector<const ControlLayout*> RadioGroupOf(const FormLayout& form, int radio);

}  // namespace lumora
