#pragma once
#include <windows.h>

#include <memory>
#include <type_traits>

namespace lumora::win32 {

// Owners of the system's handles other than windows and GDI objects: each closes its handle when it goes.
struct HandleDeleter {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
// A kernel object; INVALID_HANDLE_VALUE must be turned into nullptr before it is kept.
using UniqueHandle = std::unique_ptr<void, HandleDeleter>;

struct LibraryDeleter {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using UniqueLibrary = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryDeleter>;

struct RegistryKeyDeleter {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueRegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegistryKeyDeleter>;

struct GlobalMemoryDeleter {
  void operator()(void* memory) const { GlobalFree(memory); }
};
using UniqueGlobalMemory = std::unique_ptr<void, GlobalMemoryDeleter>;

struct FindDeleter {
  void operator()(HANDLE search) const { FindClose(search); }
};
// A folder search of FindFirstFileA; INVALID_HANDLE_VALUE must be turned into nullptr before it is kept.
using UniqueFind = std::unique_ptr<void, FindDeleter>;

}  // namespace lumora::win32
