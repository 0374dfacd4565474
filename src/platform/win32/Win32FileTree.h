#pragma once
// Declared without <windows.h>: console programs outside this folder take their Win32 seams from here.
#include <memory>

#include "platform/FileTree.h"
#include "platform/ProfileFiles.h"
#include "platform/SystemServices.h"

namespace lumora::win32 {

// Folders and files through the ANSI functions that every 32-bit Windows has.
class Win32FileTree : public FileTree {
 public:
  PathKind KindOf(const std::string& path) override;
  std::string FullPath(const std::string& path) override;
  std::string Join(const std::string& folder, const std::string& name) override;
  std::optional<std::vector<FolderEntry>> List(const std::string& folder) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool Replace(const std::string& target, const std::string& replacement) override;
  void Remove(const std::string& path) override;
};

std::unique_ptr<ProfileFiles> MakeWin32ProfileFiles();
std::unique_ptr<SystemServices> MakeWin32System();

}  // namespace lumora::win32
