#pragma once
#include <windows.h>

#include "app/RunProgram.h"

namespace lumora::win32 {

class Win32Modes : public WindowModes {
 public:
  explicit Win32Modes(HINSTANCE instance) : instance_(instance) {}
  void RunSaverMode() override;
  void RunSettingsMode() override;

 private:
  HINSTANCE instance_;
};

}  // namespace lumora::win32
