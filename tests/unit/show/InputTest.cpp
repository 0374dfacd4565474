#include <gtest/gtest.h>

#include "support/ShowFixture.h"

namespace lumora {
namespace {

using test::ShowFixture;
using test::Solid;

using enum QueuedMessage;
constexpr QueuedMessage kInputMessages[] = {KeyDown,        KeyUp,           SystemKeyDown,   SystemKeyUp,
                                            LeftButtonDown, RightButtonDown, MiddleButtonDown};

struct RunningShow : ShowFixture {
  explicit RunningShow(PlatformKind platform = PlatformKind::WindowsNT) {
    system.platform = platform;
    AddPicture(Solid(20, 20, Rgb{10, 20, 30}));
    Start("Picdis=1\r\n");
  }
  bool Ended() const { return stage.closed; }
};

TEST(OnInput, EachInputMessageEndsTheShowOnWindowsNt) {
  for (QueuedMessage message : kInputMessages) {
    RunningShow show;
    show.saverShow.OnInput(message);
    EXPECT_TRUE(show.Ended()) << static_cast<int>(message);
    EXPECT_FALSE(show.system.screenSaverRunning);
    EXPECT_FALSE(show.stage.timerEnabled);
    EXPECT_FALSE(show.state.reentry.InputBusy());
    EXPECT_TRUE(show.passwords.verifyCalls.empty()) << "no password check of our own on NT";
  }
}

TEST(OnInput, EveryOtherMessagePassesWithoutEffect) {
  RunningShow show(PlatformKind::Windows9x);
  show.passwords.usePassword = 1;
  for (int i = 0; i < 3; ++i) show.saverShow.OnInput(Other);
  EXPECT_FALSE(show.Ended());
  EXPECT_TRUE(show.passwords.verifyCalls.empty());
  EXPECT_TRUE(show.stage.timerEnabled);
}

TEST(OnInput, WithoutAPasswordSettingWindows9xEndsAtOnce) {
  for (std::optional<uint32_t> setting : {std::optional<uint32_t>{}, std::optional<uint32_t>{0}}) {
    RunningShow show(PlatformKind::Windows9x);
    show.passwords.usePassword = setting;
    show.saverShow.OnInput(LeftButtonDown);
    EXPECT_TRUE(show.Ended());
    EXPECT_TRUE(show.passwords.verifyCalls.empty());
    EXPECT_EQ(show.system.cursorCount, -1);
  }
}

TEST(OnInput, RejectedPasswordKeepsTheShowGoingWithTheCursorHiddenAgain) {
  RunningShow show(PlatformKind::Windows9x);
  show.passwords.usePassword = 1;
  show.passwords.answers = {false, true};
  int cursorDuringDialog = 0;
  show.passwords.whileDialogOpen = [&] { cursorDuringDialog = show.system.cursorCount; };
  show.saverShow.OnInput(KeyDown);
  EXPECT_FALSE(show.Ended());
  EXPECT_EQ(cursorDuringDialog, 0) << "shown over the dialog";
  EXPECT_EQ(show.system.cursorCount, -1);
  EXPECT_TRUE(show.stage.timerEnabled);
  EXPECT_EQ(show.passwords.verifyCalls, (std::vector<std::string>{"C:\\WINDOWS\\SYSTEM\\PASSWORD.CPL"}));
  show.saverShow.OnInput(KeyUp);
  EXPECT_TRUE(show.Ended());
  EXPECT_EQ(show.passwords.verifyCalls.size(), 2u);
  EXPECT_EQ(show.system.cursorCount, -1);
}

TEST(OnInput, MissingPasswordLibraryEndsTheShowAndHidesTheCursorAgain) {
  RunningShow show(PlatformKind::Windows9x);
  show.passwords.usePassword = 7;
  show.passwords.answers = {std::nullopt};
  show.saverShow.OnInput(RightButtonDown);
  EXPECT_TRUE(show.Ended());
  EXPECT_EQ(show.system.cursorCount, -1);
}

TEST(OnInput, NestedInputDuringThePasswordCheckIsPassedOver) {
  RunningShow show(PlatformKind::Windows9x);
  show.passwords.usePassword = 1;
  show.passwords.answers = {false};
  show.passwords.whileDialogOpen = [&] {
    // The dialog's own loop lets ticks run; input reaching the hook meanwhile starts no second check.
    show.saverShow.OnTick();
    show.saverShow.OnInput(KeyDown);
    show.saverShow.OnInput(LeftButtonDown);
  };
  show.saverShow.OnInput(KeyDown);
  EXPECT_EQ(show.passwords.verifyCalls.size(), 1u);
  EXPECT_FALSE(show.Ended());
  EXPECT_EQ(show.saverShow.View().mode.ColourStep(), 1);
  EXPECT_FALSE(show.state.reentry.InputBusy());
}

TEST(ShutDown, StopsTimerSlideAndSoundBeforeTellingTheSystemThenCloses) {
  ShowFixture show;
  show.AddPicture(Solid(20, 20, Rgb{10, 20, 30}));
  show.files.Add("C:\\S\\a.wav");
  show.sounds[1] = "C:\\S\\a.wav";
  show.Start("Picdis=1\r\n");
  bool timerOffFirst = false, slideStoppedFirst = false, soundStoppedFirst = false, closedEarly = true;
  show.system.onScreenSaverRunning = [&](bool running) {
    if (running) return;
    timerOffFirst = !show.stage.timerEnabled;
    slideStoppedFirst = show.state.reentry.SlideStopped();
    soundStoppedFirst = show.media.calls.back() == "stop";
    closedEarly = show.stage.closed;
  };
  show.saverShow.ShutDown();
  EXPECT_TRUE(timerOffFirst);
  EXPECT_TRUE(slideStoppedFirst);
  EXPECT_TRUE(soundStoppedFirst);
  EXPECT_FALSE(closedEarly);
  EXPECT_TRUE(show.stage.closed);
}

TEST(ShutDown, MayRunTwiceAndStopsNothingWithoutADevice) {
  RunningShow show;
  show.saverShow.ShutDown();
  show.saverShow.ShutDown();
  EXPECT_TRUE(show.stage.closed);
  EXPECT_FALSE(show.system.screenSaverRunning);
  EXPECT_TRUE(show.media.calls.empty());
  EXPECT_EQ(std::count(show.system.events.begin(), show.system.events.end(), "saver-stopped"), 2);
}

TEST(OnInput, InputOnTheInformationScreenEndsIt) {
  ShowFixture show;
  show.Start("");
  ASSERT_TRUE(show.stage.infoLabel.has_value());
  show.saverShow.OnInput(MiddleButtonDown);
  EXPECT_TRUE(show.stage.closed);
}

}  // namespace
}  // namespace lumora
