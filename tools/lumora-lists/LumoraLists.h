#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/FileTree.h"
#include "platform/FolderChooser.h"
#include "platform/MessageBoxes.h"
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

// Every line kept for one message box at the end, for the program that has no console. The box's caption says
// where the lines come from, so an error line loses the program's name before it.
class BoxConsole : public ListsConsole {
 public:
  explicit BoxConsole(MessageBoxes& boxes) : boxes_(boxes) {}
  void Out(const std::string& line) override;
  void Err(const std::string& line) override;
  const std::vector<std::string>& Lines() const { return lines_; }
  // The box, when there is a line to show: an error's when the exit code is not 0.
  void Show(int exitCode) const;

 private:
  MessageBoxes& boxes_;
  std::vector<std::string> lines_;
};

// The text of a box of these lines: one a line, at most as many as a small screen holds, then how many more
// there were.
std::string BoxText(const std::vector<std::string>& lines);

struct ListsServices {
  ProfileFiles& profiles;
  FileTree& tree;
  // The settings file when --ini is not given; nothing where there is no Windows directory.
  std::optional<std::string> defaultIni;
  // What --choose shows; nothing where there are no windows.
  FolderChooser* chooser = nullptr;
  MessageBoxes* boxes = nullptr;
};

inline constexpr int kListsSucceeded = 0;
inline constexpr int kListsFailed = 1;  // nothing was written
inline constexpr int kListsBadUsage = 2;

// The whole program: `arguments` are those after the program's name; returns the exit code.
int RunLumoraLists(const std::vector<std::string>& arguments, const ListsServices& services, ListsConsole& console);

}  // namespace lumora
