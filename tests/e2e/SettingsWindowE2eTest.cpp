// The settings window under Wine: the settings file it creates, the options it shows and writes back, its error
// box, the hidden list and About buttons with the real open-file dialog, and what it looks like.
#include <X11/keysym.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "SaverRun.h"
#include "SettingsWindowRun.h"
#include "settings_window/DisclaimerLayout.h"
#include "settings_window/SettingsLayout.h"
#include "support/ShowFixture.h"

namespace lumora::e2e {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::StartsWith;

constexpr char kIni[] = "lumora.ini";
constexpr Rgb kBackground{kSettingsColour.r, kSettingsColour.g, kSettingsColour.b};

// Of the open-file dialog.
constexpr int kFileTypeCombo = 1136;

constexpr unsigned kWmHScroll = 0x114;
constexpr unsigned kSbLineLeft = 0, kSbLineRight = 1;

std::string IniText() { return ReadWindowsFile(kIni).value_or("(no file)"); }

TEST(SettingsWindow, WithoutAFileCreatesItByteForByteShowsTheDefaultsAndOkAddsSeq) {
  RemoveWindowsFile(kIni);
  RunningSettings settings;
  settings.WaitForWindow();
  EXPECT_EQ(FirstDifference(IniText(), SettingsFileText(kNewFileOptions)), "");

  const WindowInfo window = settings.Info();
  EXPECT_EQ(window.className, kSettingsWindowClass);
  EXPECT_EQ(window.text, kSettingsWindowTitle);
  EXPECT_EQ(window.client.width, 607);
  EXPECT_EQ(window.client.height, 374);
  EXPECT_LE(std::abs(2 * window.rect.x + window.rect.width - Session().Screen().width), 1) << window.rect;
  EXPECT_LE(std::abs(2 * window.rect.y + window.rect.height - Session().Screen().height), 1) << window.rect;

  const std::map<int, ChildInfo> controls = settings.Controls();
  EXPECT_THAT(CheckedCaptions(controls),
              ElementsAre("Tiled Pictures", "Sound OFF", "30 Seconds", "Black Only", "In Order"));
  EXPECT_EQ(controls.at(Id(SettingsControl::WidthValue)).text, "25");
  EXPECT_EQ(controls.at(Id(SettingsControl::HeightValue)).text, "25");
  EXPECT_FALSE(controls.at(Id(OptionRadio::SoundOn)).enabled);
  EXPECT_FALSE(controls.at(Id(OptionRadio::SoundOff)).enabled);
  EXPECT_EQ(controls.at(Id(SettingsControl::WidthScrollBar)).scroll->pos, 25);
  EXPECT_EQ(controls.at(Id(SettingsControl::WidthScrollBar)).scroll->min, 25);
  EXPECT_EQ(controls.at(Id(SettingsControl::WidthScrollBar)).scroll->max, Session().Screen().width);
  EXPECT_EQ(controls.at(Id(SettingsControl::HeightScrollBar)).scroll->max, Session().Screen().height);

  EXPECT_TRUE(settings.Click(Id(SettingsControl::OkButton)));
  EXPECT_EQ(settings.WaitForExit(15s), 0);
  EXPECT_EQ(FirstDifference(IniText(), SettingsFileText(std::string(kNewFileOptions) + "Seq=1\r\n")), "");
}

// Alt+F4 and the task list's End task (a posted WM_CLOSE) close the window as a cancel: the program ends and
// writes nothing.
TEST(SettingsWindow, TheSystemsCloseEndsTheProgramWithoutWritingTheOptions) {
  const std::string prepared = SettingsFileText("Sound=1\r\nSeq=0\r\nColor=2\r\nPicdis=5\r\nTime=8\r\n", {});
  for (const bool altF4 : {true, false}) {
    WriteWindowsFile(kIni, prepared);
    RunningSettings settings;
    const Hwnd window = settings.WaitForWindow();
    if (altF4) {
      TapKey(XK_F4, {XK_Alt_L});
    } else {
      Inspector(Session()).Close(window);
    }
    EXPECT_EQ(settings.WaitForExit(15s), 0) << (altF4 ? "Alt+F4" : "WM_CLOSE");
    EXPECT_EQ(FirstDifference(IniText(), prepared), "");
  }
}

// A prepared file's options as the window shows them, odd values by the rows they fall back to, and written
// back by OK as shown; with no picture or two, OK closes without a note.
TEST(SettingsWindow, PreparedFileShowsItsOptionsAndOkWritesWhatIsShown) {
  const struct {
    std::string options;
    SlotValues pictures, sounds;
    std::vector<std::string> checked;
    bool soundChoice;
    const char *height, *width;
    int heightBar, widthBar;
    std::string written;
    // clang-format off
  } rows[] = {
      {"Sound=1\r\nSeq=0\r\nColor=2\r\nPicdis=5\r\nTime=7\r\nHeight=3000\r\nWidth=10\r\n", {}, {},
       {"Customize Picture Size Below ", "Sound ON", "2 Minutes", "Navy - Black - Purple - Maroon", "Random"},
       false, "3000", "25", Session().Screen().height, 25,
       "Sound=1\r\nSeq=0\r\nColor=2\r\nPicdis=5\r\nTime=120\r\nHeight=3000\r\nWidth=25\r\n"},
      {"Color=0x3\r\nPicdis=0\r\nTime=8\r\nHeight=300\r\nWidth=abc\r\n", {{2, "C:\\a.jpg"}, {9, "C:\\b.jpg"}},
       {{4, "C:\\s.wav"}},
       {"Slide", "Sound ON", "8 Seconds", "Green - Aqua - Fuschia - Yellow", "In Order"}, true, "300", "25", 300, 25,
       "Color=3\r\nPicdis=7\r\nTime=8\r\nHeight=300\r\nWidth=25\r\nSound=1\r\nSeq=1\r\n"},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.options);
    WriteWindowsFile(kIni, SettingsFileText(row.options, row.pictures, row.sounds));
    RunningSettings settings;
    settings.WaitForWindow();
    const std::map<int, ChildInfo> controls = settings.Controls();
    EXPECT_THAT(CheckedCaptions(controls), ::testing::ElementsAreArray(row.checked));
    EXPECT_EQ(controls.at(Id(OptionRadio::SoundOn)).enabled, row.soundChoice) << "a sound in the list";
    EXPECT_EQ(controls.at(Id(OptionRadio::SoundOff)).enabled, row.soundChoice);
    EXPECT_EQ(controls.at(Id(SettingsControl::HeightValue)).text, row.height);
    EXPECT_EQ(controls.at(Id(SettingsControl::HeightScrollBar)).scroll->pos, row.heightBar);
    EXPECT_EQ(controls.at(Id(SettingsControl::WidthValue)).text, row.width);
    EXPECT_EQ(controls.at(Id(SettingsControl::WidthScrollBar)).scroll->pos, row.widthBar);
    EXPECT_TRUE(settings.Click(Id(SettingsControl::OkButton)));
    EXPECT_EQ(settings.WaitForExit(15s), 0) << "no note";
    EXPECT_EQ(FirstDifference(IniText(), SettingsFileText(row.written, row.pictures, row.sounds)), "");
  }
}

