#include "settings_window/SettingsForm.h"

namespace lumora {

namespace {

// 0 when no slot holds `text`.
int FirstSlotHolding(const SettingsStore& ini, SlotList list, const std::string& text) {
  int found = 0;
  ReadSlots(ini, {list}, [&](SlotList, int slot, const std::string& value) {
    if (value == text) found = slot;
    return found == 0;
  });
  return found;
}

}  // namespace

SettingsForm::ListSide SettingsForm::SideOf(SlotList list) {
  if (list == SlotList::Pictures) return {list, SettingsControl::PictureList, state_.pictureSlots, state_.pictureCount};
  return {list, SettingsControl::SoundList, state_.soundSlots, state_.soundCount};
}

void SettingsForm::AddPicture() {
  const std::optional<std::string> path = services_.view.AskPictureFile();
  if (!path || path->empty()) return;
  AddPictureEntry(*path);
}

void SettingsForm::AddSound() {
  const std::optional<std::string> path = services_.view.AskSoundFile();
  if (!path || path->empty()) return;
  AddSoundEntry(*path);
  // Also after the list-full message: a sound was asked for, so the choice may matter again.
  services_.view.SetEnabled(OptionRadio::SoundOn, true);
  services_.view.SetEnabled(OptionRadio::SoundOff, true);
}

void SettingsForm::RemovePicture() {
  if (ConfirmRemoval(SideOf(SlotList::Pictures), kNoPicturesToRemoveMessage)) DeletePictureEntry();
}

void SettingsForm::RemoveSound() {
  if (ConfirmRemoval(SideOf(SlotList::Sounds), kNoSoundsToRemoveMessage)) DeleteSoundEntry();
}

void SettingsForm::AddPictureEntry(const std::string& path) { AddEntry(SideOf(SlotList::Pictures), path); }

void SettingsForm::AddSoundEntry(const std::string& path) { AddEntry(SideOf(SlotList::Sounds), path); }

void SettingsForm::DeletePictureEntry() { DeleteEntry(SideOf(SlotList::Pictures)); }

void SettingsForm::DeleteSoundEntry() { DeleteEntry(SideOf(SlotList::Sounds)); }

bool SettingsForm::ConfirmRemoval(const ListSide& side, const char* emptyMessage) {
  if (side.count < 1) {
    services_.boxes.Show(BoxKind::Information, emptyMessage, BoxButtons::Ok);
    return false;
  }
  return services_.boxes.Show(BoxKind::Warning, kConfirmRemoveMessage, BoxButtons::OkCancel);
}

// The free slot comes from the window's table, not from the file. The file is written first, so a refused write
// leaves the table, the list and the count as they were.
void SettingsForm::AddEntry(ListSide side, const std::string& path) {
  int freeSlot = 0;
  for (int slot = 1; slot <= kSlotCount && freeSlot == 0; ++slot)
    if (IsFreeSlot(side.slots[slot])) freeSlot = slot;
  if (freeSlot == 0) {
    services_.boxes.Show(BoxKind::Confirm, kListFullMessage, BoxButtons::Ok);
    return;
  }
  SettingsStore ini(services_.profiles, state_.iniFileName);
  ini.WriteString(SectionOf(side.list), SlotKey(freeSlot), path);
  side.slots[freeSlot] = path;
  services_.view.AppendItem(side.listBox, path);
  ++side.count;
  services_.view.SetItemIndex(side.listBox, 0);
}

// Frees the lowest slot of the file that holds the selected text: with the same path in several slots that is
// the first copy, whichever line was selected.
void SettingsForm::DeleteEntry(ListSide side) {
  SettingsView& view = services_.view;
  const int selected = view.ItemIndex(side.listBox);
  SettingsStore ini(services_.profiles, state_.iniFileName);
  const int slot = selected >= 0 ? FirstSlotHolding(ini, side.list, view.Item(side.listBox, selected)) : 0;
  if (slot > 0) {
    ini.WriteString(SectionOf(side.list), SlotKey(slot), kFreeSlot);
    side.slots[slot] = kFreeSlot;
    view.DeleteItem(side.listBox, selected);
    --side.count;
    if (side.list == SlotList::Sounds && side.count < 1) {
      view.Check(OptionRadio::SoundOff);
      view.SetEnabled(OptionRadio::SoundOn, false);
      view.SetEnabled(OptionRadio::SoundOff, false);
    }
    view.SetItemIndex(side.listBox, 0);
    return;
  }
  // Without a selection there is nothing to look for either.
  services_.boxes.Show(BoxKind::Error, kEntryNotFoundMessage, BoxButtons::Ok);
}

}  // namespace lumora
