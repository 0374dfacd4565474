#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumora {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // True only for an existing file; a directory does not count.
  virtual bool FileExists(const std::string& path) = 0;
  // The whole file, or nothing when it cannot be read or is larger than `maxBytes`.
  virtual std::optional<std::vector<uint8_t>> ReadFile(const std::string& path, size_t maxBytes) = 0;
};

}  // namespace lumora
