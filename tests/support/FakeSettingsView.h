#pragma once
#include <deque>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "forms/FormLayout.h"
#include "settings_window/SettingsView.h"

namespace lumora {

// Failures name a radio button by its caption.
void PrintTo(OptionRadio radio, std::ostream* out);

}  // namespace lumora

namespace lumora::test {

// The settings window's controls as plain state, built from the form description: a control that the form does
// not have raises std::out_of_range, and checking a radio button unchecks the others of its group.
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

  Control& At(SettingsControl control) { return At(Id(control)); }
  Control& At(OptionRadio radio) { return At(Id(radio)); }
  const std::vector<std::string>& Items(SettingsControl list) { return At(Id(list)).items; }
  // The checked radio buttons of the whole form, in form order.
  std::vector<OptionRadio> CheckedRadios() const;

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
  std::optional<std::string> NextAnswer(std::deque<std::optional<std::string>>& answers, int& asked);

  const FormLayout& form_;
  std::map<int, Control> controls_;
};

}  // namespace lumora::test
