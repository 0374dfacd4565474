#include "psave/Entry.h"

#include "psave/CommandLine.h"

namespace lumora {

std::string LibraryPathIn(const std::string& directory, const std::string& libraryName) {
  if (directory.empty() || directory.back() == '\\') return directory + libraryName;
  return directory + "\\" + libraryName;
}

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
