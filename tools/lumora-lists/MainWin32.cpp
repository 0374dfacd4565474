// lumora-lists.exe, and lumora-listsw.exe for the Start menu, which has no console and shows every line in one box
// at the end. By default the lists go into the settings file the saver reads, in the Windows directory.
#include <string>
#include <vector>

#include "lumora-lists/LumoraLists.h"
#include "lumora-lists/SettingsUpdate.h"
#include "settings_file/SettingsFile.h"
#include "win32_services/Win32FileTree.h"
#include "win32_services/Win32FolderChooser.h"
#include "win32_services/Win32Services.h"

int main(int argc, char** argv) {
  lumora::win32::Win32ProfileFiles profiles;
  lumora::win32::Win32FileTree tree;
  lumora::win32::Win32FolderChooser chooser;
  lumora::win32::Win32MessageBoxes boxes("lumora-lists");
  const std::string defaultIni = lumora::IniFileName(lumora::win32::WindowsDirectory(), "lumora.scr");
  const lumora::ListsServices services{profiles, tree, defaultIni, &chooser, &boxes};
  const std::vector<std::string> arguments(argv + 1, argv + argc);
#ifdef LUMORA_LISTS_WINDOWED
  lumora::BoxConsole console(boxes);
  const int exitCode = lumora::RunLumoraLists(arguments, services, console);
  console.Show(exitCode);
  return exitCode;
#else
  lumora::StdioConsole console;
  return lumora::RunLumoraLists(arguments, services, console);
#endif
}
