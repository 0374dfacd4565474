#pragma once
#include <optional>
#include <string>

#include "image/Picture.h"

namespace lumora {

// The settings window as its handlers see it: controls are named as in the settings form description.
class SettingsView {
 public:
  virtual ~SettingsView() = default;

  virtual void SetColour(Rgb colour) = 0;
  virtual int ScreenWidth() = 0;
  virtual int ScreenHeight() = 0;

  // Checks the radio button and unchecks the others of its group.
  virtual void Check(const std::string& radio) = 0;
  virtual bool Checked(const std::string& radio) = 0;
  virtual void SetEnabled(const std::string& control, bool enabled) = 0;
  virtual void SetCaption(const std::string& label, const std::string& text) = 0;
  virtual std::string Caption(const std::string& label) = 0;

  // The position stays within the bar's range; the caller keeps it there.
  virtual void SetScrollMax(const std::string& bar, int max) = 0;
  virtual void SetScrollPosition(const std::string& bar, int position) = 0;

  // Plain, unsorted, single-selection lists.
  virtual void AppendItem(const std::string& list, const std::string& text) = 0;
  virtual void DeleteItem(const std::string& list, int index) = 0;
  virtual std::string Item(const std::string& list, int index) = 0;
  // The selected item, -1 for none.
  virtual int ItemIndex(const std::string& list) = 0;
  // Selects an item; an index outside the list leaves it without a selection.
  virtual void SetItemIndex(const std::string& list, int index) = 0;

  // The open-file dialogs: the full path chosen, nothing when the user cancels.
  virtual std::optional<std::string> AskPictureFile() = 0;
  virtual std::optional<std::string> AskSoundFile() = 0;
  // Shows the disclaimer window and returns when it is closed.
  virtual void ShowDisclaimerModal() = 0;
  virtual void Close() = 0;
};

}  // namespace lumora
