#pragma once
#include "platform/ProfileFiles.h"
#include "portable/IniText.h"

namespace lumora {

// INI files read and written by the program itself with the semantics of the platform's profile functions:
// each call reads the whole file, and each write rewrites it. The text last read is kept parsed, and parsed again
// only when the file no longer holds it, so that a run of reads costs one parse.
class PortableProfileFiles : public ProfileFiles {
 public:
  std::string ReadText(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& fallback) override;
  bool WriteText(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value) override;

 private:
  const IniDocument& Parsed(const std::string& text);

  std::string parsedText_;
  IniDocument parsed_ = ParseIniText("");
};

}  // namespace lumora
