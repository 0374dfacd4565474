#include "usave2/TForm2.h"

#include <algorithm>
#include <charconv>

#include "settings/LumoraError.h"
#include "settings/OptionCodes.h"
#include "settings/TIniFile.h"
#include "usave2/SettingsLayout.h"

namespace lumora {

namespace {

// Both size bars share one range.
const ScrollRange& SizeBarRange() { return FindControl(SettingsForm(), "ScrollBarW").scroll; }

// The code of the first row whose radio button is checked, or the last row's code.
template <class Row, size_t N>
int CheckedCode(SettingsView& view, const std::array<Row, N>& rows) {
  for (const Row& row : rows)
    if (view.Checked(row.radio)) return row.code;
  return rows.back().code;
}

int LabelNumber(SettingsView& view, const char* label) {
  const std::string text = view.Caption(label);
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    throw LumoraError("'" + text + "' is not a valid integer value");
  return value;
}

}  // namespace

TForm2::TForm2(TForm2State& state, const SettingsServices& services) : state_(state), services_(services) {}

void TForm2::FormCreate() {
  SettingsView& view = services_.view;
  view.SetColour(kSettingsColour);
  state_.WindowsDir = services_.system.WindowsDirectory();
  state_.IniFileName = IniFileName(state_.WindowsDir, services_.system.ExecutablePath());
  state_.PictureCount = 0;
  state_.SoundCount = 0;
  view.SetScrollMax("ScrollBarW", view.ScreenWidth());
  view.SetScrollMax("ScrollBarH", view.ScreenHeight());
  if (services_.files.FileExists(state_.IniFileName))
    ReadSettings();
  else
    CreateSettingsFile();
  FillLists();
  view.SetItemIndex("ListBox1", 0);
  view.SetItemIndex("ListBox2", 0);
  if (state_.SoundCount <= 0) {
    // Without sounds the choice means nothing; the checked button stays as read.
    view.SetEnabled("Radsndon", false);
    view.SetEnabled("Radsndof", false);
  }
}

void TForm2::CreateSettingsFile() {
  TIniFile ini(services_.profiles, state_.IniFileName);
  WriteNewSettingsFile(ini, [this](SlotList list, int slot) {
    (list == SlotList::Pictures ? state_.PictureSlots : state_.SoundSlots)[slot] = kFreeSlot;
  });
  SettingsView& view = services_.view;
  const std::string size = std::to_string(SizeBarRange().position);
  view.SetCaption("Lblheight", size);
  view.SetCaption("Lblwidth", size);
  // The choices of a new file: sound off, in order, and its Picdis, Color and Time codes 4, 4 and 2.
  view.Check("Radsndof");
  view.Check("Radseq");
  view.Check(RowForCode(kDisplayModeRows, 4).radio);
  view.Check(RowForCode(kColourSchemeRows, 4).radio);
  view.Check(RowForCode(kDelayRows, 2).radio);
}

void TForm2::ReadSettings() {
  TIniFile ini(services_.profiles, state_.IniFileName);
  SettingsView& view = services_.view;
  view.Check(ini.ReadBool(kOptionsSection, "Sound", true) ? "Radsndon" : "Radsndof");
  view.Check(ini.ReadBool(kOptionsSection, "Seq", true) ? "Radseq" : "Radran");
  view.Check(RowForCode(kColourSchemeRows, ini.ReadInteger(kOptionsSection, "Color", -1)).radio);
  view.Check(RowForCode(kDisplayModeRows, ini.ReadInteger(kOptionsSection, "Picdis", -1)).radio);
  view.Check(RowForCode(kDelayRows, ini.ReadInteger(kOptionsSection, "Time", -1)).radio);
  ShowSize("Lblheight", "ScrollBarH", ini.ReadInteger(kOptionsSection, "Height", -1), view.ScreenHeight());
  ShowSize("Lblwidth", "ScrollBarW", ini.ReadInteger(kOptionsSection, "Width", -1), view.ScreenWidth());
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    state_.PictureSlots[slot] = ini.ReadString(kPictureSection, SlotKey(slot), kSlotDefault);
    state_.SoundSlots[slot] = ini.ReadString(kSoundSection, SlotKey(slot), kSlotDefault);
  }
}

// The label keeps a stored size beyond the screen, to be written back unchanged, while the bar stops at its end.
void TForm2::ShowSize(const char* label, const char* bar, int stored, int barMax) {
  const ScrollRange& range = SizeBarRange();
  const int shown = std::max(stored, range.min);
  services_.view.SetCaption(label, std::to_string(shown));
  services_.view.SetScrollPosition(bar, std::clamp(shown, range.min, std::max(barMax, range.min)));
}

void TForm2::FillLists() {
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    if (!IsFreeSlot(state_.PictureSlots[slot])) {
      services_.view.AppendItem("ListBox1", state_.PictureSlots[slot]);
      ++state_.PictureCount;
    }
    if (!IsFreeSlot(state_.SoundSlots[slot])) {
      services_.view.AppendItem("ListBox2", state_.SoundSlots[slot]);
      ++state_.SoundCount;
    }
  }
}

void TForm2::ScrollBarWScroll(int scrollPos) { services_.view.SetCaption("Lblwidth", std::to_string(scrollPos)); }

void TForm2::ScrollBarHScroll(int scrollPos) { services_.view.SetCaption("Lblheight", std::to_string(scrollPos)); }

void TForm2::cmdcloseClick() {
  SettingsView& view = services_.view;
  {
    TIniFile ini(services_.profiles, state_.IniFileName);
    ini.WriteBool(kOptionsSection, "Sound", view.Checked("Radsndon"));
    ini.WriteBool(kOptionsSection, "Seq", view.Checked("Radseq"));
    ini.WriteInteger(kOptionsSection, "Color", CheckedCode(view, kColourSchemeRows));
    ini.WriteInteger(kOptionsSection, "Picdis", CheckedCode(view, kDisplayModeRows));
    ini.WriteInteger(kOptionsSection, "Time", CheckedCode(view, kDelayRows));
    ini.WriteInteger(kOptionsSection, "Height", LabelNumber(view, "Lblheight"));
    ini.WriteInteger(kOptionsSection, "Width", LabelNumber(view, "Lblwidth"));
  }
  if (state_.PictureCount == 1) services_.boxes.Show(BoxKind::Confirm, kOnePictureNote, BoxButtons::Ok);
  view.Close();
}

void TForm2::cmdhelpClick() { services_.view.ShowDisclaimerModal(); }

}  // namespace lumora
