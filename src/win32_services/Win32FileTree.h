#pragma once
// Declared without <windows.h>, as Win32Services.h is.
#include <memory>
#include <string>

#include "platform/FileTree.h"

namespace lumora::win32 {

// Folders and files through the ANSI functions that every 32-bit Windows has; on Windows NT, whose file systems
// store names in Unicode, folders are listed through the wide functions, so that a name the code page can only
// imitate is known for what it is.
class Win32FileTree : public FileTree {
 public:
  Win32FileTree();
  ~Win32FileTree() override;
  PathKind KindOf(const std::string& path) override;
  std::string FullPath(const std::string& path) override;
  std::string Join(const std::string& folder, const std::string& name) override;
  FolderListing List(const std::string& folder) override;
  std::optional<std::vector<uint8_t>> ReadHead(const std::string& path, size_t count) override;
  std::optional<std::vector<uint8_t>> ReadWhole(const std::string& path, size_t maxBytes) override;
  RewriteOutcome Rewrite(const std::string& path, const std::vector<uint8_t>& content) override;
  std::string TempFolder() override;
  void Remove(const std::string& path) override;
  std::unique_ptr<Turn> WaitForTurn(const std::string& name) override;
  const CodePage& PathCodePage() override { return codePage_; }

 private:
  struct WideFunctions;
  FolderListing ListWide(const std::string& folder);
  FolderListing ListAnsi(const std::string& folder);

  CodePage codePage_;
  std::unique_ptr<const WideFunctions> wide_;  // none on Windows 95, 98 and ME
};

}  // namespace lumora::win32
