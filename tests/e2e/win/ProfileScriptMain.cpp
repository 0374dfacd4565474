// Runs the settings-store script through the platform's profile functions on the file given, printing one
// result a line.
#include <cstdio>

#include "support/ProfileScript.h"
#include "win32_services/Win32Services.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: profile_script INI-PATH\n");
    return 2;
  }
  lumora::win32::Win32ProfileFiles files;
  for (const std::string& line : lumora::test::RunProfileScript(files, argv[1], lumora::test::SettingsStoreScript()))
    std::printf("%s\n", line.c_str());
  return 0;
}
