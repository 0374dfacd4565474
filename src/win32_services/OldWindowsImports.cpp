// The 32-bit lumora.scr runs on Windows 95, 98 and NT 4.0. The compiler's own runtime (libgcc's locks, mingw's
// locale and random helpers, mbrtowc) calls four kernel32 functions that Windows 98 has only as stubs that fail,
// or that those systems may lack: CreateSemaphoreW, GetModuleHandleW, LoadLibraryW and IsDBCSLeadByteEx. An import
// that a system does not export stops the program from loading at all. Defining the import pointers here, in an
// object linked before the import libraries, points those calls at equivalents built on functions every 32-bit
// Windows has, and keeps the four names out of the import table.
#include <windows.h>

namespace {

// The ANSI form of a name, or nullptr for none; false when it does not convert.
bool ToAnsi(LPCWSTR text, char (&buffer)[MAX_PATH + 1], const char*& ansi) {
  ansi = nullptr;
  if (text == nullptr) return true;
  if (WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr) == 0) return false;
  ansi = buffer;
  return true;
}

HANDLE WINAPI CreateSemaphoreWithAnsiName(LPSECURITY_ATTRIBUTES attributes, LONG initial, LONG maximum, LPCWSTR name) {
  char buffer[MAX_PATH + 1];
  const char* ansi = nullptr;
  return ToAnsi(name, buffer, ansi) ? CreateSemaphoreA(attributes, initial, maximum, ansi) : nullptr;
}

HMODULE WINAPI GetModuleHandleWithAnsiName(LPCWSTR name) {
  char buffer[MAX_PATH + 1];
  const char* ansi = nullptr;
  return ToAnsi(name, buffer, ansi) ? GetModuleHandleA(ansi) : nullptr;
}

HMODULE WINAPI LoadLibraryWithAnsiName(LPCWSTR name) {
  char buffer[MAX_PATH + 1];
  const char* ansi = nullptr;
  return ToAnsi(name, buffer, ansi) && ansi != nullptr ? LoadLibraryA(ansi) : nullptr;
}

// A lead byte of a double-byte code page lies in one of the ranges that GetCPInfo lists.
BOOL WINAPI IsLeadByteOfCodePage(UINT codePage, BYTE byte) {
  CPINFO info;
  if (!GetCPInfo(codePage, &info)) return FALSE;
  for (int i = 0; i + 1 < MAX_LEADBYTES && (info.LeadByte[i] != 0 || info.LeadByte[i + 1] != 0); i += 2)
    if (byte >= info.LeadByte[i] && byte <= info.LeadByte[i + 1]) return TRUE;
  return FALSE;
}

}  // namespace

// The names are those of i686 import pointers: "__imp__" + the stdcall name with its argument bytes.
extern "C" [[gnu::used]] void* const kCreateSemaphoreW asm("__imp__CreateSemaphoreW@16") =
    reinterpret_cast<void*>(&CreateSemaphoreWithAnsiName);
extern "C" [[gnu::used]] void* const kGetModuleHandleW asm("__imp__GetModuleHandleW@4") =
    reinterpret_cast<void*>(&GetModuleHandleWithAnsiName);
extern "C" [[gnu::used]] void* const kLoadLibraryW asm("__imp__LoadLibraryW@4") =
    reinterpret_cast<void*>(&LoadLibraryWithAnsiName);
extern "C" [[gnu::used]] void* const kIsDBCSLeadByteEx asm("__imp__IsDBCSLeadByteEx@8") =
    reinterpret_cast<void*>(&IsLeadByteOfCodePage);
