// The show on a desktop of two monitors side by side (LUMORA_E2E_MONITORS, the e2e_*_two_monitors entries): the
// show on the primary as on one screen, the other monitor black for as long as it runs, input there ending it.
#include <gtest/gtest.h>

#include "SaverRun.h"
#include "platform/WindowNames.h"
#include "support/ShowFixture.h"

namespace lumora::e2e {
namespace {

using namespace std::chrono_literals;

constexpr Rgb kBlackPixel{0, 0, 0};

bool OnTwoMonitors() { return Session().Monitors().size() == 2; }

// The second monitor, right of the primary, in screen coordinates.
Rect OtherMonitor() {
  const ScreenSize primary = Session().Monitors()[0], other = Session().Monitors()[1];
  return Rect{primary.width, 0, other.width, other.height};
}

// Two pictures in stretch mode: the first frame on the primary is known exactly, and its halves meet in the
// middle of the primary monitor only.
Image PrepareShow() {
  ShowFiles files;
  const std::string red = files.AddPicture("red.bmp", lumora::MakePicture(16, 16, [](int x, int) {
                                             return x < 8 ? lumora::Rgb{200, 0, 0} : lumora::Rgb{0, 150, 0};
                                           }));
  const std::string blue = files.AddPicture("blue.bmp", test::Solid(16, 16, lumora::Rgb{0, 0, 200}));
  const std::string settings = SettingsFileText("Sound=0\r\nPicdis=1\r\nTime=8\r\n", {{1, red}, {2, blue}});
  WriteWindowsFile("lumora.ini", settings);
  return ExpectedFrame(settings, files, 1);
}

// A saver whose first picture fills the primary monitor.
struct ShownSaver {
  ShownSaver() : expected(PrepareShow()) {
    saver.WaitForWindow();
    const Image shot = WaitForScreen(expected, 20s);
    if (CountDifferences(shot, expected.Bounds(), expected) != 0) throw HarnessError("the first picture never came");
  }
  Image expected;
  RunningSaver saver;
};

TEST(TwoMonitors, TheOtherMonitorIsBlackFromTheFirstPictureWhileThePrimaryShowsTheShow) {
  if (!OnTwoMonitors()) GTEST_SKIP() << "runs on a display of two monitors";
  ASSERT_TRUE(IsUniform(Screenshot(), OtherMonitor(), Rgb{0x33, 0x66, 0xcc})) << "the desktop shows before the show";
  ShownSaver shown;
  const Image shot = Screenshot();
  EXPECT_EQ(CountDifferences(shot, shown.expected.Bounds(), shown.expected), 0);
  EXPECT_TRUE(IsUniform(shot, OtherMonitor(), kBlackPixel)) << "the other monitor while the first picture shows";
  Inspector inspector(Session());
  EXPECT_FALSE(inspector.Cursor().showing) << "the cursor over the covered monitor";
}

// The covers are made again for the monitors as they are then; the show goes on.
TEST(TwoMonitors, AfterADisplayChangeTheOtherMonitorIsStillCoveredAndTheShowGoesOn) {
  if (!OnTwoMonitors()) GTEST_SKIP() << "runs on a display of two monitors";
  ShownSaver shown;
  Inspector inspector(Session());
  const std::optional<Hwnd> before = inspector.Find(kCoverWindowClass);
  ASSERT_TRUE(before.has_value());
  constexpr unsigned kDisplayChange = 0x007E;  // WM_DISPLAYCHANGE
  inspector.Post(shown.saver.WaitForWindow(), kDisplayChange, 24, (768 << 16) | 1824);
  EXPECT_TRUE(WaitFor([&] { return inspector.Find(kCoverWindowClass) != before; }, 10s)) << "a new cover";
  EXPECT_TRUE(WaitFor([] { return IsUniform(Screenshot(), OtherMonitor(), kBlackPixel); }, 10s));
  EXPECT_TRUE(shown.saver.Process().Running());
  EXPECT_TRUE(inspector.ScreensaverRunning());
}

TEST(TwoMonitors, AClickOnTheOtherMonitorEndsTheShowAndTakesTheCoverAway) {
  if (!OnTwoMonitors()) GTEST_SKIP() << "runs on a display of two monitors";
  ShownSaver shown;
  const Rect other = OtherMonitor();
  Click(other.x + other.width / 2, other.height / 2);
  EXPECT_EQ(shown.saver.WaitForExit(10s), 0);
  Inspector inspector(Session());
  EXPECT_FALSE(inspector.ScreensaverRunning());
  EXPECT_FALSE(inspector.Find(kCoverWindowClass).has_value());
  EXPECT_TRUE(WaitFor(
      [&] {
        return IsUniform(Screenshot(), other, Rgb{0x33, 0x66, 0xcc});
      },
      10s))
      << "the desktop back on the other monitor";
}

TEST(TwoMonitors, WithTheWindows98PasswordAClickThereAsksAndTheOtherMonitorStaysBlackUntilItIsGiven) {
  if (!OnTwoMonitors()) GTEST_SKIP() << "runs on a display of two monitors";
  Windows98 windows98("1");
  WritePasswordAnswers({false, true});
  ShownSaver shown;
  const Rect other = OtherMonitor();
  Click(other.x + other.width / 2, other.height / 2);
  ASSERT_TRUE(WaitFor([] { return ReadPasswordLog().size() == 1; }, 10s)) << "the password was asked for";
  EXPECT_FALSE(shown.saver.WaitForExit(2s).has_value()) << "a refused password keeps the show going";
  EXPECT_TRUE(IsUniform(Screenshot(), other, kBlackPixel)) << "the other monitor after the refused password";
  Click(other.x + 10, 10);
  EXPECT_EQ(shown.saver.WaitForExit(10s), 0);
  EXPECT_EQ(ReadPasswordLog().size(), 2u);
}

}  // namespace
}  // namespace lumora::e2e
