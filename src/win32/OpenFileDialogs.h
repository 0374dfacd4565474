#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "platform/FileSystem.h"

namespace lumora::win32 {

// The settings window's two open-file dialogs. Each returns the full path of the one existing file chosen, or
// nothing when the user cancels.
std::optional<std::string> AskForPictureFile(HWND owner, HINSTANCE instance, FileSystem& files);
std::optional<std::string> AskForSoundFile(HWND owner);

}  // namespace lumora::win32
