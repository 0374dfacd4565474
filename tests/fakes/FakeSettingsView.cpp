#include "fakes/FakeSettingsView.h"

#include <stdexcept>

namespace lumora::test {

FakeSettingsView::FakeSettingsView(const FormLayout& form, int width, int height)
    : colour(form.colour), screenWidth(width), screenHeight(height), form_(form) {
  for (const ControlLayout& layout : form.controls) {
    Control& control = controls_[layout.name];
    control.caption = layout.caption;
    control.scrollMax = layout.scroll.max;
    control.scrollPosition = layout.scroll.position;
  }
}

FakeSettingsView::Control& FakeSettingsView::At(const std::string& name) {
  auto found = controls_.find(name);
  if (found == controls_.end()) throw std::out_of_range("no control " + name);
  return found->second;
}

void FakeSettingsView::Check(const std::string& radio) {
  for (const ControlLayout* member : RadioGroupOf(form_, radio)) At(member->name).checked = false;
  At(radio).checked = true;
}

bool FakeSettingsView::Checked(const std::string& radio) {
  if (FindControl(form_, radio).kind != ControlKind::RadioButton) throw std::out_of_range(radio + " is no radio");
  return At(radio).checked;
}

void FakeSettingsView::SetCaption(const std::string& label, const std::string& text) {
  Control& control = At(label);
  control.caption = text;
  control.captionSet = true;
}

void FakeSettingsView::SetScrollMax(const std::string& bar, int max) {
  Control& control = At(bar);
  control.scrollMax = max;
  if (control.scrollPosition > max) control.scrollPosition = max;
}

void FakeSettingsView::DeleteItem(const std::string& list, int index) {
  Control& control = At(list);
  control.items.erase(control.items.begin() + index);
  control.itemIndex = -1;
}

std::string FakeSettingsView::Item(const std::string& list, int index) { return At(list).items.at(index); }

void FakeSettingsView::SetItemIndex(const std::string& list, int index) {
  Control& control = At(list);
  control.itemIndex = index >= 0 && index < static_cast<int>(control.items.size()) ? index : -1;
}

std::vector<std::string> FakeSettingsView::CheckedRadios() const {
  std::vector<std::string> checked;
  for (const ControlLayout& layout : form_.controls)
    if (layout.kind == ControlKind::RadioButton && controls_.at(layout.name).checked) checked.push_back(layout.name);
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
