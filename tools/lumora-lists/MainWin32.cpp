// lumora-lists.exe, and lumora-listsw.exe for the Start menu and the sign-in refresh, which has no console and
// shows what it did in one box at the end. By default the lists go into the settings file the saver reads, in the
// Windows directory, named after the saver's file as the saver names it.
#include <string>
#include <vector>

#include "lumora-lists/LumoraLists.h"
#ifdef LUMORA_LISTS_WINDOWED
#include "lumora-lists/ProgressWindow.h"
#endif
#include "settings_file/SettingsFile.h"
#include "win32_services/Win32FileTree.h"
#include "win32_services/Win32FolderChooser.h"
#include "win32_services/Win32Services.h"

int main(int argc, char** argv) {
  lumora::win32::Win32FileTree tree;
  lumora::win32::Win32FolderChooser chooser;
  lumora::win32::Win32MessageBoxes boxes("Lumora", lumora::win32::Win32MessageBoxes::kTitleOnEveryBox);
  const std::string defaultIni = lumora::IniFileName(lumora::win32::WindowsDirectory(), LUMORA_SAVER_FILE);
  const std::vector<std::string> arguments(argv + 1, argv + argc);
#ifdef LUMORA_LISTS_WINDOWED
  lumora::win32::ProgressWindow progress;
  lumora::win32::BoxesAfterProgress boxesAfterProgress(boxes, progress);
  lumora::BoxConsole console(boxesAfterProgress);
  const lumora::ListsServices services{tree, defaultIni, &chooser, &boxesAfterProgress, &progress};
#else
  lumora::StdioConsole console;
  lumora::ConsoleProgress progress(console);
  const lumora::ListsServices services{tree, defaultIni, &chooser, &boxes, &progress};
#endif
  return lumora::RunLumoraLists(arguments, services, console);
}
