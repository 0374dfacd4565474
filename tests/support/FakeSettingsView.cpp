#include "support/FakeSettingsView.h"

#include <stdexcept>

#include "settings_window/SettingsLayout.h"

namespace lumora {

void PrintTo(OptionRadio radio, std::ostream* out) {
  *out << '"' << FindControl(SettingsFormLayout(), Id(radio)).caption << '"';
}

}  // namespace lumora

namespace lumora::test {

FakeSettingsView::FakeSettingsView(const FormLayout& form, int width, int height)
    : colour(form.colour), screenWidth(width), screenHeight(height), form_(form) {
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

std::vector<OptionRadio> FakeSettingsView::CheckedRadios() const {
  std::vector<OptionRadio> checked;
  for (const ControlLayout& layout : form_.controls)
    if (layout.kind == ControlKind::RadioButton && controls_.at(layout.id).checked)
      checked.push_back(static_cast<OptionRadio>(layout.id));
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
