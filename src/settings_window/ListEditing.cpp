#include "settings_window/TForm2.h"

namespace lumora {

TForm2::ListSide TForm2::Pictures() {
  return {SectionOf(SlotList::Pictures), SettingsControl::ListBox1, state_.PictureSlots, state_.PictureCount, false};
}

TForm2::ListSide TForm2::Sounds() {
  return {SectionOf(SlotList::Sounds), SettingsControl::ListBox2, state_.SoundSlots, state_.SoundCount, true};
}

void TForm2::Button2Click() {
  const std::optional<std::string> path = services_.view.AskPictureFile();
  if (!path || path->empty()) return;
  AddPictureEntry(*path);
}

void TForm2::cmdwavClick() {
  const std::optional<std::string> path = services_.view.AskSoundFile();
  if (!path || path->empty()) return;
  AddSoundEntry(*path);
  // Also after the list-full message: a sound was asked for, so the choice may matter again.
  services_.view.SetEnabled(OptionRadio::Radsndon, true);
  services_.view.SetEnabled(OptionRadio::Radsndof, true);
}

void TForm2::Button3Click() {
  if (ConfirmRemoval(Pictures(), kNoPicturesToRemoveMessage)) DeletePictureEntry();
}

void TForm2::cmdwavdClick() {
  if (ConfirmRemoval(Sounds(), kNoSoundsToRemoveMessage)) DeleteSoundEntry();
}

void TForm2::AddPictureEntry(const std::string& path) { AddEntry(Pictures(), path); }

void TForm2::AddSoundEntry(const std::string& path) { AddEntry(Sounds(), path); }

void TForm2::DeletePictureEntry() { DeleteEntry(Pictures()); }

void TForm2::DeleteSoundEntry() { DeleteEntry(Sounds()); }

bool TForm2::ConfirmRemoval(const ListSide& side, const char* emptyMessage) {
  if (side.count < 1) {
    services_.boxes.Show(BoxKind::Information, emptyMessage, BoxButtons::Ok);
    return false;
  }
  return services_.boxes.Show(BoxKind::Warning, kConfirmRemoveMessage, BoxButtons::OkCancel);
}

// The free slot comes from the window's table, not from the file. The file is written first, so a refused write
// leaves the table, the list and the count as they were.
void TForm2::AddEntry(ListSide side, const std::string& path) {
  int freeSlot = 0;
  for (int slot = 1; slot <= kSlotCount && freeSlot == 0; ++slot)
    if (IsFreeSlot(side.slots[slot])) freeSlot = slot;
  if (freeSlot == 0) {
    services_.boxes.Show(BoxKind::Confirm, kListFullMessage, BoxButtons::Ok);
    return;
  }
  TIniFile ini(services_.profiles, state_.IniFileName);
  ini.WriteString(side.section, SlotKey(freeSlot), path);
  side.slots[freeSlot] = path;
  services_.view.AppendItem(side.listBox, path);
  ++side.count;
  services_.view.SetItemIndex(side.listBox, 0);
}

// Frees the lowest slot of the file that holds the selected text: with the same path in several slots that is
// the first copy, whichever line was selected.
void TForm2::DeleteEntry(ListSide side) {
  SettingsView& view = services_.view;
  const int selected = view.ItemIndex(side.listBox);
  if (selected >= 0) {
    const std::string text = view.Item(side.listBox, selected);
    TIniFile ini(services_.profiles, state_.IniFileName);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
      if (ini.ReadString(side.section, SlotKey(slot), kSlotDefault) != text) continue;
      ini.WriteString(side.section, SlotKey(slot), kFreeSlot);
      side.slots[slot] = kFreeSlot;
      view.DeleteItem(side.listBox, selected);
      --side.count;
      if (side.isSoundList && side.count < 1) {
        view.Check(OptionRadio::Radsndof);
        view.SetEnabled(OptionRadio::Radsndon, false);
        view.SetEnabled(OptionRadio::Radsndof, false);
      }
      view.SetItemIndex(side.listBox, 0);
      return;
    }
  }
  // Without a selection there is nothing to look for either.
  services_.boxes.Show(BoxKind::Error, kEntryNotFoundMessage, BoxButtons::Ok);
}

}  // namespace lumora
