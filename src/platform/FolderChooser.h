#pragma once
#include <optional>
#include <string>

namespace lumora {

// The system's dialog for choosing a folder.
class FolderChooser {
 public:
  virtual ~FolderChooser() = default;
  // The full path of the folder chosen, or nothing when the dialog was cancelled. `title` says what to choose;
  // `start`, when it names a folder, is the one chosen when the dialog opens.
  virtual std::optional<std::string> ChooseFolder(const std::string& title, const std::string& start) = 0;
};

}  // namespace lumora
