#include "win32_services/Win32FolderChooser.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include "win32_services/LibraryFunction.h"

namespace lumora::win32 {

namespace {

// The dialog opens on the start folder once it is up; a folder that is gone leaves it as the shell opens it.
int CALLBACK OnBrowseEvent(HWND dialog, UINT event, LPARAM, LPARAM start) {
  static const auto sendMessage = LibraryFunction<decltype(SendMessageA)>("user32.dll", "SendMessageA");
  if (event == BFFM_INITIALIZED && start != 0 && sendMessage) sendMessage(dialog, BFFM_SETSELECTIONA, TRUE, start);
  return 0;
}

// The shell's and COM's functions the dialog needs, looked up at its first use.
struct ShellFunctions {
  decltype(CoInitialize)* coInitialize = LibraryFunction<decltype(CoInitialize)>("ole32.dll", "CoInitialize");
  decltype(CoUninitialize)* coUninitialize = LibraryFunction<decltype(CoUninitialize)>("ole32.dll", "CoUninitialize");
  decltype(CoTaskMemFree)* coTaskMemFree = LibraryFunction<decltype(CoTaskMemFree)>("ole32.dll", "CoTaskMemFree");
  decltype(SHBrowseForFolderA)* browseForFolder =
      LibraryFunction<decltype(SHBrowseForFolderA)>("shell32.dll", "SHBrowseForFolderA");
  decltype(SHGetPathFromIDListA)* pathFromIdList =
      LibraryFunction<decltype(SHGetPathFromIDListA)>("shell32.dll", "SHGetPathFromIDListA");

  bool Found() const { return coInitialize && coUninitialize && coTaskMemFree && browseForFolder && pathFromIdList; }
};

}  // namespace

std::optional<std::string> Win32FolderChooser::ChooseFolder(const std::string& title, const std::string& start) {
  static const ShellFunctions shell;
  if (!shell.Found()) return std::nullopt;
  // The shell asks for COM in the calling thread, in an apartment of its own.
  const HRESULT com = shell.coInitialize(nullptr);
  char name[MAX_PATH] = "";
  BROWSEINFOA browse{};
  browse.pszDisplayName = name;
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX;
  browse.lpfn = OnBrowseEvent;
  browse.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
  std::optional<std::string> chosen;
  if (LPITEMIDLIST folder = shell.browseForFolder(&browse)) {
    char path[MAX_PATH] = "";
    if (shell.pathFromIdList(folder, path)) chosen = path;
    shell.coTaskMemFree(folder);
  }
  if (SUCCEEDED(com)) shell.coUninitialize();
  return chosen;
}

}  // namespace lumora::win32
