#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/FileTree.h"
#include "platform/ProfileFiles.h"
#include "portable/IniText.h"

namespace lumora {

// One INI file held in memory while a run changes it: read at its first use, then read and changed there with the
// semantics of the platform's profile functions (the portable store's); the disk never sees the changes, Content
// gives them. Through the platform's functions each write rewrites the whole file, and under Wine each read after
// a write parses it again: a list's kSlotCount slots written into the working copy and read back cost a second that
// way.
class HeldProfileFiles : public ProfileFiles {
 public:
  explicit HeldProfileFiles(FileTree& tree) : tree_(tree) {}
  std::string ReadText(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& fallback) override;
  bool WriteText(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value) override;
  // The file as every write so far has made it.
  std::vector<uint8_t> Content(const std::string& path);

 private:
  IniDocument& Held(const std::string& path);

  FileTree& tree_;
  std::optional<std::string> path_;
  IniDocument document_;
};

}  // namespace lumora