TEST(SettingsWindow, ClickedChoicesAndMovedBarsAreWrittenAsTheSevenKeysInOrder) {
  // The Options section lacks every key that OK writes, so each lands at its end in the order written.
  WriteWindowsFile(kIni, SettingsFileText("Status=0\r\nRepeat=0\r\n", {}, {{5, "C:\\sound.wav"}}));
  RunningSettings settings;
  settings.WaitForWindow();
  for (int radio : {Id(OptionRadio::SoundOff), Id(OptionRadio::AtRandom), Id(OptionRadio::GreyColours),
                    Id(OptionRadio::NaturalSize), Id(OptionRadio::Delay60s)})
    EXPECT_TRUE(settings.Click(radio));

  Inspector inspector(Session());
  std::map<int, ChildInfo> controls = settings.Controls();
  const auto scroll = [&](int bar, unsigned code) {
    inspector.Send(controls.at(Id(SettingsControl::CustomSizeGroup)).hwnd, kWmHScroll, code,
                   static_cast<std::int64_t>(controls.at(bar).hwnd));
  };
  scroll(Id(SettingsControl::WidthScrollBar), kSbLineRight);
  scroll(Id(SettingsControl::WidthScrollBar), kSbLineRight);
  scroll(Id(SettingsControl::HeightScrollBar), kSbLineLeft);
  const Rect barH = settings.ScreenRect(Id(SettingsControl::HeightScrollBar));
  Click(barH.x + barH.width - 5, barH.y + barH.height / 2);  // its right arrow
  EXPECT_TRUE(WaitFor([&] { return settings.Control(Id(SettingsControl::HeightValue)).text == "26"; }, 5s));

  controls = settings.Controls();
  EXPECT_THAT(CheckedCaptions(controls), ElementsAre("Default Picture Size (Clearest Image)", "Sound OFF", "1 Minute",
                                                     "Black - Gray - Silver - White", "Random"));
  EXPECT_EQ(controls.at(Id(SettingsControl::WidthValue)).text, "27");
  EXPECT_EQ(controls.at(Id(SettingsControl::WidthScrollBar)).scroll->pos, 27);
  EXPECT_EQ(controls.at(Id(SettingsControl::HeightValue)).text, "26");
  EXPECT_EQ(controls.at(Id(SettingsControl::HeightScrollBar)).scroll->pos, 26);

  EXPECT_TRUE(settings.Click(Id(SettingsControl::OkButton)));
  EXPECT_EQ(settings.WaitForExit(15s), 0);
  const std::string written =
      "Status=0\r\nRepeat=0\r\nSound=0\r\nSeq=0\r\nColor=1\r\nPicdis=2\r\nTime=4\r\nHeight=26\r\nWidth=27\r\n";
  EXPECT_EQ(FirstDifference(IniText(), SettingsFileText(written, {}, {{5, "C:\\sound.wav"}})), "");
}

