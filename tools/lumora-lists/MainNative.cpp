// lumora-lists where there is no Windows directory: the settings file is always named with --ini.
#include <string>
#include <vector>

#include "lumora-lists/LumoraLists.h"
#include "portable/PortableFileTree.h"

int main(int argc, char** argv) {
  lumora::PortableFileTree tree;
  lumora::StdioConsole console;
  lumora::ConsoleProgress progress(console);
  return lumora::RunLumoraLists(std::vector<std::string>(argv + 1, argv + argc),
                                {tree, std::nullopt, nullptr, nullptr, &progress}, console);
}
