#pragma once
// Declared without <windows.h>, as Win32Services.h is.
#include <string>

#include "platform/FileTree.h"

namespace lumora::win32 {

// Folders and files through the ANSI functions that every 32-bit Windows has.
class Win32FileTree : public FileTree {
 public:
  // Where a system without a replacing move (Windows 95 and 98) keeps the replaced file for a moment: its name
  // followed by `asideSuffix`.
  explicit Win32FileTree(std::string asideSuffix) : asideSuffix_(std::move(asideSuffix)) {}
  PathKind KindOf(const std::string& path) override;
  std::string FullPath(const std::string& path) override;
  std::string Join(const std::string& folder, const std::string& name) override;
  std::optional<std::vector<FolderEntry>> List(const std::string& folder) override;
  std::optional<std::vector<uint8_t>> ReadHead(const std::string& path, size_t count) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool Replace(const std::string& target, const std::string& replacement) override;
  void Remove(const std::string& path) override;

 private:
  std::string asideSuffix_;
};

}  // namespace lumora::win32
