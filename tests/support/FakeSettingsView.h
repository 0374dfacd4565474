#pragma once
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "forms/FormLayout.h"
#include "settings_window/SettingsView.h"

namespace lumora::test {

// The row of the control with this name in the system's design; raises std::out_of_range for any other name.
const ControlLayout& ControlNamed(const FormLayout& form, const std::string& name);
// The name of a control's container, "" for the window itself.
std::string ParentName(const FormLayout& form, const ControlLayout& control);

// The settings window's controls as plain state, built from the form description: a control that the form does
// not have raises std::out_of_range, and checking a radio button unchecks the others of its group. Tests look
// controls up by their names.
class FakeSettingsView : public SettingsView {
 public:
  struct Control {
    std::string caption;
    bool captionSet = false;  // changed since the window was built
    bool checked = false;
    bool enabled = true;
    int scrollMax = 0;
    int scrollPosition = 0;
    std::vector<std::string> items;
    int itemIndex = -1;
  };

  explicit FakeSettingsView(const FormLayout& form, int screenWidth = 1024, int screenHeight = 768);

  void SetColour(Rgb value) override { colour = value; }
  int ScreenWidth() override { return screenWidth; }
  int ScreenHeight() override { return screenHeight; }
  void Check(OptionRadio radio) override;
  bool Checked(OptionRadio radio) override { return At(Id(radio)).checked; }
  void SetEnabled(OptionRadio radio, bool enabled) override { At(Id(radio)).enabled = enabled; }
  void SetCaption(SettingsControl label, const std::string& text) override;
  std::string Caption(SettingsControl label) override { return At(Id(label)).caption; }
  void SetScrollMax(SettingsControl bar, int max) override;
  void SetScrollPosition(SettingsControl bar, int position) override { At(Id(bar)).scrollPosition = position; }
  void AppendItem(SettingsControl list, const std::string& text) override { At(Id(list)).items.push_back(text); }
  void DeleteItem(SettingsControl list, int index) override;
  std::string Item(SettingsControl list, int index) override { return At(Id(list)).items.at(index); }
  int ItemIndex(SettingsControl list) override { return At(Id(list)).itemIndex; }
  void SetItemIndex(SettingsControl list, int index) override;
  std::optional<std::string> AskPictureFile() override { return NextAnswer(pictureAnswers, pictureDialogs); }
  std::optional<std::string> AskSoundFile() override { return NextAnswer(soundAnswers, soundDialogs); }
  void ShowDisclaimerModal() override { ++disclaimerShown; }
  void Close() override { closed = true; }

  // Looked up by name, for tests.
  Control& At(const std::string& name) { return At(ControlNamed(form_, name).id); }
  bool Checked(const std::string& radio);
  void Check(const std::string& radio) { Check(static_cast<OptionRadio>(RadioNamed(radio).id)); }
  std::string Caption(const std::string& label) { return At(label).caption; }
  const std::vector<std::string>& Items(const std::string& list) { return At(list).items; }
  std::string Item(const std::string& list, int index) { return At(list).items.at(index); }
  int ItemIndex(const std::string& list) { return At(list).itemIndex; }
  void SetItemIndex(const std::string& list, int index) {
    SetItemIndex(static_cast<SettingsControl>(ControlNamed(form_, list).id), index);
  }
  // The checked radio buttons of the whole form, in form order.
  std::vector<std::string> CheckedRadios() const;

  Rgb colour;
  int screenWidth;
  int screenHeight;
  // Answers of the open-file dialogs in order; nothing stands for Cancel.
  std::deque<std::optional<std::string>> pictureAnswers;
  std::deque<std::optional<std::string>> soundAnswers;
  int pictureDialogs = 0;
  int soundDialogs = 0;
  int disclaimerShown = 0;
  bool closed = false;

 private:
  Control& At(int id);
  const ControlLayout& RadioNamed(const std::string& name);
  std::optional<std::string> NextAnswer(std::deque<std::optional<std::string>>& answers, int& asked);

  const FormLayout& form_;
  std::map<int, Control> controls_;
};

}  // namespace lumora::test
