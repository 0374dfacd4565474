// The settings store through Wine's profile functions against the portable store, operation by operation and
// byte by byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "SaverRun.h"
#include "portable/PortableProfileFiles.h"
#include "support/ProfileScript.h"

namespace lumora::e2e {
namespace {

using namespace std::chrono_literals;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

TEST(SettingsStore, PortableStoreReadsAndWritesAsTheWin32StoreDoes) {
  RemoveWindowsFile("differential.ini");
  WineProcess script =
      Session().Start(Session().SaverToolPath("profile_script.exe").string(), {"C:\\windows\\differential.ini"});
  ASSERT_EQ(script.Wait(60s), 0) << script.Stderr();
  const std::vector<std::string> win32 = Lines(script.Stdout());

  const auto nativePath = Session().RunDir() / "differential-native.ini";
  std::filesystem::remove(nativePath);
  PortableProfileFiles portable;
  const std::vector<std::string> native =
      test::RunProfileScript(portable, nativePath.string(), test::SettingsStoreScript());

  ASSERT_EQ(win32.size(), native.size());
  for (size_t i = 0; i < native.size(); ++i) EXPECT_EQ(win32[i], native[i]);
  const std::optional<std::string> win32File = ReadWindowsFile("differential.ini");
  ASSERT_TRUE(win32File.has_value());
  EXPECT_TRUE(*win32File == ReadFile(nativePath)) << "the two files differ";
  RemoveWindowsFile("differential.ini");
}

}  // namespace
}  // namespace lumora::e2e
