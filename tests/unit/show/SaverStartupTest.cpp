#include <gtest/gtest.h>

#include "support/SaverHarness.h"
#include "samples/SettingsFiles.h"
#include "settings_file/SettingsFile.h"

namespace lumora {
namespace {

using test::SaverHarness;

std::string Options(const std::string& keys) { return "[Options]\r\n" + keys; }


TEST(SaverStartup, MissingSettingsFileShowsTheMessageThenTheWhiteScreenNamingNoFile) {
  SaverHarness saver;
  saver.form.Start();
  ASSERT_EQ(saver.boxes.shown.size(), 1u);
  EXPECT_EQ(saver.boxes.shown[0].kind, BoxKind::Information);
  EXPECT_EQ(saver.boxes.shown[0].buttons, BoxButtons::Ok);
  EXPECT_EQ(saver.boxes.shown[0].text,
            "The ini file is missing. Please reinstall this software or copy the included ini file into your "
            "windows directory.");
  EXPECT_EQ(saver.stage.infoLabel,
            "File  no longer exists on your system!  This file was removed from its installed location, please "
            "reinstall.");
  EXPECT_EQ(saver.stage.background, (Rgb{255, 255, 255}));
  EXPECT_FALSE(saver.stage.timerEnabled);
  EXPECT_TRUE(saver.media.calls.empty());
}

TEST(SaverStartup, AllSlotsFreeShowsTheDefinedCaption) {
  SaverHarness saver;
  saver.WriteIni(SettingsFileText("Sound=1\r\n", {}, {}));
  saver.form.Start();
  EXPECT_TRUE(saver.boxes.shown.empty());
  EXPECT_EQ(saver.stage.infoLabel,
            "You have not entered any pictures for display!  Go into screensaver \"settings\" for \"Lumora\", and "
            "enter some pictures for viewing.");
  EXPECT_FALSE(saver.stage.timerEnabled);
}

TEST(SaverStartup, TellsTheSystemHidesTheCursorAndArmsTheTimerWithPictures) {
  SaverHarness saver;
  saver.files.Add("C:\\P\\a.jpg");
  saver.WriteIni(SettingsFileText("Picdis=1\r\n", {{1, "C:\\P\\a.jpg"}}, {}));
  saver.form.Start();
  EXPECT_TRUE(saver.system.screenSaverRunning);
  EXPECT_EQ(saver.system.cursorCount, -1);
  EXPECT_TRUE(saver.stage.hookInstalled);
  EXPECT_EQ(saver.stage.background, (Rgb{0, 0, 0}));
  EXPECT_FALSE(saver.stage.infoLabel.has_value());
  EXPECT_TRUE(saver.stage.timerEnabled);
  EXPECT_EQ(saver.stage.timerInterval, 1000);
  EXPECT_EQ(saver.form.mode().TilePosition(), 1);
  EXPECT_EQ(saver.state.iniFileName, "C:\\WINDOWS\\lumora.ini");
}

TEST(SaverStartup, UnrecognisedCodesFallBackToTheLastRow) {
  SaverHarness saver;
  saver.WriteIni(Options("Picdis=9\r\nColor=0\r\nTime=5\r\nHeight=abc\r\nWidth=0x20\r\n"));
  saver.form.LoadSaverSettings();
  EXPECT_EQ(saver.state.displayMode, 7);
  EXPECT_EQ(saver.state.colourScheme, 4);
  EXPECT_EQ(saver.state.delayMs, 120000);
  EXPECT_EQ(saver.state.customHeight, -1);
  EXPECT_EQ(saver.state.customWidth, 32);
}

TEST(SaverStartup, EachDelayCodeGivesItsDelay) {
  const std::map<std::string, int> delays = {{"1", 15000}, {"2", 30000}, {"3", 45000}, {"4", 60000},
                                             {"8", 8000},  {"120", 120000}, {"7", 120000}, {"", 120000}};
  for (const auto& [code, delay] : delays) {
    SaverHarness saver;
    saver.WriteIni(Options("Time=" + code + "\r\nColor=3\r\nPicdis=6\r\n"));
    saver.form.LoadSaverSettings();
    EXPECT_EQ(saver.state.delayMs, delay) << code;
    EXPECT_EQ(saver.state.colourScheme, 3);
    EXPECT_EQ(saver.state.displayMode, 6);
  }
}

TEST(SaverStartup, AbsentSwitchesAreOn) {
  SaverHarness saver;
  saver.WriteIni(Options("Color=1\r\n"));
  saver.form.LoadSaverSettings();
  EXPECT_TRUE(saver.state.soundOn);
  EXPECT_TRUE(saver.state.inOrder);
  saver.WriteIni(Options("Sound=0\r\nSeq=0\r\n"));
  saver.form.LoadSaverSettings();
  EXPECT_FALSE(saver.state.soundOn);
  EXPECT_FALSE(saver.state.inOrder);
}

TEST(SaverStartup, FreeSlotsAreSkippedAndEntriesKeepSlotOrder) {
  SaverHarness saver;
  saver.files.Add("C:\\P\\1.jpg");
  saver.files.Add("C:\\P\\3.bmp");
  saver.files.Add("C:\\S\\2.wav");
  saver.WriteIni(SettingsFileText("", {{1, "C:\\P\\1.jpg"}, {3, "C:\\P\\3.bmp"}}, {{2, "C:\\S\\2.wav"}}));
  saver.form.LoadSaverSettings();
  EXPECT_EQ(saver.state.pictures, (std::vector<std::string>{"C:\\P\\1.jpg", "C:\\P\\3.bmp"}));
  EXPECT_EQ(saver.state.sounds, (std::vector<std::string>{"C:\\S\\2.wav"}));
}

TEST(SaverStartup, MissingPictureEmptiesThePicturesAndStopsBothLists) {
  SaverHarness saver;
  for (int n = 1; n <= 3; ++n) saver.files.Add("C:\\P\\" + std::to_string(n) + ".jpg");
  saver.files.Add("C:\\S\\1.wav");
  saver.files.Add("C:\\S\\5.wav");
  saver.WriteIni(SettingsFileText("Sound=1\r\n", {{1, "C:\\P\\1.jpg"}, {2, "C:\\P\\2.jpg"}, {3, "C:\\P\\3.jpg"}, {4, "C:\\P\\gone.jpg"}},
                       {{1, "C:\\S\\1.wav"}, {5, "C:\\S\\5.wav"}}));
  saver.form.Start();
  EXPECT_TRUE(saver.state.pictures.empty());
  EXPECT_EQ(saver.state.sounds, (std::vector<std::string>{"C:\\S\\1.wav"}));
  EXPECT_EQ(saver.stage.infoLabel,
            "File C:\\P\\gone.jpg no longer exists on your system!  This file was removed from its installed "
            "location, please reinstall.");
  EXPECT_FALSE(saver.stage.timerEnabled);
  EXPECT_EQ(saver.media.calls.front(), "open C:\\S\\1.wav");
}

TEST(SaverStartup, MissingSoundSilencesTheShowAndKeepsPicturesUpToItsSlot) {
  SaverHarness saver;
  for (int n = 1; n <= 10; ++n) saver.files.Add("C:\\P\\" + std::to_string(n) + ".jpg");
  SlotValues pictures;
  for (int n = 1; n <= 10; ++n) pictures[n] = "C:\\P\\" + std::to_string(n) + ".jpg";
  saver.WriteIni(SettingsFileText("Sound=1\r\n", pictures, {{1, "C:\\S\\gone.wav"}}));
  saver.form.Start();
  EXPECT_EQ(saver.state.pictures, (std::vector<std::string>{"C:\\P\\1.jpg"}));
  EXPECT_TRUE(saver.state.sounds.empty());
  EXPECT_FALSE(saver.state.soundOn);
  EXPECT_TRUE(saver.stage.timerEnabled);
  EXPECT_TRUE(saver.media.calls.empty());
}

TEST(SaverStartup, AbsentSlotKeyCountsAsAMissingFile) {
  SaverHarness saver;
  saver.files.Add("C:\\P\\1.jpg");
  saver.WriteIni("[JpegConfig]\r\nName1=C:\\P\\1.jpg\r\n[WavConfig]\r\nName1=Null\r\n");
  saver.form.Start();
  EXPECT_TRUE(saver.state.pictures.empty());
  EXPECT_EQ(saver.stage.infoLabel->substr(0, 6), "File  ");
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
  saver.form.LoadSaverSettings();
  ASSERT_EQ(saver.state.pictures.size(), 500u);
  ASSERT_EQ(saver.state.sounds.size(), 500u);
  EXPECT_EQ(saver.state.pictures[499], "C:\\P\\500.bmp");
  EXPECT_EQ(saver.state.sounds[0], "C:\\S\\1.wav");
}

TEST(SaverStartup, SettingsFileIsNamedAfterTheExecutable) {
  SaverHarness saver;
  saver.system.executablePath = "C:\\SAVERS\\Holiday.Pics.scr";
  saver.form.Start();
  EXPECT_EQ(saver.state.iniFileName, "C:\\WINDOWS\\Holiday.ini");
}

}  // namespace
}  // namespace lumora
