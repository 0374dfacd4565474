#include "forms/FormLayout.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace lumora {

const ControlLayout& FindControl(const FormLayout& form, int id) {
  for (const ControlLayout& control : form.controls)
    if (control.id == id) return control;
  throw std::out_of_range(std::string(form.className) + " has no control " + std::to_string(id));
}

std::vector<const ControlLayout*> ChildrenInTabOrder(const FormLayout& form, int parent) {
  std::vector<const ControlLayout*> children;
  for (const ControlLayout& control : form.controls)
    if (control.parent == parent) children.push_back(&control);
  std::stable_sort(children.begin(), children.end(),
                   [](const ControlLayout* a, const ControlLayout* b) { return a->tabOrder < b->tabOrder; });
  return children;
}

std::vector<const ControlLayout*> RadioGroupOf(const FormLayout& form, int radio) {
  const ControlLayout& member = FindControl(form, radio);
  if (member.kind != ControlKind::RadioButton)
    throw std::out_of_range(std::to_string(radio) + " is not a radio button");
  std::vector<const ControlLayout*> group;
  for (const ControlLayout* sibling : ChildrenInTabOrder(form, member.parent))
    if (sibling->kind == ControlKind::RadioButton) group.push_back(sibling);
  return group;
}

}  // namespace lumora
