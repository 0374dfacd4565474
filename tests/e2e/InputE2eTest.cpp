// Ending the show under Wine: which input ends it, and the Windows 9x password check.
#include <X11/keysym.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "SaverRun.h"
#include "support/JpegEncoder.h"
#include "support/ShowFixture.h"

namespace lumora::e2e {
namespace {

using namespace std::chrono_literals;

// Two pictures in stretch mode, eight seconds apart, so a running show keeps changing the screen.
void PrepareShow() {
  ShowFiles files;
  const std::string red = files.AddPicture("red.bmp", test::Solid(16, 16, lumora::Rgb{200, 0, 0}));
  const std::string blue = files.AddPicture("blue.bmp", test::Solid(16, 16, lumora::Rgb{0, 0, 200}));
  WriteWindowsFile("lumora.ini", SettingsFileText("Sound=0\r\nPicdis=1\r\nTime=8\r\n", {{1, red}, {2, blue}}));
}

bool ShowsColour(Rgb colour) { return IsUniform(Screenshot(), {0, 0, 50, 50}, colour); }

// A saver that has shown its first picture and has the keyboard.
struct ShownSaver {
  explicit ShownSaver(const WineRunOptions& options = {}) : saver(options) {
    saver.WaitForWindow();
    if (!WaitFor([] { return ShowsColour(Rgb{200, 0, 0}); }, 10s)) throw HarnessError("the first picture never came");
  }
  bool EndsCleanly() {
    const std::optional<int> code = saver.WaitForExit(10s);
    return code == 0 && !Inspector(Session()).ScreensaverRunning();
  }
  RunningSaver saver;
};

struct Input {
  std::string name;
  std::function<void()> beforeStart;
  std::function<void()> whileShowing;
};

TEST(EndingTheShow, KeysAndEachMouseButtonEndIt) {
  PrepareShow();
  const auto nothing = [] {};
  const std::vector<Input> inputs = {
      {"key press", nothing, [] { KeyDown(XK_space); }},
      // A key held down as the saver starts: only its release reaches the saver. Shift, because it does not
      // repeat while held.
      {"key release alone", [] { KeyDown(XK_Shift_L); }, [] { KeyUp(XK_Shift_L); }},
      {"Alt with a key", nothing, [] { TapKey(XK_F4, {XK_Alt_L}); }},
      {"left button", nothing, [] { ButtonDown(1); }},
      {"middle button", nothing, [] { ButtonDown(2); }},
      {"right button", nothing, [] { ButtonDown(3); }},
  };
  const auto releaseAll = [] {
    for (KeySymbol key : {XK_space, XK_Shift_L, XK_Alt_L, XK_F4}) KeyUp(key);
    for (int button : {1, 2, 3}) ButtonUp(button);
  };
  for (const Input& input : inputs) {
    input.beforeStart();
    try {
      ShownSaver shown;
      input.whileShowing();
      EXPECT_TRUE(shown.EndsCleanly()) << input.name;
    } catch (const HarnessError& error) { ADD_FAILURE() << input.name << ": " << error.what(); }
    releaseAll();
  }
}

TEST(EndingTheShow, PointerMotionAcrossTheScreenDoesNot) {
  PrepareShow();
  ShownSaver shown;
  const int width = Session().Screen().width, height = Session().Screen().height;
  for (int step = 0; step <= 20; ++step) MovePointer(step * (width - 1) / 20, step * (height - 1) / 20);
  for (int step = 0; step <= 20; ++step) MovePointer(width - 1 - step * (width - 1) / 20, step * (height - 1) / 20);
  EXPECT_TRUE(WaitFor([] { return ShowsColour(Rgb{0, 0, 200}); }, 15s)) << "the show goes on to its second picture";
  EXPECT_TRUE(shown.saver.Process().Running());
  EXPECT_TRUE(Inspector(Session()).ScreensaverRunning());
}

// A picture file that never gives its bytes (turned into a pipe that nobody writes to once the show has started)
// holds the worker up for good: the tick that waits for it still handles a key, which ends the show, and the
// process ends a second later without the worker, the running flag cleared.
TEST(EndingTheShow, AFileThatNeverAnswersDoesNotHoldUpTheEnd) {
  ShowFiles files;
  const std::string first = files.AddPicture("first.bmp", test::Solid(16, 16, lumora::Rgb{200, 0, 0}));
  const std::filesystem::path silent = Session().DriveC() / "silent.jpg";
  lumora::WriteFile(silent.string(), lumora::JpegFileOf(test::Solid(16, 16, lumora::Rgb{0, 0, 200})));
  WriteWindowsFile("lumora.ini", SettingsFileText("Sound=0\r\nPicdis=1\r\n", {{1, first}, {2, ToWindowsPath(silent)}}));
  RunningSaver saver;
  const Hwnd window = saver.WaitForWindow();
  std::filesystem::remove(silent);
  ASSERT_EQ(mkfifo(silent.c_str(), 0600), 0);
  const int writer = open(silent.c_str(), O_RDWR);  // there is a writer, so the saver's reads wait instead of ending
  ASSERT_GE(writer, 0);
  Inspector inspector(Session());
  inspector.Post(window, 0x113, 1, 0);  // WM_TIMER: the first picture, then the second one's preparation starts
  inspector.Post(window, 0x113, 1, 0);  // a tick that waits for the second picture
  TapKey(XK_Escape);
  EXPECT_EQ(saver.WaitForExit(10s), std::optional<int>(0));
  EXPECT_FALSE(inspector.ScreensaverRunning());
  close(writer);
  std::filesystem::remove(silent);
}

// A listed file on a share that stops answering once the show runs: a library preloaded into Wine holds every
// lookup of the file from the window's thread while a flag file exists (the worker still reads it). The tick that
// takes that picture handles a key at once, which ends the show.
TEST(EndingTheShow, AFileOnAShareThatStopsAnsweringDoesNotHoldUpTheWindow) {
  const std::filesystem::path preload = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "preload";
  ShowFiles files;
  const std::string first = files.AddPicture("first.bmp", test::Solid(16, 16, lumora::Rgb{200, 0, 0}));
  const std::string held = files.AddPicture("on-a-share.bmp", test::Solid(16, 16, lumora::Rgb{0, 0, 200}));
  WriteWindowsFile("lumora.ini", SettingsFileText("Sound=0\r\nPicdis=1\r\nTime=120\r\n", {{1, first}, {2, held}}));
  const std::filesystem::path flag = Session().RunDir() / "share-stopped";  // the run's own, and gone with it
  ShownSaver shown({.environment = {{"LD_PRELOAD", (preload / "$LIB/liblumora_hold_lookups.so").string()},
                                    {"LUMORA_HOLD_WHILE", flag.string()},
                                    {"LUMORA_HOLD_PATHS_WITH", "on-a-share"}}});
  std::ofstream{flag};                                                  // the share stops answering
  Inspector(Session()).Post(shown.saver.WaitForWindow(), 0x113, 1, 0);  // WM_TIMER: the tick that takes it
  TapKey(XK_Escape);
  EXPECT_TRUE(shown.EndsCleanly());
  // Without the library of the saver's build (the 32-bit one needs the 32-bit C library), nothing was held.
  EXPECT_GT(std::filesystem::file_size(flag), 0u) << "no lookup of the file was held: " << preload;
}

// Input that does not end the show, or a refused Windows 98 password, coming while the next photo decodes leaves
// that photo whole: the photos, 3000 x 2000, are stretched over the screen, and the input comes right after
// the tick that starts the next one's decode.
TEST(InputDuringADecode, LeavesThePictureWhole) {
  const auto nothing = [] {};
  const struct {
    std::string name;
    bool windows98;
    std::function<void()> beforeStart, afterTick;
  } rows[] = {
      {"wheel turns", false, nothing,
       [] {
         for (int turn = 0; turn < 4; ++turn)
           for (int button : {4, 5}) ButtonDown(button), ButtonUp(button);
       }},
      {"a button's release alone", false, [] { ButtonDown(1); }, [] { ButtonUp(1); }},
      {"a refused password", true, nothing, [] { Click(300, 300, 1); }},
  };
  for (const auto& row : rows) {
    ClearTestDllFiles();  // the password log of the tests before
    std::optional<Windows98> windows98;
    if (row.windows98) windows98.emplace("1");
    WritePasswordAnswers({false, true});
    ShowFiles files;
    std::vector<std::string> photos;
    for (uint8_t blue : {40, 160})
      photos.push_back(files.AddFile("photo" + std::to_string(blue) + ".jpg",
                                     EncodeJpegRows(3000, 2000, SampleLayout::Rgb, [blue](int y, uint8_t* row) {
                                       for (int x = 0; x < 3000; ++x) {
                                         row[3 * x] = static_cast<uint8_t>(x / 12);
                                         row[3 * x + 1] = static_cast<uint8_t>(y / 8);
                                         row[3 * x + 2] = blue;
                                       }
                                     })));
    const std::string settings =
        SettingsFileText("Sound=0\r\nPicdis=1\r\nTime=120\r\n", {{1, photos[0]}, {2, photos[1]}});
    WriteWindowsFile("lumora.ini", settings);
    row.beforeStart();
    RunningSaver saver;
    const Hwnd window = saver.WaitForWindow();
    const Image first = ExpectedFrame(settings, files, 1);
    EXPECT_EQ(CountDifferences(WaitForScreen(first, 15s), first.Bounds(), first), 0) << row.name;
    Inspector(Session()).Post(window, 0x113, 1, 0);  // WM_TIMER
    row.afterTick();
    // The refusal first, then the screen: the picture must be whole after it.
    const size_t checks = row.windows98 ? 1 : 0;
    EXPECT_TRUE(WaitFor([&] { return ReadPasswordLog().size() == checks; }, 10s)) << row.name;
    const Image second = ExpectedFrame(settings, files, 2);
    EXPECT_EQ(CountDifferences(WaitForScreen(second, 15s), second.Bounds(), second), 0) << row.name;
    EXPECT_TRUE(saver.Process().Running()) << row.name;
    TapKey(XK_Escape);
    EXPECT_EQ(saver.WaitForExit(10s), std::optional<int>(0)) << row.name;
  }
}

TEST(PasswordCheck, RefusedPasswordKeepsTheShowGoingUntilTheRightOne) {
  Windows98 windows98("1");
  WritePasswordAnswers({false, true});
  PrepareShow();
  ShownSaver shown;
  // A button press is one input message; its release is none. (A key's press and release would be two checks.)
  Click(300, 300, 1);
  ASSERT_TRUE(WaitFor([] { return ReadPasswordLog().size() == 1; }, 10s)) << "the password was asked for";
  EXPECT_FALSE(shown.saver.WaitForExit(2s).has_value()) << "a refused password keeps the show going";
  MovePointer(200, 200);
  EXPECT_TRUE(WaitFor([] { return !CursorVisible(); }, 5s)) << "the cursor is hidden again";
  EXPECT_TRUE(WaitFor([] { return ShowsColour(Rgb{0, 0, 200}); }, 15s)) << "pictures still change";

  KeyDown(XK_a);
  EXPECT_TRUE(shown.EndsCleanly());
  KeyUp(XK_a);
  const std::vector<PasswordCheck> checks = ReadPasswordLog();
  ASSERT_EQ(checks.size(), 2u);
  EXPECT_EQ(checks[0].ownerClass, kSaverWindowClass);
  EXPECT_EQ(checks[0].ownerTitle, kSaverWindowTitle);
  EXPECT_FALSE(checks[0].answer);
  EXPECT_TRUE(checks[1].answer);
}

TEST(PasswordCheck, WithoutAPasswordSetTheFirstPressEndsTheShow) {
  for (std::optional<std::string> setting : {std::optional<std::string>("0"), std::optional<std::string>()}) {
    Windows98 windows98(setting);
    PrepareShow();
    ShownSaver shown;
    TapKey(XK_b);
    EXPECT_TRUE(shown.EndsCleanly()) << setting.value_or("absent");
    EXPECT_TRUE(ReadPasswordLog().empty());
  }
}

// A setting stored as text or four bytes of binary data still counts by its number; other types count as none.
TEST(PasswordCheck, SettingsOfOtherTypesCountByTheNumberTheyHold) {
  const struct {
    const char* type;
    const char* data;
    bool asked;
  } settings[] = {
      {"REG_SZ", "1", true}, {"REG_BINARY", "01000000", true}, {"REG_SZ", "0", false}, {"REG_MULTI_SZ", "1", false}};
  for (const auto& setting : settings) {
    Windows98 windows98(setting.data, setting.type);
    WritePasswordAnswers({true});
    PrepareShow();
    ShownSaver shown;
    Click(300, 300, 1);
    EXPECT_TRUE(shown.EndsCleanly()) << setting.type << " " << setting.data;
    EXPECT_EQ(ReadPasswordLog().size(), setting.asked ? 1u : 0u) << setting.type << " " << setting.data;
  }
}

// A fault inside a library the saver loaded ends it at once, without a dialog, and the system no longer
// believes a screensaver runs.
TEST(PasswordCheck, AFaultInsideThePasswordLibraryEndsTheSaverWithTheRunningFlagCleared) {
  Windows98 windows98("1");
  WritePasswordScript({"crash"});
  PrepareShow();
  ShownSaver shown;
  Click(300, 300, 1);
  const std::optional<int> code = shown.saver.WaitForExit(10s);
  ASSERT_TRUE(code.has_value()) << "the saver ended";
  EXPECT_NE(*code, 0);
  Inspector inspector(Session());
  EXPECT_FALSE(inspector.ScreensaverRunning());
  EXPECT_TRUE(inspector.Dialogs().empty()) << "no crash dialog";
  EXPECT_EQ(ReadFile(TestDllFolder() / "password.log"), "crash\n") << "the fault came from inside the library";
}

TEST(PasswordCheck, WithoutThePasswordLibraryTheFirstPressEndsTheShow) {
  Windows98 windows98("1");
  PrepareShow();
  RunningSaver saver({.dllOverrides = {kMissingPasswordCpl}});
  saver.WaitForWindow();
  ASSERT_TRUE(WaitFor([] { return ShowsColour(Rgb{200, 0, 0}); }, 10s));
  ButtonDown(1);
  ButtonUp(1);
  EXPECT_EQ(saver.WaitForExit(10s), 0);
  EXPECT_TRUE(ReadPasswordLog().empty());
}

}  // namespace
}  // namespace lumora::e2e
