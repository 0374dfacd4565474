#pragma once
#include <string>

#include "platform/PasswordServices.h"
#include "platform/SystemServices.h"

namespace lumora {

inline constexpr const char* kSaverTitle = "Tessaly";
inline constexpr const char* kSettingsTitle = "Lumora Screensaver";

// The two modes that open windows, run by the platform's application object until their main window closes.
class WindowModes {
 public:
  virtual ~WindowModes() = default;
  virtual void RunSaverMode() = 0;
  virtual void RunSettingsMode() = 0;
};

// The program: refuses to start while a saver window is open, then runs the mode that the command line names.
// Returns the exit code.
int RunProgram(const std::string& commandLine, SystemServices& system, PasswordServices& passwords, WindowModes& modes);

}  // namespace lumora
