#include "win32_services/Win32FolderChooser.h"

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

namespace lumora::win32 {

namespace {

// The dialog opens on the start folder once it is up; a folder that is gone leaves it as the shell opens it.
int CALLBACK OnBrowseEvent(HWND dialog, UINT event, LPARAM, LPARAM start) {
  if (event == BFFM_INITIALIZED && start != 0) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, start);
  return 0;
}

}  // namespace

std::optional<std::string> Win32FolderChooser::ChooseFolder(const std::string& title, const std::string& start) {
  // The shell asks for COM in the calling thread, in an apartment of its own.
  const HRESULT com = CoInitialize(nullptr);
  char name[MAX_PATH] = "";
  BROWSEINFOA browse{};
  browse.pszDisplayName = name;
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX;
  browse.lpfn = OnBrowseEvent;
  browse.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
  std::optional<std::string> chosen;
  if (LPITEMIDLIST folder = SHBrowseForFolderA(&browse)) {
    char path[MAX_PATH] = "";
    if (SHGetPathFromIDListA(folder, path)) chosen = path;
    CoTaskMemFree(folder);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return chosen;
}

}  // namespace lumora::win32
