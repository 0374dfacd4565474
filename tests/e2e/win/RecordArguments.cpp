// Stands in for a system program that a test wants to see called (icacls.exe): appends its command line, as it
// was given, to the file that LUMORA_RECORD_FILE names, and succeeds.
#include <windows.h>

#include <cstdio>

int main() {
  char path[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("LUMORA_RECORD_FILE", path, sizeof path);
  if (length == 0 || length >= sizeof path) return 1;
  FILE* record = std::fopen(path, "ab");
  if (record == nullptr) return 1;
  std::fprintf(record, "%s\n", GetCommandLineA());
  return std::fclose(record) == 0 ? 0 : 1;
}
