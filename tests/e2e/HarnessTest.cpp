// A smoke run of the harness against testwindow.exe from tests/e2e/win: its parts the product tests lean on.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "harness/Harness.h"
#include "win/TestWindowFacts.h"

namespace lumora::e2e {
namespace {

using namespace std::chrono_literals;

TEST(Harness, SeesTheTestWindowAndItsInputAndServesTheRegistry) {
  const auto log = Session().NewLogPath("testwindow", "log");
  WineProcess window = Session().Start(Session().SaverToolPath("testwindow.exe").string(), {ToWindowsPath(log)}, {});
  ASSERT_TRUE(WaitFor([&] { return ReadFile(log).find("started hwnd=") != std::string::npos; }, 30s))
      << window.Stderr();
  Inspector inspector(Session());
  const auto handle = inspector.Find(test_window::kClassName);
  ASSERT_TRUE(handle.has_value());
  const WindowInfo info = inspector.Window(*handle);
  EXPECT_EQ(info.text, test_window::kTitle);
  EXPECT_EQ(info.rect, (Rect{120, 90, 400, 300}));
  EXPECT_TRUE(WaitFor(
      [&] {
        return BoundingBoxOf(Screenshot(), Rgb{test_window::kRed, test_window::kGreen, test_window::kBlue}) ==
               info.client;
      },
      5s));

  Click(info.client.x + 50, info.client.y + 60, 1);
  TapKey(XK_a);
  EXPECT_TRUE(WaitFor([&] { return ReadFile(log).find("keydown vk=0x41") != std::string::npos; }, 5s));
  EXPECT_NE(ReadFile(log).find("lbuttondown 50,60"), std::string::npos);

  constexpr char kKey[] = "HKCU\\Software\\Lumora harness";
  Session().SetRegistryValue(kKey, "Text", "REG_SZ", "a\tb\nc");
  EXPECT_EQ(Session().RegistryValue(kKey, "Text"), "a\tb\nc");
  Session().DeleteRegistryValue(kKey, "Text");
  EXPECT_EQ(Session().RegistryValue(kKey, "Text"), std::nullopt);

  inspector.Close(*handle);
  EXPECT_EQ(window.Wait(5s), 0);
}

}  // namespace
}  // namespace lumora::e2e
