// libFuzzer target: any command line through the argument splitter and the mode choice.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumora;
  const std::string line(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> arguments = SplitCommandLine(line);
  // Quotes group and are dropped; nothing after a NUL is read.
  for (const std::string& argument : arguments)
    for (char c : argument)
      if (c == '"' || c == '\0') std::abort();
  const RunMode mode = ChooseRunMode(arguments);
  if (mode == RunMode::Saver && UpperAscii(arguments.at(1)) != "/S") std::abort();
  return 0;
}
