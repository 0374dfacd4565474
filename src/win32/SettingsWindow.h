#pragma once
#include <windows.h>

#include "platform/FileSystem.h"
#include "settings_window/SettingsView.h"
#include "win32/Application.h"
#include "win32/FormBuilder.h"
#include "win32/GdiObjects.h"
#include "win32/Window.h"

namespace lumora {
class SettingsForm;
}

namespace lumora::win32 {

class DisclaimerWindow;

// The settings window (kSettingsWindowClass): a captioned window with a single fixed border and no title-bar buttons,
// built from the settings form description and centred on the screen. OK closes it; so does the system's close (Alt+F4,
// the task list), as a cancel.
class SettingsWindow : public SettingsView, public Window {
 public:
  SettingsWindow(Application& application, HINSTANCE instance, FileSystem& files);

  // Makes the window and its controls, hidden, with `form` handling their events; false when any of them could
  // not be made.
  bool Create(SettingsForm& form);
  void SetDisclaimer(DisclaimerWindow& disclaimer) { disclaimer_ = &disclaimer; }
  void Show();
  // Runs the application's loop until the window is closed.
  void RunMessageLoop();

  void SetColour(Rgb colour) override;
  int ScreenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
  int ScreenHeight() override { return GetSystemMetrics(SM_CYSCREEN); }
  void Check(OptionRadio radio) override;
  bool Checked(OptionRadio radio) override;
  void SetEnabled(OptionRadio radio, bool enabled) override;
  void SetCaption(SettingsControl label, const std::string& text) override;
  std::string Caption(SettingsControl label) override;
  void SetScrollMax(SettingsControl bar, int max) override;
  void SetScrollPosition(SettingsControl bar, int position) override;
  void AppendItem(SettingsControl list, const std::string& text) override;
  void DeleteItem(SettingsControl list, int index) override;
  std::string Item(SettingsControl list, int index) override;
  int ItemIndex(SettingsControl list) override;
  void SetItemIndex(SettingsControl list, int index) override;
  std::optional<std::string> AskPictureFile() override;
  std::optional<std::string> AskSoundFile() override;
  void ShowDisclaimerModal() override;
  void Close() override;

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCommand(HWND control, int notification);
  void OnScroll(HWND bar, int code);
  void OnActivate(bool active);
  bool PreTranslate(MSG& message);
  void MoveWithinRadioGroup(HWND focus, bool forward);
  void CheckById(int radio);
  void CreateToolTips();
  HWND Control(int id) const { return controls_.Handle(id); }

  Application& application_;
  HINSTANCE instance_;
  FileSystem& files_;
  SettingsForm* form_ = nullptr;
  DisclaimerWindow* disclaimer_ = nullptr;
  HWND toolTips_ = nullptr;
  HWND lastFocus_ = nullptr;
  FormFonts fonts_{SystemDpi()};  // the form is laid out at the DPI the fonts are made for
  FormControls controls_;
};

}  // namespace lumora::win32
