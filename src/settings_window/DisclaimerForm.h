#pragma once

namespace lumora {

// The disclaimer window as its handler sees it.
class DisclaimerView {
 public:
  virtual ~DisclaimerView() = default;
  // Ends the window's modal showing; the settings window is active again.
  virtual void Close() = 0;
};

// The disclaimer window: created hidden with the settings window, shown modally by its About button.
class DisclaimerForm {
 public:
  explicit DisclaimerForm(DisclaimerView& view) : view_(view) {}
  void OnReturn();

 private:
  DisclaimerView& view_;
};

}  // namespace lumora