TEST(SettingsWindow, LabelFollowsTheDraggedThumbToTheScreenWidth) {
  const std::string options = "Sound=0\r\nSeq=1\r\nColor=4\r\nPicdis=5\r\nTime=2\r\nHeight=25\r\nWidth=25\r\n";
  WriteWindowsFile(kIni, SettingsFileText(options, {}));
  RunningSettings settings;
  settings.WaitForWindow();
  const Rect bar = settings.ScreenRect(Id(SettingsControl::WidthScrollBar));
  // At its minimum the thumb sits right of the left arrow, both as wide as a system scroll arrow (16 pixels).
  const int middle = bar.y + bar.height / 2;
  MovePointer(bar.x + 24, middle);
  ButtonDown(1);
  MovePointer(bar.x + bar.width / 2, middle);
  // Past the right end, yet near enough for the bar to keep the drag.
  MovePointer(bar.x + bar.width + 8, middle);
  const std::string screenWidth = std::to_string(Session().Screen().width);
  const bool followed =
      WaitFor([&] { return settings.Control(Id(SettingsControl::WidthValue)).text == screenWidth; }, 5s);
  ButtonUp(1);
  EXPECT_TRUE(followed) << "while the thumb is held: " << settings.Control(Id(SettingsControl::WidthValue)).text;
  EXPECT_TRUE(WaitFor(
      [&] { return settings.Control(Id(SettingsControl::WidthScrollBar)).scroll->pos == Session().Screen().width; },
      5s));
  EXPECT_EQ(settings.Control(Id(SettingsControl::WidthValue)).text, screenWidth);
  EXPECT_TRUE(settings.Click(Id(SettingsControl::OkButton)));
  EXPECT_EQ(settings.WaitForExit(15s), 0);
  EXPECT_EQ(FirstDifference(IniText(), SettingsFileText("Sound=0\r\nSeq=1\r\nColor=4\r\nPicdis=5\r\nTime=2\r\n"
                                                        "Height=25\r\nWidth=" +
                                                            screenWidth + "\r\n",
                                                        {})),
            "");
}

