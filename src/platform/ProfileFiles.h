#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace lumora {

// The longest value the profile functions read back; longer ones are cut.
inline constexpr size_t kMaxProfileValueLength = 1023;

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

// The number a profile value stands for (decimal, or hexadecimal after "0x"), or `fallback`.
int32_t ParseProfileInteger(const std::string& text, int32_t fallback);

}  // namespace lumora
