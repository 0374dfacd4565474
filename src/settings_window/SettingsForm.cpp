#include "settings_window/SettingsForm.h"

#include <algorithm>
#include <charconv>

#include "platform/LumoraError.h"
#include "settings_window/SettingsLayout.h"

namespace lumora {

namespace {

// Both size bars share one range.
const ScrollRange& SizeBarRange() {
  return FindControl(SettingsFormLayout(), Id(SettingsControl::WidthScrollBar)).scroll;
}

struct SizeControls {
  SettingsControl label, bar;
};

SizeControls SizeControlsOf(Option option) {
  if (option == Option::Height) return {SettingsControl::HeightValue, SettingsControl::HeightScrollBar};
  return {SettingsControl::WidthValue, SettingsControl::WidthScrollBar};
}

int LabelNumber(SettingsView& view, SettingsControl label) {
  const std::string text = view.Caption(label);
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    throw LumoraError("'" + text + "' is not a valid integer value");
  return value;
}

}  // namespace

SettingsForm::SettingsForm(SettingsFormState& state, const SettingsServices& services)
    : state_(state), services_(services) {}

void SettingsForm::Open() {
  SettingsView& view = services_.view;
  view.SetColour(kSettingsColour);
  state_.windowsDir = services_.system.WindowsDirectory();
  state_.iniFileName = IniFileName(state_.windowsDir, services_.system.ExecutablePath());
  state_.pictureCount = 0;
  state_.soundCount = 0;
  view.SetScrollMax(SettingsControl::WidthScrollBar, view.ScreenWidth());
  view.SetScrollMax(SettingsControl::HeightScrollBar, view.ScreenHeight());
  if (services_.files.FileExists(state_.iniFileName)) ReadSettings();
  else CreateSettingsFile();
  view.SetItemIndex(SettingsControl::PictureList, 0);
  view.SetItemIndex(SettingsControl::SoundList, 0);
  if (state_.soundCount <= 0) {
    // Without sounds the choice means nothing; the checked button stays as read.
    view.SetEnabled(OptionRadio::SoundOn, false);
    view.SetEnabled(OptionRadio::SoundOff, false);
  }
}

// The window then shows what the new file holds, and for a key it lacks what every reader takes for it.
void SettingsForm::CreateSettingsFile() {
  SettingsStore ini(services_.profiles, state_.iniFileName);
  WriteNewSettingsFile(ini, [this](SlotList list, int slot) {
    (list == SlotList::Pictures ? state_.pictureSlots : state_.soundSlots)[slot] = kFreeSlot;
  });
  for (Option option : kWindowOptions) {
    const OptionRow& row = RowOf(option);
    ShowOption(option, row.newFileValue.value_or(row.readDefault));
  }
}

void SettingsForm::ReadSettings() {
  SettingsStore ini(services_.profiles, state_.iniFileName);
  for (Option option : kWindowOptions) ShowOption(option, ReadOption(ini, option));
  ReadSlots(ini, {SlotList::Pictures, SlotList::Sounds}, [this](SlotList list, int slot, const std::string& value) {
    const ListSide side = SideOf(list);
    side.slots[slot] = value;
    if (!IsFreeSlot(value)) {
      services_.view.AppendItem(side.listBox, value);
      ++side.count;
    }
    return true;
  });
}

void SettingsForm::ShowOption(Option option, int32_t value) {
  if (RowOf(option).kind == OptionKind::Integer) ShowSize(option, value);
  else services_.view.Check(RadiosOf(option)[&CodeRowFor(option, value) - RowOf(option).codes.data()]);
}

// The code of the first row whose radio button is checked, or the last row's code; a size as its label shows it.
int32_t SettingsForm::ShownValue(Option option) {
  const OptionRow& row = RowOf(option);
  if (row.kind == OptionKind::Integer) return LabelNumber(services_.view, SizeControlsOf(option).label);
  const std::span<const OptionRadio> radios = RadiosOf(option);
  for (size_t i = 0; i < radios.size(); ++i)
    if (services_.view.Checked(radios[i])) return row.codes[i].code;
  return row.codes.back().code;
}

// The label keeps a stored size beyond the screen, to be written back unchanged, while the bar stops at its end.
void SettingsForm::ShowSize(Option option, int stored) {
  const SizeControls size = SizeControlsOf(option);
  const int barMax = option == Option::Height ? services_.view.ScreenHeight() : services_.view.ScreenWidth();
  const ScrollRange& range = SizeBarRange();
  const int shown = std::max(stored, range.min);
  services_.view.SetCaption(size.label, std::to_string(shown));
  services_.view.SetScrollPosition(size.bar, std::clamp(shown, range.min, std::max(barMax, range.min)));
}

void SettingsForm::OnWidthScroll(int scrollPos) {
  services_.view.SetCaption(SettingsControl::WidthValue, std::to_string(scrollPos));
}

void SettingsForm::OnHeightScroll(int scrollPos) {
  services_.view.SetCaption(SettingsControl::HeightValue, std::to_string(scrollPos));
}

void SettingsForm::SaveAndClose() {
  {
    SettingsStore ini(services_.profiles, state_.iniFileName);
    for (Option option : kWindowOptions) WriteOption(ini, option, ShownValue(option));
  }
  if (state_.pictureCount == 1) services_.boxes.Show(BoxKind::Confirm, kOnePictureNote, BoxButtons::Ok);
  services_.view.Close();
}

void SettingsForm::ShowDisclaimer() { services_.view.ShowDisclaimerModal(); }

}  // namespace lumora
