#pragma once
// Declared without <windows.h>, as Win32Services.h is.
#include "platform/FolderChooser.h"

namespace lumora::win32 {

// The shell's folder dialog (SHBrowseForFolderA, which Windows 95 and NT 4.0 have), with an edit field for
// typing a path where the shell offers one.
class Win32FolderChooser : public FolderChooser {
 public:
  std::optional<std::string> ChooseFolder(const std::string& title, const std::string& start) override;
};

}  // namespace lumora::win32
