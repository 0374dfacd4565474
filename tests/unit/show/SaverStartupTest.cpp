#include <gtest/gtest.h>

#include "settings_file/SettingsFile.h"
#include "support/SaverHarness.h"
#include "support/SettingsFiles.h"

namespace lumora {
namespace {

using test::SaverHarness;

std::string Options(const std::string& keys) { return "[Options]\r\n" + keys; }

constexpr const char* kGoneSlotCaption =
    "File  no longer exists on your system!  This file was removed from its installed location, please reinstall.";

// Without a picture to show, the screen turns white, says why, and no timer runs; only a missing settings file
// is told in a box first.
TEST(SaverStartup, WithoutAPictureToShowTheWhiteScreenSaysWhy) {
  const struct {
    std::optional<std::string> settings;  // none: no settings file
    const char* caption;
  } rows[] = {
      {std::nullopt, kGoneSlotCaption},
      {SettingsFileText("Sound=1\r\n", {}, {}),
       "You have not entered any pictures for display!  Go into screensaver \"settings\" for \"Lumora\", and "
       "enter some pictures for viewing."},
      {"[JpegConfig]\r\nName1=C:\\P\\1.jpg\r\n[WavConfig]\r\nName1=Null\r\n", kGoneSlotCaption},  // Name2 absent
      {SettingsFileText("", {{1, "C:\\P\\1.jpg"}, {2, "C:\\P\\gone.jpg"}}),
       "File C:\\P\\gone.jpg no longer exists on your system!  This file was removed from its installed location, "
       "please reinstall."},
  };
  for (const auto& row : rows) {
    SaverHarness saver;
    saver.files.Add("C:\\P\\1.jpg");
    if (row.settings) saver.WriteIni(*row.settings);
    saver.saverShow.Start();
    EXPECT_EQ(saver.stage.infoLabel, row.caption);
    EXPECT_EQ(saver.stage.background, (Rgb{255, 255, 255}));
    EXPECT_FALSE(saver.stage.timerEnabled);
    EXPECT_TRUE(saver.state.settings.pictures.empty());
    ASSERT_EQ(saver.boxes.shown.size(), row.settings ? 0u : 1u) << row.caption;
    if (row.settings) continue;
    EXPECT_EQ(saver.boxes.shown[0].kind, BoxKind::Information);
    EXPECT_EQ(saver.boxes.shown[0].buttons, BoxButtons::Ok);
    EXPECT_EQ(saver.boxes.shown[0].text,
              "The ini file is missing. Please reinstall this software or copy the included ini file into your "
              "windows directory.");
  }
}

TEST(SaverStartup, TellsTheSystemHidesTheCursorAndArmsTheTimerWithPictures) {
  SaverHarness saver;
  saver.files.Add("C:\\P\\a.jpg");
  saver.WriteIni(SettingsFileText("Picdis=1\r\n", {{1, "C:\\P\\a.jpg"}}, {}));
  saver.saverShow.Start();
  EXPECT_TRUE(saver.system.screenSaverRunning);
  EXPECT_EQ(saver.system.cursorCount, -1);
  EXPECT_TRUE(saver.stage.hookInstalled);
  EXPECT_EQ(saver.stage.background, (Rgb{0, 0, 0}));
  EXPECT_FALSE(saver.stage.infoLabel.has_value());
  EXPECT_TRUE(saver.stage.timerEnabled);
  EXPECT_EQ(saver.stage.timerInterval, 1000);
  EXPECT_EQ(saver.saverShow.View().mode.NextTile(), TileCorner::TopLeft);
  EXPECT_EQ(saver.state.iniFileName, "C:\\WINDOWS\\lumora.ini");
}

// Each option as the show reads it: an unrecognised code falls back to its table's last row, an absent switch is
// on, a number not written as one reads as -1 and a hexadecimal one is taken.
TEST(SaverStartup, OptionsReadWithTheirFallBacks) {
  const struct {
    const char* lines;
    int mode, scheme, delayMs, height, width;
    bool sound, inOrder;
  } rows[] = {
      {"Picdis=9\r\nColor=0\r\nTime=5\r\nHeight=abc\r\nWidth=0x20\r\n", 7, 4, 120000, -1, 32, true, true},
      {"Time=1\r\nColor=3\r\nPicdis=6\r\nSound=0\r\nSeq=0\r\n", 6, 3, 15000, -1, -1, false, false},
      {"Time=2\r\nColor=1\r\n", 7, 1, 30000, -1, -1, true, true},
      {"Time=3\r\n", 7, 4, 45000, -1, -1, true, true},
      {"Time=4\r\n", 7, 4, 60000, -1, -1, true, true},
      {"Time=8\r\n", 7, 4, 8000, -1, -1, true, true},
      {"Time=120\r\nHeight=480\r\nWidth=640\r\n", 7, 4, 120000, 480, 640, true, true},
  };
  for (const auto& row : rows) {
    SaverHarness saver;
    saver.WriteIni(Options(row.lines));
    const SaverSettings read = saver.ReadSettings();
    EXPECT_EQ(CodeOf(read.displayMode), row.mode) << row.lines;
    EXPECT_EQ(CodeOf(read.colourScheme), row.scheme) << row.lines;
    EXPECT_EQ(read.delayMs, row.delayMs) << row.lines;
    EXPECT_EQ(read.customHeight, row.height) << row.lines;
    EXPECT_EQ(read.customWidth, row.width) << row.lines;
    EXPECT_EQ(read.soundOn, row.sound) << row.lines;
    EXPECT_EQ(read.inOrder, row.inOrder) << row.lines;
  }
}

TEST(SaverStartup, FreeSlotsAreSkippedAndEntriesKeepSlotOrder) {
  SaverHarness saver;
  saver.files.Add("C:\\P\\1.jpg");
  saver.files.Add("C:\\P\\3.bmp");
  saver.files.Add("C:\\S\\2.wav");
  saver.WriteIni(SettingsFileText("", {{1, "C:\\P\\1.jpg"}, {3, "C:\\P\\3.bmp"}}, {{2, "C:\\S\\2.wav"}}));
  const SaverSettings read = saver.ReadSettings();
  EXPECT_EQ(read.pictures, (std::vector<std::string>{"C:\\P\\1.jpg", "C:\\P\\3.bmp"}));
  EXPECT_EQ(read.sounds, (std::vector<std::string>{"C:\\S\\2.wav"}));
}

TEST(SaverStartup, MissingPictureEmptiesThePicturesAndStopsBothLists) {
  SaverHarness saver;
  for (int n = 1; n <= 3; ++n) saver.files.Add("C:\\P\\" + std::to_string(n) + ".jpg");
  saver.files.Add("C:\\S\\1.wav");
  saver.files.Add("C:\\S\\5.wav");
  saver.WriteIni(SettingsFileText(
      "Sound=1\r\n", {{1, "C:\\P\\1.jpg"}, {2, "C:\\P\\2.jpg"}, {3, "C:\\P\\3.jpg"}, {4, "C:\\P\\gone.jpg"}},
      {{1, "C:\\S\\1.wav"}, {5, "C:\\S\\5.wav"}}));
  saver.saverShow.Start();
  EXPECT_TRUE(saver.state.settings.pictures.empty());
  EXPECT_EQ(saver.state.settings.sounds, (std::vector<std::string>{"C:\\S\\1.wav"}));
  EXPECT_EQ(saver.media.calls.front(), "open C:\\S\\1.wav");
}

TEST(SaverStartup, MissingSoundSilencesTheShowAndKeepsPicturesUpToItsSlot) {
  SaverHarness saver;
  for (int n = 1; n <= 10; ++n) saver.files.Add("C:\\P\\" + std::to_string(n) + ".jpg");
  SlotValues pictures;
  for (int n = 1; n <= 10; ++n) pictures[n] = "C:\\P\\" + std::to_string(n) + ".jpg";
  saver.WriteIni(SettingsFileText("Sound=1\r\n", pictures, {{1, "C:\\S\\gone.wav"}}));
  saver.saverShow.Start();
  EXPECT_EQ(saver.state.settings.pictures, (std::vector<std::string>{"C:\\P\\1.jpg"}));
  EXPECT_TRUE(saver.state.settings.sounds.empty());
  EXPECT_FALSE(saver.state.settings.soundOn);
  EXPECT_TRUE(saver.stage.timerEnabled);
  EXPECT_TRUE(saver.media.calls.empty());
}

TEST(SaverStartup, FiveHundredEntriesInEachList) {
  SaverHarness saver;
  SlotValues pictures, sounds;
  for (int n = 1; n <= kSlotCount; ++n) {
    pictures[n] = "C:\\P\\" + std::to_string(n) + ".bmp";
    sounds[n] = "C:\\S\\" + std::to_string(n) + ".wav";
    saver.files.Add(*pictures[n]);
    saver.files.Add(*sounds[n]);
  }
  saver.WriteIni(SettingsFileText("", pictures, sounds));
  const SaverSettings read = saver.ReadSettings();
  ASSERT_EQ(read.pictures.size(), 500u);
  ASSERT_EQ(read.sounds.size(), 500u);
  EXPECT_EQ(read.pictures[499], "C:\\P\\500.bmp");
  EXPECT_EQ(read.sounds[0], "C:\\S\\1.wav");
}

}  // namespace
}  // namespace lumora
