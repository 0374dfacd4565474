#pragma once
#include <windows.h>

#include "platform/MediaDevice.h"

namespace lumora::win32 {

// The Media Control Interface of winmm; end-of-play notifications go to the player's window.
class Win32Mci : public MediaDevice {
 public:
  void SetNotifyWindow(HWND window) { notifyWindow_ = window; }
  uint32_t Open(const std::string& elementName, uint32_t& deviceId) override;
  uint32_t Play(uint32_t deviceId) override;
  uint32_t Stop(uint32_t deviceId) override;
  uint32_t Close(uint32_t deviceId) override;
  std::optional<MediaMode> StatusMode(uint32_t deviceId) override;
  std::string ErrorString(uint32_t code) override;

  // The outcome an MM_MCINOTIFY message carries; nothing for a code outside the four.
  static std::optional<MediaNotify> NotifyOutcome(WPARAM code);

 private:
  HWND notifyWindow_ = nullptr;
};

}  // namespace lumora::win32
