#pragma once
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "usave2/FormLayout.h"
#include "usave2/SettingsView.h"

namespace lumora::test {

// The settings window's controls as plain state, built from the form description: naming a control that the
// form does not have raises std::out_of_range, and checking a radio button unchecks the others of its group.
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
  void Check(const std::string& radio) override;
  bool Checked(const std::string& radio) override;
  void SetEnabled(const std::string& control, bool enabled) override { At(control).enabled = enabled; }
  void SetCaption(const std::string& label, const std::string& text) override;
  std::string Caption(const std::string& label) override { return At(label).caption; }
  void SetScrollMax(const std::string& bar, int max) override;
  void SetScrollPosition(const std::string& bar, int position) override { At(bar).scrollPosition = position; }
  void AppendItem(const std::string& list, const std::string& text) override { At(list).items.push_back(text); }
  void DeleteItem(const std::string& list, int index) override;
  std::string Item(const std::string& list, int index) override;
  int ItemIndex(const std::string& list) override { return At(list).itemIndex; }
  void SetItemIndex(const std::string& list, int index) override;
  std::optional<std::string> AskPictureFile() override { return NextAnswer(pictureAnswers, pictureDialogs); }
  std::optional<std::string> AskSoundFile() override { return NextAnswer(soundAnswers, soundDialogs); }
  void ShowDisclaimerModal() override { ++disclaimerShown; }
  void Close() override { closed = true; }

  Control& At(const std::string& name);
  // The checked radio buttons of the whole form, in form order.
  std::vector<std::string> CheckedRadios() const;
  const std::vector<std::string>& Items(const std::string& list) { return At(list).items; }

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
  std::optional<std::string> NextAnswer(std::deque<std::optional<std::string>>& answers, int& asked);

  const FormLayout& form_;
  std::map<std::string, Control> controls_;
};

}  // namespace lumora::test
