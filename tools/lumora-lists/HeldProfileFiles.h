#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/FileTree.h"
#include "platform/ProfileFiles.h"
#include "portable/IniText.h"

namespace lumora {

// The settings file held in memory while a run reads and changes it, with the semantics of the platform's profile
// functions (the portable store's): the disk never sees the changes, Content gives them. One file is held, whatever
// path a store names it by. Through the platform's functions each read of a file that another program may be
// writing could see it half-way, and each write rewrites the whole file (500 slots cost a second under Wine).
class HeldProfileFiles : public ProfileFiles {
 public:
  explicit HeldProfileFiles(const std::vector<uint8_t>& content)
      : document_(ParseIniText(std::string(content.begin(), content.end()))) {}
  std::string ReadText(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& fallback) override;
  bool WriteText(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value) override;
  // The file as every write so far has made it.
  std::vector<uint8_t> Content() const;

 private:
  IniDocument document_;
};

// The settings file at `path` read whole; empty when there is none; nothing when it is there but cannot be read.
std::optional<HeldProfileFiles> ReadSettingsFile(FileTree& tree, const std::string& path);

}  // namespace lumora
