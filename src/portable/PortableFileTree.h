#pragma once
#include "platform/FileTree.h"

namespace lumora {

// The machine's folders and files through the C++ library: for native builds and tests.
class PortableFileTree : public FileTree {
 public:
  PathKind KindOf(const std::string& path) override;
  std::string FullPath(const std::string& path) override;
  std::string Join(const std::string& folder, const std::string& name) override;
  std::optional<std::vector<FolderEntry>> List(const std::string& folder) override;
  std::optional<std::vector<uint8_t>> ReadHead(const std::string& path, size_t count) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool Replace(const std::string& target, const std::string& replacement) override;
  void Remove(const std::string& path) override;
};

}  // namespace lumora
