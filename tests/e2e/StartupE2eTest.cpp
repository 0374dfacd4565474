// Saver start-up under Wine: the window, the settings file, the information screen.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SaverRun.h"
#include "support/ShowFixture.h"

namespace lumora::e2e {
namespace {

using namespace std::chrono_literals;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr char kIniMissing[] =
    "The ini file is missing. Please reinstall this software or copy the included ini file into your windows "
    "directory.";

std::optional<ChildInfo> InfoLabel(Hwnd saver) {
  for (const ChildInfo& child : Inspector(Session()).Children(saver))
    if (child.className == "Static") return child;
  return std::nullopt;
}

TEST(SaverStartup, MissingSettingsFileAsksForItThenShowsTheWhiteInformationScreen) {
  RemoveWindowsFile("lumora.ini");
  RunningSaver saver({.debugChannels = {"trace+msgbox"}});
  Inspector inspector(Session());
  ASSERT_TRUE(WaitFor([&] { return !inspector.Dialogs().empty(); }, 30s)) << "no message box";
  const DialogInfo box = inspector.Dialogs().front();
  EXPECT_EQ(box.caption, "Information");
  EXPECT_THAT(box.statics, ::testing::Contains(kIniMissing));
  EXPECT_THAT(box.buttons, ::testing::ElementsAre("OK"));
  ASSERT_TRUE(PressOkOn("Information"));

  const Hwnd window = saver.WaitForWindow();
  ASSERT_TRUE(WaitFor([&] { return IsUniform(Screenshot(), {0, 0, 60, 60}, kWhite); }, 10s));
  const std::optional<ChildInfo> label = InfoLabel(window);
  ASSERT_TRUE(label.has_value());
  EXPECT_TRUE(label->shown);
  EXPECT_EQ(label->text,
            "File  no longer exists on your system!  This file was removed from its installed location, please "
            "reinstall.");
  EXPECT_EQ(label->rect, (Rect{68, 183, 469, 106}));
  const Image shot = Screenshot();
  EXPECT_LT(CountPixels(shot, {68, 183, 469, 106}, kWhite), 469 * 106) << "the label's text is drawn";
  EXPECT_TRUE(IsUniform(shot, {600, 0, shot.Width() - 600, shot.Height()}, kWhite));
  EXPECT_THAT(saver.Process().Stderr(), ::testing::HasSubstr("ini file is missing"));
}

TEST(SaverStartup, WithPicturesTheBlackTopmostBorderlessWindowCoversTheScreenAnyScreen) {
  ShowFiles files;
  const std::string picture = files.AddPicture("red.bmp", test::Solid(64, 48, lumora::Rgb{220, 30, 30}));
  WriteWindowsFile("lumora.ini", SettingsFileText("Picdis=2\r\nColor=4\r\nTime=8\r\n", {{1, picture}}));
  RunningSaver saver;
  const Hwnd handle = saver.WaitForWindow();
  Inspector inspector(Session());
  const WindowInfo window = inspector.Window(handle);
  EXPECT_EQ(window.className, kSaverWindowClass);
  EXPECT_EQ(window.text, kSaverWindowTitle);
  EXPECT_TRUE(window.topmost);
  EXPECT_TRUE(window.borderless);
  EXPECT_TRUE(window.visible);
  EXPECT_EQ(window.rect, (Rect{0, 0, Session().Screen().width, Session().Screen().height}));
  EXPECT_TRUE(inspector.ScreensaverRunning());
  MovePointer(10, 10);
  EXPECT_TRUE(WaitFor([] { return !CursorVisible(); }, 5s)) << "the cursor stays hidden over the saver";
  const Image shot = Screenshot();
  EXPECT_TRUE(IsUniform(shot, {0, 0, 100, 100}, kBlack));
}

TEST(SaverStartup, MissingPictureAtSlotFourNamesItOnTheWhiteScreen) {
  ShowFiles files;
  SlotValues pictures;
  for (int slot = 1; slot <= 3; ++slot)
    pictures[slot] = files.AddPicture("p" + std::to_string(slot) + ".bmp", test::Solid(8, 8, lumora::Rgb{1, 2, 3}));
  pictures[4] = "C:\\lumora-files\\gone.jpg";
  WriteWindowsFile("lumora.ini", SettingsFileText("Picdis=1\r\n", pictures));
  RunningSaver saver;
  const Hwnd window = saver.WaitForWindow();
  ASSERT_TRUE(WaitFor([&] { return IsUniform(Screenshot(), {0, 0, 60, 60}, kWhite); }, 10s));
  const std::optional<ChildInfo> label = InfoLabel(window);
  ASSERT_TRUE(label.has_value());
  EXPECT_EQ(label->text,
            "File C:\\lumora-files\\gone.jpg no longer exists on your system!  This file was removed from its "
            "installed location, please reinstall.");
  EXPECT_TRUE(Inspector(Session()).Dialogs().empty());
}

TEST(SaverStartup, SettingsFileIsNamedAfterTheExecutable) {
  ShowFiles files;
  const std::string picture = files.AddPicture("green.bmp", test::Solid(64, 48, lumora::Rgb{20, 200, 30}));
  RemoveWindowsFile("lumora.ini");
  WriteWindowsFile("Holiday.ini", SettingsFileText("Picdis=1\r\n", {{1, picture}}));
  const auto copy = CopyScr(Session().DriveC() / "Savers", "Holiday.scr");
  WineProcess saver = StartScr({"/s"}, {}, copy);
  EXPECT_TRUE(WaitFor(
      [] {
        return IsUniform(Screenshot(), {0, 0, 100, 100}, Rgb{20, 200, 30});
      },
      15s))
      << "the picture from Holiday.ini, stretched over the screen";
  EXPECT_TRUE(Inspector(Session()).Dialogs().empty());
  saver.Kill();
  WaitUntilNoSaverRuns();
  RemoveWindowsFile("Holiday.ini");
}

}  // namespace
}  // namespace lumora::e2e
