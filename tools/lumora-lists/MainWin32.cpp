// lumora-lists.exe: by default the lists go into the settings file the saver reads, in the Windows directory.
#include <memory>
#include <string>
#include <vector>

#include "lumora-lists/LumoraLists.h"
#include "platform/win32/Win32FileTree.h"
#include "settings_file/SettingsFile.h"

int main(int argc, char** argv) {
  const std::unique_ptr<lumora::ProfileFiles> profiles = lumora::win32::MakeWin32ProfileFiles();
  lumora::win32::Win32FileTree tree;
  lumora::StdioConsole console;
  const std::string defaultIni =
      lumora::IniFileName(lumora::win32::MakeWin32System()->WindowsDirectory(), "lumora.scr");
  return lumora::RunLumoraLists(std::vector<std::string>(argv + 1, argv + argc), {*profiles, tree, defaultIni},
                                console);
}
