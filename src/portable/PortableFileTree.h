#pragma once
#include <string>

#include "platform/FileTree.h"

namespace lumora {

// The machine's folders and files through the C++ library: for native builds and tests.
class PortableFileTree : public FileTree {
 public:
  // `tempFolder` empty: the system's.
  explicit PortableFileTree(std::string tempFolder = {}) : tempFolder_(std::move(tempFolder)) {}
  PathKind KindOf(const std::string& path) override;
  std::string FullPath(const std::string& path) override;
  std::string Join(const std::string& folder, const std::string& name) override;
  FolderListing List(const std::string& folder) override;
  std::optional<std::vector<uint8_t>> ReadHead(const std::string& path, size_t count) override;
  std::optional<std::vector<uint8_t>> ReadWhole(const std::string& path, size_t maxBytes) override;
  RewriteOutcome Rewrite(const std::string& path, const std::vector<uint8_t>& content) override;
  std::string TempFolder() override;
  void Remove(const std::string& path) override;
  // A lock on a file of that name in the temporary folder, waited for as long as it takes.
  std::unique_ptr<Turn> WaitForTurn(const std::string& name) override;
  const CodePage& PathCodePage() override { return codePage_; }

 private:
  std::string tempFolder_;
  CodePage codePage_;
};

}  // namespace lumora