TEST(SettingsWindow, OnePictureShowsTheNoteOnOkThenCloses) {
  WriteWindowsFile(kIni, SettingsFileText("Seq=1\r\n", {{7, "C:\\only.jpg"}}));
  RunningSettings settings;
  settings.WaitForWindow();
  EXPECT_FALSE(settings.Click(Id(SettingsControl::OkButton), kOpensABox)) << "OK waits for the note";
  const std::optional<DialogInfo> note = WaitForDialog("Confirm", 10s);
  ASSERT_TRUE(note.has_value());
  EXPECT_THAT(note->statics, ElementsAre("Note: This screensaver will display your pictures at random. If you only "
                                         "enter one picture, the screen will never change as there will be only one "
                                         "picture to choose from."));
  EXPECT_THAT(note->buttons, ElementsAre("OK"));
  EXPECT_THAT(IniText(), StartsWith("[Options]\r\nSeq=1\r\nSound=1\r\nColor=4\r\nPicdis=7\r\nTime=120\r\n"
                                    "Height=25\r\nWidth=25\r\n[JpegConfig]"))
      << "written before the note";
  EXPECT_TRUE(settings.Process().Running());
  ASSERT_TRUE(PressOkOn("Confirm"));
  EXPECT_EQ(settings.WaitForExit(15s), 0);
}

TEST(SettingsWindow, UnwritableFileShowsTheErrorKeepsTheWindowAndOkRetries) {
  const std::string text = SettingsFileText("Sound=0\r\nSeq=1\r\nColor=4\r\nPicdis=4\r\nTime=2\r\n", {});
  WriteWindowsFile(kIni, text);
  RunningSettings settings;
  settings.WaitForWindow();
  UnwritableFile locked(*FindIgnoringCase(WindowsDir(), kIni));
  EXPECT_TRUE(settings.Click(Id(OptionRadio::Delay45s)));
  EXPECT_FALSE(settings.Click(Id(SettingsControl::OkButton), kOpensABox)) << "OK waits for the error box";
  const std::optional<DialogInfo> error = WaitForDialog("Lumora Screensaver", 10s);
  ASSERT_TRUE(error.has_value());
  const std::string path = ToWindowsPath(WindowsDir() / kIni);
  EXPECT_THAT(error->statics, ElementsAre("Unable to write to " + path + "."));
  EXPECT_THAT(error->buttons, ElementsAre("OK"));
  ASSERT_TRUE(PressOkOn("Lumora Screensaver"));
  EXPECT_TRUE(WaitFor([] { return Inspector(Session()).Dialogs().empty(); }, 5s));
  EXPECT_TRUE(settings.Info().visible);
  EXPECT_TRUE(settings.Process().Running());
  EXPECT_EQ(IniText(), text);

  locked.Release();
  EXPECT_TRUE(settings.Click(Id(SettingsControl::OkButton)));
  EXPECT_EQ(settings.WaitForExit(15s), 0);
  EXPECT_EQ(FirstDifference(IniText(), SettingsFileText("Sound=0\r\nSeq=1\r\nColor=4\r\nPicdis=4\r\nTime=3\r\n"
                                                        "Height=25\r\nWidth=25\r\n",
                                                        {})),
            "");
}

// A folder in the place of the file: the window finds no file, and creating it fails at the first write.
TEST(SettingsWindow, FileThatCannotBeCreatedIsReportedAndTheWindowStillOpens) {
  RemoveWindowsFile(kIni);
  std::filesystem::create_directory(WindowsDir() / kIni);
  RunningSettings settings;
  const std::optional<DialogInfo> error = WaitForDialog("Lumora Screensaver", 30s);
  std::filesystem::remove(WindowsDir() / kIni);
  ASSERT_TRUE(error.has_value());
  EXPECT_THAT(error->statics, ElementsAre("Unable to write to " + ToWindowsPath(WindowsDir() / kIni) + "."));
  ASSERT_TRUE(PressOkOn("Lumora Screensaver"));
  settings.WaitForWindow();
  const std::map<int, ChildInfo> controls = settings.Controls();
  EXPECT_THAT(CheckedCaptions(controls), ElementsAre());
  EXPECT_TRUE(controls.at(Id(OptionRadio::SoundOn)).enabled) << "the steps after the failed write are skipped";

  EXPECT_TRUE(settings.Click(Id(SettingsControl::OkButton)));
  EXPECT_EQ(settings.WaitForExit(15s), 0);
  const std::string written = IniText();
  EXPECT_THAT(written, StartsWith("[Options]\r\nSound=0\r\nSeq=0\r\nColor=4\r\nPicdis="));
  EXPECT_THAT(written, ::testing::EndsWith("\r\nTime=120\r\nHeight=25\r\nWidth=25\r\n"));
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 8) << written;
}

