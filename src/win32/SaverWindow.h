#pragma once
#include <windows.h>

#include <array>

#include "show/SaverStage.h"
#include "win32/Application.h"
#include "win32/CoverWindows.h"
#include "win32/GdiObjects.h"
#include "win32/PictureWindow.h"
#include "win32/Window.h"

namespace lumora {
class SaverShow;
}

namespace lumora::win32 {

// The media player's own hidden window: the device posts its end-of-play notifications there.
class PlayerWindow : public Window {
 public:
  explicit PlayerWindow(Application& application) : application_(application) {}
  bool Create(HWND parent, HINSTANCE instance, SaverShow& show);

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  Application& application_;
  SaverShow* show_ = nullptr;
};

// The saver window (kSaverWindowClass): borderless, on top of all windows, over the whole primary screen, with the
// picture controls, the information label, the display timer and the media player's notification window; and the covers
// of the other monitors, which come and go with it.
class SaverWindow : public SaverStage, public Window {
 public:
  SaverWindow(Application& application, HINSTANCE instance);

  // Makes the window, its controls and the covers, hidden, with `show` handling their events; false when any of
  // them could not be made.
  bool Create(SaverShow& show);
  // Shows the window maximised and active, as it does when its creation ends, and the covers.
  void Show();
  HWND PlayerHandle() const { return player_.Handle(); }

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
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool CreateInfoLabel();
  PixelRect Screen() const { return PixelRect{0, 0, screenWidth_, screenHeight_}; }
  // Where the window stands on the desktop.
  PixelRect Placed() const;

  Application& application_;
  HINSTANCE instance_;
  SaverShow* show_ = nullptr;
  HWND label_ = nullptr;
  PlayerWindow player_;
  UniqueFont labelFont_;
  std::array<PictureWindow, kShownControlCount> pictures_;
  CoverWindows covers_;
  int screenWidth_;
  int screenHeight_;
  UINT liveGdiObjectsMessage_;
};

// What the saver's input hook makes of a window message.
QueuedMessage QueuedMessageOf(UINT message);

}  // namespace lumora::win32
