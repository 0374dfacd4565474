#include "app/RunProgram.h"

#include "app/CommandLine.h"

namespace lumora {

int RunProgram(const std::string& commandLine, SystemServices& system, PasswordServices& passwords,
               WindowModes& modes) {
  if (system.SaverWindowExists()) return 0;
  switch (ChooseRunMode(SplitCommandLine(commandLine))) {
    case RunMode::Saver:
      modes.RunSaverMode();
      break;
    case RunMode::Settings:
      modes.RunSettingsMode();
      break;
    case RunMode::PasswordChange:
      passwords.ChangePassword(LibraryPathIn(system.SystemDirectory(), "MPR.DLL"));
      break;
    case RunMode::None:
      break;
  }
  return 0;
}

}  // namespace lumora
