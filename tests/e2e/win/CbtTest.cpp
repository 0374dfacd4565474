// A system on which windows of one class cannot be created: a global CBT hook that refuses every window whose
// class is named in C:\lumora-test\refuse-class.txt. testwindow.exe --refuse-windows installs it; Windows loads
// this library into each process that creates a window.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr char kClassFile[] = "C:\\lumora-test\\refuse-class.txt";

// Read once per process, when the library is loaded into it.
char refusedClass[256] = "";

void ReadRefusedClass() {
  if (FILE* file = std::fopen(kClassFile, "rb")) {
    const size_t size = std::fread(refusedClass, 1, sizeof refusedClass - 1, file);
    std::fclose(file);
    refusedClass[size] = '\0';
    refusedClass[std::strcspn(refusedClass, "\r\n")] = '\0';
  }
}

}  // namespace

extern "C" LRESULT CALLBACK RefuseWindows(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && refusedClass[0] != '\0') {
    char className[256] = "";
    GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className);
    if (lstrcmpiA(className, refusedClass) == 0) return 1;  // the window is not created
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) ReadRefusedClass();
  return TRUE;
}
