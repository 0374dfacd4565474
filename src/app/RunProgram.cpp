#include "app/RunProgram.h"

#include "app/CommandLine.h"

namespace lumora {

int RunProgram(const std::string& commandLine, SystemServices& system, PasswordServices& passwords,
               WindowModes& modes) {
  const RunMode mode = ChooseRunMode(SplitCommandLine(commandLine));
  // The check for a saver window and the window's creation are not one step: two savers started at the same
  // instant would both pass it. The claim makes the later one end as if it had found the window.
  if (mode == RunMode::Saver && !system.ClaimSaverRun()) return 0;
  if (system.SaverWindowExists()) return 0;
  switch (mode) {
    case RunMode::Saver: modes.RunSaverMode(); break;
    case RunMode::Settings: modes.RunSettingsMode(); break;
    case RunMode::PasswordChange: passwords.ChangePassword(LibraryPathIn(system.SystemDirectory(), "MPR.DLL")); break;
    case RunMode::None: break;
  }
  return 0;
}

}  // namespace lumora
