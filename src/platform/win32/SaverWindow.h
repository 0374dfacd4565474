#pragma once
#include <windows.h>

#include <array>

#include "platform/SaverStage.h"
#include "platform/win32/Application.h"
#include "platform/win32/GdiObjects.h"
#include "platform/win32/OwnedWindow.h"
#include "platform/win32/PictureWindow.h"

namespace lumora {
class TForm1;
}

namespace lumora::win32 {

// The saver window "TForm1": borderless, on top of all windows, over the whole primary screen, with the picture
// controls, the information label, the display timer and the media player's notification window.
class SaverWindow : public SaverStage, public OwnedWindow {
 public:
  SaverWindow(Application& application, HINSTANCE instance);
  ~SaverWindow() override;

  // Makes the window and its controls, hidden; `form` handles their events.
  void Create(TForm1& form);
  // Shows the window maximised and active, as it does when its creation ends.
  void Show();
  HWND PlayerHandle() const { return player_; }

  int ScreenWidth() override { return screenWidth_; }
  int ScreenHeight() override { return screenHeight_; }
  int BitsPerPixel() override;
  void SetBackground(Rgb colour) override;
  void ShowInfoLabel(const std::string& caption) override;
  void UpdateControl(ControlId id, const PictureControl& control) override;
  void BringToFront(ControlId id) override;
  void CopyToSurface(const Picture& picture, int left, int top) override;
  void SetTimer(bool enabled, int intervalMs) override;
  void InstallInputHook() override;
  void ProcessMessages() override { application_.ProcessMessages(); }
  void Close() override;

 private:
  static LRESULT CALLBACK PlayerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void CreateInfoLabel();

  Application& application_;
  HINSTANCE instance_;
  TForm1* form_ = nullptr;
  HWND label_ = nullptr;
  HWND player_ = nullptr;
  UniqueFont labelFont_;
  UniqueBrush backgroundBrush_;
  Rgb background_{128, 0, 128};
  std::array<PictureWindow, kShownControlCount> pictures_;
  int screenWidth_;
  int screenHeight_;
};

}  // namespace lumora::win32