TEST(SettingsWindow, HiddenAddPictureButtonPreviewsThePictureAndStoresThePathTyped) {
  ChoosableFiles files;
  const std::string picture = files.Add("Beach.jpg", lumora::JpegFileOf(test::Solid(40, 30, lumora::Rgb{200, 40, 40})));
  const std::string options = "Sound=0\r\nSeq=1\r\n";
  WriteWindowsFile(kIni, SettingsFileText(options, {}));
  RunningSettings settings({.workingDirectory = files.folder});
  settings.WaitForWindow();
  EXPECT_FALSE(settings.Click(Id(SettingsControl::AddPictureButton), kOpensABox)) << "the button waits for the dialog";
  const OpenFileDialog dialog = OpenFileDialog::Wait();
  EXPECT_EQ(dialog.Control(kFileTypeCombo).text, "jpeg (*.jpg)");
  // The dialog lists the current folder, where the picture is the only file; its first item is at the top left.
  const Rect list = dialog.ScreenRect(dialog.OfClass("SysListView32"));
  Click(list.x + 12, list.y + 10);
  const Rect preview = dialog.ScreenRect(dialog.OfClass("LumoraPreview"));
  EXPECT_TRUE(WaitFor(
      [&] {
        return CountPixels(Screenshot(), preview, Rgb{200, 40, 40}, 16) >= 40 * 30;
      },
      5s))
      << "the selected picture in the preview";
  dialog.Choose(picture);
  EXPECT_TRUE(WaitFor(
      [&] {
        return IniText() == SettingsFileText(options, {{1, picture}});
      },
      10s))
      << FirstDifference(IniText(), SettingsFileText(options, {{1, picture}}));
  EXPECT_TRUE(settings.Process().Running());
}

TEST(SettingsWindow, HiddenAddSoundButtonStoresTheFileAndEnablesTheSoundChoice) {
  ChoosableFiles files;
  const std::string sound = files.Add("Waves.wav", std::vector<uint8_t>(64, 0));
  const std::string options = "Sound=0\r\nSeq=1\r\n";
  WriteWindowsFile(kIni, SettingsFileText(options, {}));
  RunningSettings settings;
  settings.WaitForWindow();
  EXPECT_FALSE(settings.Control(Id(OptionRadio::SoundOn)).enabled);
  EXPECT_FALSE(settings.Click(Id(SettingsControl::AddSoundButton), kOpensABox));
  const OpenFileDialog dialog = OpenFileDialog::Wait();
  EXPECT_EQ(dialog.Control(kFileTypeCombo).text, "wav (*.wav);midi (*.mid)");
  dialog.Choose(sound);
  EXPECT_TRUE(WaitFor(
      [&] {
        return IniText() == SettingsFileText(options, {}, {{1, sound}});
      },
      10s))
      << FirstDifference(IniText(), SettingsFileText(options, {}, {{1, sound}}));
  EXPECT_TRUE(WaitFor([&] { return settings.Control(Id(OptionRadio::SoundOn)).enabled; }, 5s));
  EXPECT_TRUE(settings.Control(Id(OptionRadio::SoundOff)).enabled);
  EXPECT_EQ(settings.Control(Id(OptionRadio::SoundOff)).check, 1) << "the choice stays";
}

