// The command line under Wine: which starts run nothing, the single-saver rule, and the password change.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

#include "SaverRun.h"
#include "settings_window/SettingsLayout.h"
#include "support/ShowFixture.h"

namespace lumora::e2e {
namespace {

using namespace std::chrono_literals;

// A show that would run until input if it started, so a quick exit proves that it did not.
void PrepareAShow() {
  ShowFiles files;
  const std::string picture = files.AddPicture("blue.bmp", test::Solid(32, 32, lumora::Rgb{0, 0, 230}));
  WriteWindowsFile("lumora.ini", SettingsFileText("Picdis=1\r\n", {{1, picture}}));
}

// The screen once it has stood still for half a second: on a loaded machine the window of the test before may
// still be on it for a moment after its program has ended.
Image StillScreen() {
  Image last = Screenshot();
  for (int still = 0, look = 0; still < 5 && look < 100; ++look) {
    std::this_thread::sleep_for(100ms);
    Image now = Screenshot();
    still = CountDifferences(now, now.Bounds(), last) == 0 ? still + 1 : 0;
    last = std::move(now);
  }
  return last;
}

TEST(Dispatch, StartsThatNameNoModeEndAtOnceWithCodeZero) {
  PrepareAShow();
  const Image before = StillScreen();
  const std::vector<std::vector<std::string>> starts = {{}, {"/p", "1234"}, {"/S:123"}, {"/SX"}, {"-s"}, {"/"}, {"s"}};
  for (const auto& args : starts) {
    EXPECT_EQ(RunScr(args, 20s), 0) << (args.empty() ? "(none)" : args[0]);
    EXPECT_FALSE(Inspector(Session()).Find(kSaverWindowClass).has_value());
    EXPECT_FALSE(Inspector(Session()).Find(kSettingsWindowClass).has_value());
  }
  EXPECT_EQ(CountDifferences(Screenshot(), before.Bounds(), before), 0) << "nothing was ever drawn";
}

TEST(Dispatch, WhileASaverRunsEveryOtherStartEndsAtOnce) {
  PrepareAShow();
  RunningSaver saver;
  saver.WaitForWindow();
  EXPECT_EQ(RunScr({"/S"}, 20s), 0);
  EXPECT_EQ(RunScr({"/c"}, 20s), 0);
  EXPECT_FALSE(Inspector(Session()).Find(kSettingsWindowClass).has_value());
  EXPECT_TRUE(saver.Process().Running());
}

TEST(Dispatch, PasswordChangeCallsMprWithTheScreensaverProviderAndNoOwner) {
  ClearTestDllFiles();
  {
    SystemFileInstall mpr = InstallTestMpr();
    EXPECT_EQ(RunScr({"/a", "1234"}, 30s, {.dllOverrides = {kNativeMpr}}), 0);
  }
  const std::vector<MprCall> calls = ReadMprLog();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].provider, "SCRSAVE");
  EXPECT_EQ(calls[0].owner, 0u);
  EXPECT_EQ(calls[0].reserved1, 0u);
  EXPECT_EQ(calls[0].reserved2, 0u);
}

TEST(Dispatch, PasswordChangeWithoutMprEndsSilently) {
  ClearTestDllFiles();
  EXPECT_EQ(RunScr({"/A"}, 30s, {.debugChannels = {"trace+msgbox"}, .dllOverrides = {kMissingMpr}}), 0);
  EXPECT_TRUE(ReadMprLog().empty());
  EXPECT_TRUE(Inspector(Session()).Dialogs().empty());
}

}  // namespace
}  // namespace lumora::e2e
