// The show while the primary display changes its resolution: no part of the desktop shows.
#include <gtest/gtest.h>

#include "SaverRun.h"
#include "support/ShowFixture.h"

namespace lumora::e2e {
namespace {

using namespace std::chrono_literals;

constexpr Rgb kDesktop{0x33, 0x66, 0xcc};  // kDesktopColour
constexpr Rgb kRed{200, 0, 0};
constexpr Rgb kBlackPixel{0, 0, 0};

void RunOnDisplay(const std::vector<std::string>& argv) {
  Environment environment = CurrentEnvironment();
  environment["DISPLAY"] = Session().DisplayName();
  const auto log = Session().NewLogPath(argv.front(), "log");
  if (RunToEnd(ProcessSpec{argv, environment, Session().RunDir(), log, log}, 60s) != 0)
    throw HarnessError(argv.front() + " failed; see " + log.string());
}

// As a user changes it in the Display settings (ChangeDisplaySettings): Wine sets the X screen's mode through
// XRandR and tells every window with WM_DISPLAYCHANGE. A change made with xrandr alone Wine follows silently.
void SetDisplayMode(int width, int height) {
  Inspector inspector(Session());
  inspector.SetDisplayMode(width, height);
  if (!WaitFor([&] { return inspector.Screen().width == width && inspector.Screen().height == height; }, 20s))
    throw HarnessError("the display did not change to " + std::to_string(width) + "x" + std::to_string(height));
}

// For the test's lifetime: the desktop a colour that the show never has, and the display at 800 x 600, a mode that
// Xvfb's one output ("screen") is given beside the size it started with.
class SmallDisplayOnADesktop {
 public:
  SmallDisplayOnADesktop() {
    RunOnDisplay({"xsetroot", "-solid", kDesktopColour});
    try {
      RunOnDisplay({"xrandr", "--newmode", kMode, "10", "800", "801", "802", "803", "600", "601", "602", "603"});
      RunOnDisplay({"xrandr", "--addmode", "screen", kMode});
    } catch (const HarnessError&) {
      // An earlier test of the session gave the output the mode already.
    }
    SetDisplayMode(800, 600);
  }
  ~SmallDisplayOnADesktop() {
    try {
      SetDisplayMode(Session().Screen().width, Session().Screen().height);
      RunOnDisplay({"xsetroot", "-def"});
    } catch (const HarnessError& error) { ADD_FAILURE() << "the display was not put back: " << error.what(); }
  }

 private:
  static constexpr char kMode[] = "lumora-800x600";
};

TEST(DisplayChange, WhenThePrimaryDisplayGrowsDuringTheShowNoPartOfTheDesktopShows) {
  if (Session().Monitors().size() > 1) GTEST_SKIP() << "changes the resolution of a display of one monitor";
  SmallDisplayOnADesktop display;
  ShowFiles files;
  const std::string red = files.AddPicture("red.bmp", test::Solid(16, 16, lumora::Rgb{200, 0, 0}));
  WriteWindowsFile("lumora.ini", SettingsFileText("Sound=0\r\nPicdis=1\r\nTime=8\r\n", {{1, red}}));
  RunningSaver saver;
  saver.WaitForWindow();
  ASSERT_TRUE(WaitFor([] { return IsUniform(Screenshot(), {0, 0, 800, 600}, kRed); }, 20s)) << "the first picture";

  SetDisplayMode(Session().Screen().width, Session().Screen().height);
  const Rect screen = Screenshot().Bounds();
  EXPECT_TRUE(WaitFor([&] { return CountPixels(Screenshot(), screen, kDesktop) == 0; }, 10s))
      << "the desktop shows beside the show";
  const Image shot = Screenshot();
  EXPECT_TRUE(IsUniform(shot, {0, 0, 800, 600}, kRed)) << "the show goes on at its size";
  EXPECT_TRUE(IsUniform(shot, {800, 0, screen.width - 800, screen.height}, kBlackPixel));
  EXPECT_TRUE(IsUniform(shot, {0, 600, 800, screen.height - 600}, kBlackPixel));
  EXPECT_TRUE(saver.Process().Running());
}

}  // namespace
}  // namespace lumora::e2e
