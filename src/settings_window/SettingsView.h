#pragma once
#include <optional>
#include <string>

#include "image/Picture.h"
#include "settings_window/SettingsControls.h"

namespace lumora {

// The settings window as its handlers see it, its controls named by their identifiers.
class SettingsView {
 public:
  virtual ~SettingsView() = default;

  virtual void SetColour(Rgb colour) = 0;
  virtual int ScreenWidth() = 0;
  virtual int ScreenHeight() = 0;

  // Checks the radio button and unchecks the others of its group.
  virtual void Check(OptionRadio radio) = 0;
  virtual bool Checked(OptionRadio radio) = 0;
  virtual void SetEnabled(OptionRadio radio, bool enabled) = 0;
  virtual void SetCaption(SettingsControl label, const std::string& text) = 0;
  virtual std::string Caption(SettingsControl label) = 0;

  // The position stays within the bar's range; the caller keeps it there.
  virtual void SetScrollMax(SettingsControl bar, int max) = 0;
  virtual void SetScrollPosition(SettingsControl bar, int position) = 0;

  // Plain, unsorted, single-selection lists.
  virtual void AppendItem(SettingsControl list, const std::string& text) = 0;
  virtual void DeleteItem(SettingsControl list, int index) = 0;
  virtual std::string Item(SettingsControl list, int index) = 0;
  // The selected item, -1 for none.
  virtual int ItemIndex(SettingsControl list) = 0;
  // Selects an item; an index outside the list leaves it without a selection.
  virtual void SetItemIndex(SettingsControl list, int index) = 0;

  // The open-file dialogs: the full path chosen, nothing when the user cancels.
  virtual std::optional<std::string> AskPictureFile() = 0;
  virtual std::optional<std::string> AskSoundFile() = 0;
  // Shows the disclaimer window and returns when it is closed.
  virtual void ShowDisclaimerModal() = 0;
  virtual void Close() = 0;
};

}  // namespace lumora
