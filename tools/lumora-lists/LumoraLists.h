#pragma once
#include <optional>
#include <string>
#include <vector>

#include "lumora-lists/CollectFiles.h"
#include "platform/FileTree.h"
#include "platform/FolderChooser.h"
#include "platform/MessageBoxes.h"

namespace lumora {

// Where the program's lines go: each call is one whole line, without its line end.
class ListsConsole {
 public:
  virtual ~ListsConsole() = default;
  // What was done.
  virtual void Out(const std::string& line) = 0;
  // What was left out, or went wrong.
  virtual void Err(const std::string& line) = 0;
  // What was done that the user must act on, such as a folder gone from a list.
  virtual void Warn(const std::string& line) { Err(line); }
  // The run has ended with this code; `quiet`: --quiet was given.
  virtual void Finish(int /*exitCode*/, bool /*quiet*/) {}
};

// Standard output and standard error through the C library, which every Windows runtime has.
class StdioConsole : public ListsConsole {
 public:
  void Out(const std::string& line) override;
  void Err(const std::string& line) override;
};

// Every line kept for one message box at the end, for the program that has no console: what was done first, then
// what the user must act on, then a few of the details. Lines lose the program's name before them.
class BoxConsole : public ListsConsole {
 public:
  explicit BoxConsole(MessageBoxes& boxes) : boxes_(boxes) {}
  void Out(const std::string& line) override;
  void Err(const std::string& line) override;
  void Warn(const std::string& line) override;
  // The box: an error's when the exit code says nothing was written, a warning's when the user must act, else
  // information. Quiet, only the first two show; none after the user stopped the run.
  void Finish(int exitCode, bool quiet) override;
  const std::vector<std::string>& Details() const { return details_; }

 private:
  MessageBoxes& boxes_;
  std::vector<std::string> done_, warnings_, details_;
};

// The text of a box: the answer's lines, then after a blank line at most a few of the details and how many
// more there were.
std::string BoxText(const std::vector<std::string>& answer, const std::vector<std::string>& details);

struct ListsServices {
  FileTree& tree;
  // The settings file when --ini is not given; nothing where there is no Windows directory.
  std::optional<std::string> defaultIni;
  // What --choose shows; nothing where there are no windows.
  FolderChooser* chooser = nullptr;
  MessageBoxes* boxes = nullptr;
  // Shown a long listing's steps; nothing: none shown.
  ListingProgress* progress = nullptr;
};

// A count on the console every few thousand files of a long listing.
class ConsoleProgress : public ListingProgress {
 public:
  explicit ConsoleProgress(ListsConsole& console) : console_(console) {}
  bool Reading(const std::string& folder, int found) override;
  bool Checking(int /*taken*/, int /*total*/) override { return true; }

 private:
  ListsConsole& console_;
  int reported_ = 0;
};

inline constexpr int kListsSucceeded = 0;
inline constexpr int kListsFailed = 1;  // a list was not written
inline constexpr int kListsBadUsage = 2;
inline constexpr int kListsStopped = 3;  // the user stopped the listing: nothing was written

// The whole program: `arguments` are those after the program's name; returns the exit code.
int RunLumoraLists(const std::vector<std::string>& arguments, const ListsServices& services, ListsConsole& console);

}  // namespace lumora
