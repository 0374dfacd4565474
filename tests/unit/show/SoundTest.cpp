#include <gtest/gtest.h>

#include "support/ShowFixture.h"

namespace lumora {
namespace {

using test::ShowFixture;
using test::Solid;

struct SoundShow : ShowFixture {
  SoundShow(int soundCount, bool withPicture = true) {
    for (int n = 1; n <= soundCount; ++n) files.Add(Sound(n));
    if (withPicture) AddPicture(Solid(8, 8, Rgb{1, 2, 3}));
  }
  static std::string Sound(int n) { return "C:\\S\\" + std::to_string(n) + ".wav"; }

  void Start(int soundCount, const std::string& options = "Sound=1\r\nPicdis=1\r\n") {
    SlotValues sounds;
    for (int slot = 1; slot <= soundCount; ++slot) sounds[slot] = Sound(slot);
    WriteIni(SettingsFileText(options, pictures, sounds));
    saverShow.Start();
  }
  std::vector<std::string> Opened() const {
    std::vector<std::string> opened;
    for (const std::string& call : media.calls)
      if (call.rfind("open ", 0) == 0) opened.push_back(call.substr(5));
    return opened;
  }
};

// What the player is asked in a run: the first entry at start-up, then at each tick after a sound has ended the
// next one, the old device closed first; with sound off, no sounds listed or no picture to show, nothing more.
TEST(Sound, WhatPlaysFromStartUpThroughThreeEnds) {
  const std::vector<std::string> kPlayOnce = {"open C:\\S\\1.wav", "play"};
  const struct {
    int sounds;
    const char* options;
    bool picture;
    std::vector<std::string> calls;
    bool on;
  } rows[] = {
      {1,
       "Sound=1\r\nPicdis=1\r\n",
       true,
       {"open C:\\S\\1.wav", "play", "close", "open C:\\S\\1.wav", "play", "close", "open C:\\S\\1.wav", "play",
        "close", "open C:\\S\\1.wav", "play"},
       true},
      {0, "Sound=1\r\nPicdis=1\r\n", true, {}, true},
      {2, "Sound=0\r\nPicdis=1\r\n", true, {}, false},
      {2, "Sound=1\r\nPicdis=1\r\n", false, kPlayOnce, true},  // no timer runs, no tick comes
  };
  for (const auto& row : rows) {
    SoundShow show(row.sounds, row.picture);
    show.Start(row.sounds, row.options);
    for (int end = 0; end < 3 && show.stage.timerEnabled; ++end) {
      show.media.FinishPlaying();
      show.Ticks(1);
    }
    EXPECT_EQ(show.media.calls, row.calls) << row.sounds << " sounds, " << row.options;
    EXPECT_EQ(show.saverShow.View().sound.On(), row.on);
  }
}

TEST(Sound, NextSoundIsDrawnAtEveryPictureLoadAndStartsOnlyOnceThePlayerStopped) {
  SoundShow show(5);
  show.Start(5);
  show.system.milliseconds = 777;
  show.Ticks(2);  // still playing: nothing new opened
  EXPECT_EQ(show.Opened().size(), 1u);
  // Of five sounds the one drawn at 777 ms is 1 + the high half of ((777 * 134775813 + 1) mod 2^32) * 5.
  const std::string drawn = SoundShow::Sound(2);
  EXPECT_EQ(show.saverShow.View().sound.NextSound(), drawn);

  show.media.FinishPlaying();
  show.system.milliseconds = 123456;
  show.Ticks(1);  // the sound step comes before this tick's picture load
  EXPECT_EQ(show.Opened().back(), drawn);
  ASSERT_GE(show.media.calls.size(), 4u);
  EXPECT_EQ(show.media.calls[2], "close") << "the old device closes before the next opens";
}

TEST(Sound, AFileThatCannotBeOpenedSilencesTheRestOfTheRun) {
  SoundShow show(2);
  show.media.unopenable = {SoundShow::Sound(2)};
  show.Start(2);
  show.system.milliseconds = 16;  // of two sounds, the second is drawn
  show.Ticks(1);
  show.media.FinishPlaying();
  show.Ticks(1);
  EXPECT_FALSE(show.saverShow.View().sound.On());
  show.media.FinishPlaying();
  show.Ticks(3);
  EXPECT_EQ(show.Opened().size(), 2u);
  EXPECT_TRUE(show.boxes.errorReports.empty());
}

TEST(Sound, ARefusedPlayLeavesTheDeviceStoppedAndIsRetriedNextTick) {
  SoundShow show(1);
  show.media.playResult = 277;
  show.Start(1);
  EXPECT_TRUE(show.saverShow.View().sound.On());
  EXPECT_EQ(show.saverShow.View().sound.Player().Error(), 277u);
  show.media.playResult = 0;
  show.Ticks(1);
  EXPECT_EQ(show.Opened().size(), 2u);
  EXPECT_EQ(show.saverShow.View().sound.Player().Mode(), MediaMode::Playing);
}

TEST(Sound, EndOfPlayNotificationStopsThePlayer) {
  SoundShow show(1);
  show.Start(1);
  show.saverShow.OnMediaNotify(MediaNotify::Successful);
  EXPECT_EQ(show.media.calls.back(), "stop");
  EXPECT_EQ(show.saverShow.View().sound.Player().NotifyValue(), MediaNotify::Successful);
}

TEST(Sound, NotificationWithoutADeviceRaisesNoDeviceOpen) {
  SoundShow show(0);
  show.Start(0);
  try {
    show.saverShow.OnMediaNotify(std::nullopt);
    FAIL() << "no error";
  } catch (const MediaDeviceError& error) { EXPECT_EQ(std::string(error.what()), "No MCI device open"); }
}

TEST(Sound, ShutDownStopsOnlyAPlayingSound) {
  SoundShow playing(1);
  playing.Start(1);
  playing.saverShow.ShutDown();
  EXPECT_EQ(playing.media.calls.back(), "stop");

  SoundShow ended(1);
  ended.Start(1);
  ended.media.FinishPlaying();
  ended.saverShow.ShutDown();
  EXPECT_EQ(ended.media.calls.back(), "play");
}

TEST(MediaPlayer, OpenErrorsCarryTheSystemTextOrUnknownErrorCode) {
  test::FakeMediaDevice device;
  MediaPlayer player(device);
  device.unopenable = {"x.wav"};
  device.openError = 263;
  EXPECT_THROW(
      try { player.Open("x.wav"); } catch (const MediaDeviceError& e) {
        EXPECT_EQ(std::string(e.what()), "The specified device is not open.");
        throw;
      },
      MediaDeviceError);
  device.openError = 12345;
  try {
    player.Open("x.wav");
    FAIL();
  } catch (const MediaDeviceError& e) { EXPECT_EQ(std::string(e.what()), "Unknown error code"); }
  EXPECT_FALSE(player.IsOpen());
  EXPECT_FALSE(player.Mode().has_value());
}

TEST(MediaPlayer, ClosesItsDeviceWhenDestroyed) {
  test::FakeMediaDevice device;
  {
    MediaPlayer player(device);
    player.Open("a.wav");
  }
  EXPECT_EQ(device.calls.back(), "close");
}

}  // namespace
}  // namespace lumora
