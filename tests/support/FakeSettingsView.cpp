#include "support/FakeSettingsView.h"

#include <stdexcept>

namespace lumora::test {

const ControlLayout& ControlNamed(const FormLayout& form, const std::string& name) {
  for (const ControlLayout& control : form.controls)
    if (name == control.name) return control;
  throw std::out_of_range(std::string(form.className) + " has no control " + name);
}

std::string ParentName(const FormLayout& form, const ControlLayout& control) {
  return control.parent == kFormItself ? "" : FindControl(form, control.parent).name;
}

FakeSettingsView::FakeSettingsView(const FormLayout& form, int width, int height)
    : colour(form.colour),
      screenWidth(width),
      screenHeight(height),
      form_(form) {
  for (const ControlLayout& layout : form.controls) {
    Control& control = controls_[layout.id];
    control.caption = layout.caption;
    control.scrollMax = layout.scroll.max;
    control.scrollPosition = layout.scroll.position;
  }
}

FakeSettingsView::Control& FakeSettingsView::At(int id) {
  auto found = controls_.find(id);
  if (found == controls_.end()) throw std::out_of_range("no control " + std::to_string(id));
  return found->second;
}

const ControlLayout& FakeSettingsView::RadioNamed(const std::string& name) {
  const ControlLayout& control = ControlNamed(form_, name);
  if (control.kind != ControlKind::RadioButton) throw std::out_of_range(name + " is no radio");
  return control;
}

bool FakeSettingsView::Checked(const std::string& radio) { return At(RadioNamed(radio).id).checked; }

void FakeSettingsView::Check(OptionRadio radio) {
  for (const ControlLayout* member : RadioGroupOf(form_, Id(radio))) At(member->id).checked = false;
  At(Id(radio)).checked = true;
}

void FakeSettingsView::SetCaption(SettingsControl label, const std::string& text) {
  Control& control = At(Id(label));
  control.caption = text;
  control.captionSet = true;
}

void FakeSettingsView::SetScrollMax(SettingsControl bar, int max) {
  Control& control = At(Id(bar));
  control.scrollMax = max;
  if (control.scrollPosition > max) control.scrollPosition = max;
}

void FakeSettingsView::DeleteItem(SettingsControl list, int index) {
  Control& control = At(Id(list));
  control.items.erase(control.items.begin() + index);
  control.itemIndex = -1;
}

void FakeSettingsView::SetItemIndex(SettingsControl list, int index) {
  Control& control = At(Id(list));
  control.itemIndex = index >= 0 && index < static_cast<int>(control.items.size()) ? index : -1;
}

std::vector<std::string> FakeSettingsView::CheckedRadios() const {
  std::vector<std::string> checked;
  for (const ControlLayout& layout : form_.controls)
    if (layout.kind == ControlKind::RadioButton && controls_.at(layout.id).checked) checked.push_back(layout.name);
  return checked;
}

std::optional<std::string> FakeSettingsView::NextAnswer(std::deque<std::optional<std::string>>& answers, int& asked) {
  ++asked;
  if (answers.empty()) return std::nullopt;
  std::optional<std::string> answer = answers.front();
  answers.pop_front();
  return answer;
}

}  // namespace lumora::test
