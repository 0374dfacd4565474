#pragma once
// A private X server for one test run, on the first display number that no other server holds.
#include <filesystem>
#include <optional>
#include <string>

#include "harness/Process.h"

namespace lumora::e2e {

struct ScreenSize {
  int width = 1024, height = 768, depth = 24;
};

// "WIDTHxHEIGHT" or "WIDTHxHEIGHTxDEPTH"; throws on anything else.
ScreenSize ParseScreenSize(const std::string& text);

class XvfbServer {
 public:
  XvfbServer(ScreenSize size, const std::filesystem::path& logFile);
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  const std::string& DisplayName() const { return displayName_; }
  ScreenSize Size() const { return size_; }

 private:
  bool TryStart(int number, const std::filesystem::path& logFile);

  ScreenSize size_;
  std::string displayName_;
  std::optional<ChildProcess> server_;
};

}  // namespace lumora::e2e
