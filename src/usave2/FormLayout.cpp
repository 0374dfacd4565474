#include "usave2/FormLayout.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace lumora {

namespace {

bool SameParent(const char* a, const char* b) {
  if (!a || !b) return a == b;
  return std::strcmp(a, b) == 0;
}

}  // namespace

const ControlLayout& FindControl(const FormLayout& form, const std::string& name) {
  for (const ControlLayout& control : form.controls)
    if (name == control.name) return control;
  throw std::out_of_range(std::string(form.className) + " has no control " + name);
}

std::vector<const ControlLayout*> ChildrenInTabOrder(const FormLayout& form, const char* parent) {
  std::vector<const ControlLayout*> children;
  for (const ControlLayout& control : form.controls)
    if (SameParent(control.parent, parent)) children.push_back(&control);
  std::stable_sort(children.begin(), children.end(),
                   [](const ControlLayout* a, const ControlLayout* b) { return a->tabOrder < b->tabOrder; });
  return children;
}

std::vector<const ControlLayout*> RadioGroupOf(const FormLayout& form, const std::string& radio) {
  const ControlLayout& member = FindControl(form, radio);
  if (member.kind != ControlKind::RadioButton) throw std::out_of_range(radio + " is not a radio button");
  std::vector<const ControlLayout*> group;
  for (const ControlLayout* sibling : ChildrenInTabOrder(form, member.parent))
    if (sibling->kind == ControlKind::RadioButton) group.push_back(sibling);
  return group;
}

}  // namespace lumora