TEST(SettingsWindow, HiddenAboutButtonShowsTheDisclaimerModally) {
  WriteWindowsFile(kIni, SettingsFileText("Sound=0\r\n", {}));
  RunningSettings settings;
  settings.WaitForWindow();
  Inspector inspector(Session());
  EXPECT_FALSE(settings.Click(Id(SettingsControl::AboutButton), kOpensABox))
      << "About returns only when the disclaimer closes";
  const std::optional<Hwnd> disclaimer = inspector.Find(kDisclaimerWindowClass);
  ASSERT_TRUE(disclaimer.has_value());
  ASSERT_TRUE(WaitFor([&] { return inspector.Window(*disclaimer).visible; }, 5s));
  const WindowInfo window = inspector.Window(*disclaimer);
  EXPECT_TRUE(window.borderless);
  EXPECT_EQ(window.client, window.rect);
  EXPECT_EQ(window.client.width, 514);
  EXPECT_EQ(window.client.height, 312);
  EXPECT_LE(std::abs(2 * window.rect.x + window.rect.width - Session().Screen().width), 1) << window.rect;
  EXPECT_LE(std::abs(2 * window.rect.y + window.rect.height - Session().Screen().height), 1) << window.rect;
  EXPECT_EQ(inspector.ChildById(*disclaimer, Id(DisclaimerControl::DisclaimerGroup))->text, "Disclaimer");
  EXPECT_EQ(inspector.ChildById(*disclaimer, Id(DisclaimerControl::ReturnButton))->text, "Return");
  // Below its group box and left of Return the window shows its own colour.
  EXPECT_TRUE(WaitFor(
      [&] {
        return IsUniform(Screenshot(), {window.client.x + 8, window.client.y + 266, 400, 40}, Rgb{65, 168, 190});
      },
      5s));
  EXPECT_FALSE(settings.Info().enabled);

  ASSERT_TRUE(inspector.Click(inspector.ChildById(*disclaimer, Id(DisclaimerControl::ReturnButton))->hwnd));
  EXPECT_TRUE(WaitFor([&] { return !inspector.Window(*disclaimer).visible; }, 5s));
  EXPECT_TRUE(settings.Info().enabled);
  // OK writes the file and closes the window, which takes over a second on a loaded machine; a window still in
  // a modal loop would not answer at all.
  EXPECT_TRUE(settings.Click(Id(SettingsControl::OkButton), 10s)) << "the settings window answers again";
  EXPECT_EQ(settings.WaitForExit(15s), 0);
}

// In the window's client coordinates, between and beside the panels and group boxes.
constexpr Rect kBackgroundGaps[] = {
    {0, 0, 607, 8},     {0, 0, 11, 374},    {11, 71, 270, 8},  {11, 158, 270, 11},
    {11, 235, 270, 12}, {281, 0, 35, 374},  {585, 0, 22, 335}, {316, 247, 269, 88},
    {0, 355, 607, 19},  {146, 28, 125, 38},  // inside SoundPanel, right of its radio buttons
};

long DrawnPixels(const Image& shot, const Rect& rect) { return PixelsOtherThan(shot, rect, kBackground); }

// Whether the control draws something of its own where it stands: a face, a frame, a bevel or text.
void ExpectDrawn(const Image& shot, const ControlLayout& layout, const Rect& place) {
  const long area = static_cast<long>(place.width) * place.height;
  switch (layout.kind) {
    case ControlKind::Button:
    case ControlKind::ScrollBar:
    case ControlKind::ListBox: EXPECT_GE(DrawnPixels(shot, place), area * 8 / 10) << "its face"; break;
    case ControlKind::RadioButton: EXPECT_GE(DrawnPixels(shot, place), 40) << "its circle and caption"; break;
    case ControlKind::Label: EXPECT_GE(DrawnPixels(shot, place), 10) << "its caption"; break;
    case ControlKind::Panel:
      EXPECT_GE(DrawnPixels(shot, {place.x, place.y, place.width, 1}), place.width * 9 / 10) << "its top bevel";
      EXPECT_GE(DrawnPixels(shot, {place.x, place.y, 1, place.height}), place.height * 9 / 10) << "its left bevel";
      break;
    case ControlKind::GroupBox:
      EXPECT_GE(DrawnPixels(shot, {place.x, place.y + 10, 1, place.height - 10}), (place.height - 10) * 9 / 10)
          << "its frame";
      break;
  }
}

