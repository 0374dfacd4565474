#include <windows.h>

#include "app/RunProgram.h"
#include "win32/Win32Modes.h"
#include "win32/Win32System.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  lumora::win32::Win32System system;
  lumora::win32::Win32Passwords passwords;
  lumora::win32::Win32Modes modes(instance);
  return lumora::RunProgram(GetCommandLineA(), system, passwords, modes);
}
