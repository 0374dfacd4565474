#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/LumoraError.h"
#include "settings_file/SettingsFile.h"

namespace lumora {

// A command line that does not say what to do; the message names the argument at fault.
class UsageError : public LumoraError {
 public:
  using LumoraError::LumoraError;
};

enum class ListsAction { Update, Help, Version };

struct ListsRequest {
  ListsAction action = ListsAction::Update;
  std::optional<std::string> ini;
  std::optional<std::vector<std::string>> pictures;  // nothing: the picture list stays as it is
  std::optional<std::vector<std::string>> sounds;    // nothing: the sound list stays as it is
  bool recursive = false;
  bool append = false;
  bool check = false;              // only say what would be listed; write nothing
  bool refresh = false;            // list again what was chosen last
  bool choose = false;             // the folders chosen in the system's folder dialog
  bool quiet = false;              // with --refresh: say nothing unless the user must act
  std::optional<SlotList> source;  // only say where the list comes from; change nothing
  bool settingsFile = false;       // only say which settings file the lists go into
};

// The arguments after the program's name. --help and --version end the reading where they stand.
ListsRequest ParseListsCommandLine(const std::vector<std::string>& arguments);

// The lines of --help.
std::vector<std::string> ListsUsage();

}  // namespace lumora