TEST(SettingsWindow, ScreenshotShowsTheControlsWhereTheLayoutPutsThem) {
  MovePointer(0, 0);  // away from the window, so that no tool tip covers it
  WriteWindowsFile(kIni, SettingsFileText("Sound=0\r\nSeq=1\r\nColor=4\r\nPicdis=4\r\nTime=2\r\nHeight=25\r\n"
                                          "Width=25\r\n",
                                          {}));
  RunningSettings settings;
  settings.WaitForWindow();
  const WindowInfo window = settings.Info();
  const std::map<int, ChildInfo> controls = settings.Controls();
  std::map<Hwnd, ChildInfo> byHandle;
  for (const auto& [id, control] : controls) byHandle[control.hwnd] = control;

  // Places of the groups and OK as the window is designed.
  const std::map<int, Rect> groups = {
      {100, {461, 335, 136, 20}}, {200, {316, 12, 269, 235}}, {205, {18, 144, 223, 84}}, {300, {11, 8, 270, 63}},
      {400, {11, 79, 270, 79}},   {500, {11, 247, 270, 102}}, {600, {11, 169, 270, 66}}};
  for (const auto& [id, place] : groups) EXPECT_EQ(controls.at(id).rect, place) << id;

  const Rect client = window.client;
  const auto painted = [&](const Image& shot) {
    for (const Rect& gap : kBackgroundGaps)
      if (!IsUniform(shot, {client.x + gap.x, client.y + gap.y, gap.width, gap.height}, kBackground)) return false;
    return DrawnPixels(shot, ScreenRectOf(byHandle, controls.at(Id(SettingsControl::OkButton)).hwnd, client)) > 0;
  };
  Image shot;
  EXPECT_TRUE(WaitFor([&] { return painted(shot = Screenshot()); }, 5s)) << "the background between the groups";
  const auto path = Session().WorkDir() / (std::string("settings-window-") + ArchName(Session().Arch()) + ".png");
  shot.Crop(window.rect).SavePng(path);
  std::printf("[ screen   ] settings window: %s\n", path.c_str());

  const FormLayout& form = SettingsFormLayout();
  for (const ControlLayout& layout : form.controls) {
    SCOPED_TRACE(layout.id);
    ASSERT_TRUE(controls.count(layout.id));
    const ChildInfo& control = controls.at(layout.id);
    EXPECT_EQ(control.rect, (Rect{layout.left, layout.top, layout.width, layout.height}));
    EXPECT_EQ(control.visible, layout.visible);
    const Hwnd parent = layout.parent ? controls.at(FindControl(form, layout.parent).id).hwnd : settings.Window();
    EXPECT_EQ(control.parent, parent);
    if (layout.kind != ControlKind::ScrollBar && layout.kind != ControlKind::ListBox) {
      EXPECT_EQ(control.text, layout.caption);
    }
    if (control.shown) ExpectDrawn(shot, layout, ScreenRectOf(byHandle, control.hwnd, client));
  }
}

// The settings window as it stands once painted, and the disclaimer window's client area.
struct SettingsLook {
  WindowInfo window;
  std::map<int, ChildInfo> controls;
  std::map<int, Rect> onScreen;  // each control's place on the screen, by id
  Image screen;
  Rect disclaimerClient;
};

SettingsLook LookAtTheSettingsWindow() {
  RunningSettings settings;
  settings.WaitForWindow();
  SettingsLook look{settings.Info(), settings.Controls(), {}, {}, {}};
  std::map<Hwnd, ChildInfo> byHandle;
  for (const auto& [id, control] : look.controls) byHandle[control.hwnd] = control;
  for (const auto& [id, control] : look.controls)
    look.onScreen[id] = ScreenRectOf(byHandle, control.hwnd, look.window.client);
  // Painted once two screenshots a quarter of a second apart agree and OK shows its face.
  const Rect ok = look.onScreen.at(Id(SettingsControl::OkButton));
  EXPECT_TRUE(WaitFor(
      [&] {
        const Image shot = Screenshot();
        const bool same = look.screen.Width() > 0 &&
                          CountDifferences(shot, look.window.rect, look.screen.Crop(look.window.rect)) == 0;
        look.screen = shot;
        return same && DrawnPixels(shot, ok) > ok.width * ok.height / 2;
      },
      10s, 250ms));
  Inspector inspector(Session());
  look.disclaimerClient = inspector.Window(*inspector.Find(kDisclaimerWindowClass)).client;
  EXPECT_TRUE(settings.Click(Id(SettingsControl::OkButton)));
  EXPECT_EQ(settings.WaitForExit(15s), 0);
  return look;
}

