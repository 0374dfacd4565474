#pragma once
#include <string>

namespace lumora {

// Raw text access to INI files, as the platform's private-profile functions give it. Implementations keep
// nothing in memory: every read sees every earlier write.
class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;
  // The stored value, or `fallback` when the file, the section or the key is missing.
  virtual std::string ReadText(const std::string& path, const std::string& section, const std::string& key,
                               const std::string& fallback) = 0;
  // False when the platform refused the write.
  virtual bool WriteText(const std::string& path, const std::string& section, const std::string& key,
                         const std::string& value) = 0;
};

}  // namespace lumora
