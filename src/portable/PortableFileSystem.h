#pragma once
#include "platform/FileSystem.h"

namespace lumora {

// The files of the machine the program runs on, through the C++ library: for native builds and benchmarks.
class PortableFileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override;
  std::optional<std::vector<uint8_t>> ReadFile(const std::string& path, size_t maxBytes) override;
  std::unique_ptr<FileReader> OpenFile(const std::string& path) override;
  std::optional<FileStamp> Stamp(const std::string& path) override;
};

}  // namespace lumora
