#pragma once
#include <windows.h>

#include "platform/FileSystem.h"
#include "platform/win32/OwnedWindow.h"
#include "platform/win32/Application.h"
#include "platform/win32/FormBuilder.h"
#include "platform/win32/GdiObjects.h"
#include "usave2/SettingsView.h"

namespace lumora {
class TForm2;
}

namespace lumora::win32 {

class DisclaimerWindow;

// The settings window "TForm2": a captioned window with a single fixed border and no title-bar buttons, built
// from the settings form description and centred on the screen. OK is the only way to close it.
class SettingsWindow : public SettingsView, public OwnedWindow {
 public:
  SettingsWindow(Application& application, HINSTANCE instance, FileSystem& files);
  ~SettingsWindow() override;
  SettingsWindow(const SettingsWindow&) = delete;
  SettingsWindow& operator=(const SettingsWindow&) = delete;

  // Makes the window and its controls, hidden; `form` handles their events.
  void Create(TForm2& form);
  void SetDisclaimer(DisclaimerWindow& disclaimer) { disclaimer_ = &disclaimer; }
  void Show();
  // Runs until the window is closed.
  void RunMessageLoop();

  void SetColour(Rgb colour) override;
  int ScreenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
  int ScreenHeight() override { return GetSystemMetrics(SM_CYSCREEN); }
  void Check(const std::string& radio) override;
  bool Checked(const std::string& radio) override;
  void SetEnabled(const std::string& control, bool enabled) override;
  void SetCaption(const std::string& label, const std::string& text) override;
  std::string Caption(const std::string& label) override;
  void SetScrollMax(const std::string& bar, int max) override;
  void SetScrollPosition(const std::string& bar, int position) override;
  void AppendItem(const std::string& list, const std::string& text) override;
  void DeleteItem(const std::string& list, int index) override;
  std::string Item(const std::string& list, int index) override;
  int ItemIndex(const std::string& list) override;
  void SetItemIndex(const std::string& list, int index) override;
  std::optional<std::string> AskPictureFile() override;
  std::optional<std::string> AskSoundFile() override;
  void ShowDisclaimerModal() override;
  void Close() override;

 private:
  LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCommand(HWND control, int notification);
  void OnScroll(HWND bar, int code);
  void OnActivate(bool active);
  bool PreTranslate(MSG& message);
  void MoveWithinRadioGroup(HWND focus, bool forward);
  void CreateToolTips();

  Application& application_;
  HINSTANCE instance_;
  FileSystem& files_;
  TForm2* form_ = nullptr;
  DisclaimerWindow* disclaimer_ = nullptr;
  HWND toolTips_ = nullptr;
  HWND lastFocus_ = nullptr;
  bool closeRequested_ = false;
  FormFonts fonts_;
  FormControls controls_;
  Rgb colour_;
  UniqueBrush brush_;
};

}  // namespace lumora::win32
