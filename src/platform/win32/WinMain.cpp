#include <windows.h>

#include "platform/win32/Win32Modes.h"
#include "platform/win32/Win32Services.h"
#include "app/RunProgram.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  lumora::win32::Win32System system;
  lumora::win32::Win32Passwords passwords;
  lumora::win32::Win32Modes modes(instance);
  return lumora::RunProgram(GetCommandLineA(), system, passwords, modes);
}
