#pragma once
#include "platform/ProfileFiles.h"

namespace lumora {

// INI files read and written by the program itself with the semantics of the platform's profile functions:
// each call reads the whole file, and each write rewrites it.
class PortableProfileFiles : public ProfileFiles {
 public:
  std::string ReadText(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& fallback) override;
  bool WriteText(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value) override;
};

}  // namespace lumora