// The rows from the top of the tallest letter to the bottom of the lowest in a label on the window's colour.
int InkHeight(const Image& screen, const Rect& label) {
  int first = -1, last = -1;
  for (int y = label.y; y < label.y + label.height; ++y)
    if (DrawnPixels(screen, {label.x, y, label.width, 1}) > 0) {
      if (first < 0) first = y;
      last = y;
    }
  return first < 0 ? 0 : last - first + 1;
}

// Whether `scaled` is one and a half times `designed`, within a pixel.
bool OneAndAHalfTimes(int scaled, int designed) { return std::abs(2 * scaled - 3 * designed) <= 2; }

// The two windows side by side on white, as the README shows them.
Image SideBySide(const Image& left, const Image& right) {
  constexpr int kMargin = 16;
  Image both(left.Width() + right.Width() + 3 * kMargin, std::max(left.Height(), right.Height()) + 2 * kMargin,
             Rgb{255, 255, 255});
  for (const auto& [image, x0] : {std::pair{&left, kMargin}, std::pair{&right, 2 * kMargin + left.Width()}})
    for (int y = 0; y < image->Height(); ++y)
      for (int x = 0; x < image->Width(); ++x) both.Set(x0 + x, kMargin + y, image->At(x, y));
  return both;
}

TEST(SettingsWindow, OnADisplayOf144DpiTheWindowItsControlsAndItsTextAreOneAndAHalfTimesAsLarge) {
  MovePointer(0, 0);
  WriteWindowsFile(kIni, SettingsFileText("Sound=0\r\nSeq=1\r\nColor=4\r\nPicdis=4\r\nTime=2\r\nHeight=25\r\n"
                                          "Width=25\r\n",
                                          {}));
  const SettingsLook at96 = LookAtTheSettingsWindow();
  SettingsLook at144;
  {
    DisplayDpi dpi(144);
    ASSERT_EQ(Inspector(Session()).Screen().dpi, 144);
    at144 = LookAtTheSettingsWindow();
  }
  EXPECT_EQ(at144.window.client.width, 911);
  EXPECT_EQ(at144.window.client.height, 561);
  EXPECT_EQ(at144.disclaimerClient.width, 771);
  EXPECT_EQ(at144.disclaimerClient.height, 468);
  EXPECT_LE(std::abs(2 * at144.window.rect.x + at144.window.rect.width - Session().Screen().width), 1);

  const auto path = Session().WorkDir() / "settings-96-144dpi.png";
  const Image both = SideBySide(at96.screen.Crop(at96.window.rect), at144.screen.Crop(at144.window.rect));
  both.SavePng(path);
  std::printf("[ screen   ] settings window at 96 and 144 DPI: %s\n", path.c_str());
  if (const char* folder = std::getenv("LUMORA_E2E_SCREENSHOTS"))
    both.SavePng(std::filesystem::path(folder) / "settings-96-144dpi.png");

  for (const ControlLayout& layout : SettingsFormLayout().controls) {
    if (!layout.visible) continue;
    SCOPED_TRACE(layout.id);
    const Rect designed = at96.controls.at(layout.id).rect, scaled = at144.controls.at(layout.id).rect;
    EXPECT_TRUE(OneAndAHalfTimes(scaled.x, designed.x) && OneAndAHalfTimes(scaled.y, designed.y) &&
                OneAndAHalfTimes(scaled.width, designed.width) && OneAndAHalfTimes(scaled.height, designed.height))
        << scaled << " at 144 DPI, " << designed << " at 96";
    if (layout.kind != ControlKind::Label) continue;
    const int height96 = InkHeight(at96.screen, at96.onScreen.at(layout.id));
    const int height144 = InkHeight(at144.screen, at144.onScreen.at(layout.id));
    EXPECT_GT(height96, 0);
    EXPECT_TRUE(OneAndAHalfTimes(height144, height96))
        << "text " << height144 << " pixels high, at 96 DPI " << height96;
  }
}

}  // namespace
}  // namespace lumora::e2e
