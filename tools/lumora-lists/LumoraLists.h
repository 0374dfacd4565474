#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/FileTree.h"
#include "platform/ProfileFiles.h"

namespace lumora {

// Where the program's lines go: each call is one whole line, without its line end.
class ListsConsole {
 public:
  virtual ~ListsConsole() = default;
  virtual void Out(const std::string& line) = 0;
  virtual void Err(const std::string& line) = 0;
};

// Standard output and standard error through the C library, which every Windows runtime has.
class StdioConsole : public ListsConsole {
 public:
  void Out(const std::string& line) override;
  void Err(const std::string& line) override;
};

struct ListsServices {
  ProfileFiles& profiles;
  FileTree& tree;
  // The settings file when --ini is not given; nothing where there is no Windows directory.
  std::optional<std::string> defaultIni;
};

inline constexpr int kListsSucceeded = 0;
inline constexpr int kListsFailed = 1;  // an error, or files left out for lack of slots
inline constexpr int kListsBadUsage = 2;

// The whole program: `arguments` are those after the program's name; returns the exit code.
int RunLumoraLists(const std::vector<std::string>& arguments, const ListsServices& services, ListsConsole& console);

}  // namespace lumora
