// lumora-lists.exe: by default the lists go into the settings file the saver reads, in the Windows directory.
#include <string>
#include <vector>

#include "lumora-lists/LumoraLists.h"
#include "lumora-lists/SettingsUpdate.h"
#include "win32_services/Win32FileTree.h"
#include "win32_services/Win32Services.h"
#include "settings_file/SettingsFile.h"

int main(int argc, char** argv) {
  lumora::win32::Win32ProfileFiles profiles;
  lumora::win32::Win32FileTree tree(lumora::kReplacedListsSuffix);
  lumora::StdioConsole console;
  const std::string defaultIni = lumora::IniFileName(lumora::win32::WindowsDirectory(), "lumora.scr");
  return lumora::RunLumoraLists(std::vector<std::string>(argv + 1, argv + argc), {profiles, tree, defaultIni},
                                console);
}
