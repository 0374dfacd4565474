#pragma once
#include <windows.h>

namespace lumora::win32 {

// A function of a system library looked up when first called rather than imported. Under Wine, a program that
// imports user32, shell32 or ole32 starts them and the display's setup they bring at every start, tens of
// milliseconds that a console run showing no box and no dialog does not need. Nothing when it is not there.
template <class Function>
Function* LibraryFunction(const char* library, const char* name) {
  const HMODULE module = LoadLibraryA(library);
  return module ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace lumora::win32
