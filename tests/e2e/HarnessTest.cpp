// The harness's own tests, against testwindow.exe from tests/e2e/win.
#include <X11/keysym.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "harness/Harness.h"
#include "win/TestWindowFacts.h"

namespace lumora::e2e {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

using namespace test_window;
constexpr Rgb kTestWindowColour{kRed, kGreen, kBlue};
constexpr int kIdYes = 6;

// One testwindow.exe for one test, logging into a file of its own; closed (or killed) at the end.
class TestWindow {
 public:
  explicit TestWindow(const std::vector<std::string>& options = {}, const WineRunOptions& run = {},
                      const std::filesystem::path& program = {})
      : log_(Session().NewLogPath("testwindow-input", "log")), process_(Start(options, run, program)) {
    if (!WaitFor([&] { return Log().find("started hwnd=") != std::string::npos; }, 30s)) {
      throw HarnessError("testwindow.exe did not start; stderr: " + process_.Stderr());
    }
    const std::string log = Log();
    handle_ = std::stoull(log.substr(log.find("started hwnd=") + 13), nullptr, 16);
  }

  ~TestWindow() {
    if (!process_.Running()) return;
    try {
      Inspector(Session()).Close(handle_);
    } catch (const HarnessError&) {
      // Killed below instead.
    }
    if (!process_.Wait(5s)) process_.Kill();
  }

  Hwnd Handle() const { return handle_; }
  WineProcess& Process() { return process_; }
  std::string Log() const { return ReadFile(log_); }
  bool Logged(const std::string& line) const {
    const auto lines = Lines();
    return std::ranges::find(lines, line) != lines.end();
  }
  bool WaitForLine(const std::string& line) const {
    return WaitFor([&] { return Logged(line); }, 5s);
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::istringstream text(Log());
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
  }

 private:
  WineProcess Start(std::vector<std::string> options, const WineRunOptions& run, const std::filesystem::path& program) {
    options.insert(options.begin(), ToWindowsPath(log_));
    if (!program.empty()) return StartScr(options, run, program);
    // Of the saver's own build, so that it loads the test libraries the saver would.
    return Session().Start(Session().SaverToolPath("testwindow.exe").string(), options, run);
  }

  std::filesystem::path log_;
  WineProcess process_;
  Hwnd handle_ = 0;
};

ChildInfo ChildWithId(const std::vector<ChildInfo>& children, int id) {
  const auto child = std::ranges::find(children, id, &ChildInfo::id);
  if (child == children.end()) throw HarnessError("no child with id " + std::to_string(id));
  return *child;
}

TEST(HarnessSession, AnyScreenHasTheRequestedSizeForXAndForWindowsPrograms) {
  const Image shot = Screenshot();
  EXPECT_EQ(shot.Width(), Session().Screen().width);
  EXPECT_EQ(shot.Height(), Session().Screen().height);
  const ScreenInfo screen = Inspector(Session()).Screen();
  EXPECT_EQ(screen.width, Session().Screen().width);
  EXPECT_EQ(screen.height, Session().Screen().height);
  EXPECT_EQ(screen.bitsPerPixel, 32);  // Wine reports 24-bit X visuals as 32 bits per pixel
}

// One resident inspector answers command after command: a value with a tab and a line end set, read and deleted
// through it, with a failed command between.
TEST(HarnessInspector, ServesCommandsOneAfterAnotherTheRegistryAmongThem) {
  constexpr char kKey[] = "HKCU\\Software\\Lumora harness";
  Session().SetRegistryValue(kKey, "Text", "REG_SZ", "a\tb\nc");
  EXPECT_EQ(Session().RegistryValue(kKey, "Text"), "a\tb\nc");
  EXPECT_THROW(Inspector(Session()).Window(0x1), HarnessError);
  Session().DeleteRegistryValue(kKey, "Text");
  EXPECT_EQ(Session().RegistryValue(kKey, "Text"), std::nullopt);
}

TEST(HarnessInspector, FindsTheTestWindowAndReadsItsFacts) {
  TestWindow window;
  Inspector inspector(Session());
  EXPECT_EQ(inspector.Find(test_window::kClassName), window.Handle());
  EXPECT_EQ(inspector.Find("*", test_window::kTitle), window.Handle());
  EXPECT_EQ(inspector.Find(test_window::kClassName, "Another title"), std::nullopt);
  const WindowInfo info = inspector.Window(window.Handle());
  EXPECT_EQ(info.className, test_window::kClassName);
  EXPECT_EQ(info.text, test_window::kTitle);
  EXPECT_FALSE(info.borderless);
  EXPECT_FALSE(info.topmost);
  EXPECT_TRUE(info.visible);
  EXPECT_TRUE(info.enabled);
  EXPECT_EQ(info.rect, (Rect{120, 90, 400, 300}));
  EXPECT_EQ(inspector.Foreground(), window.Handle());
}

TEST(HarnessInspector, ListsChildrenWithTheirStateIncludingHiddenOnes) {
  TestWindow window;
  const auto children = Inspector(Session()).Children(window.Handle());
  ASSERT_EQ(children.size(), 6u);
  const ChildInfo hidden = ChildWithId(children, kHiddenButtonId);
  EXPECT_EQ(hidden.className, "Button");
  EXPECT_EQ(hidden.text, "Hidden button");
  EXPECT_FALSE(hidden.visible);
  EXPECT_FALSE(hidden.shown);
  EXPECT_EQ(hidden.parent, window.Handle());
  EXPECT_EQ(hidden.rect, (Rect{250, 10, 120, 25}));
  EXPECT_EQ(ChildWithId(children, kEditId).text, "Edit text");
  EXPECT_FALSE(ChildWithId(children, kLabelId).enabled);
  EXPECT_TRUE(ChildWithId(children, kEditId).enabled);
  EXPECT_EQ(ChildWithId(children, kCheckBoxId).check, 1);
  EXPECT_EQ(ChildWithId(children, kAskButtonId).check, 0);
  const auto scroll = ChildWithId(children, kScrollBarId).scroll;
  ASSERT_TRUE(scroll.has_value());
  EXPECT_EQ(scroll->pos, 17);
  EXPECT_EQ(scroll->min, 0);
  EXPECT_EQ(scroll->max, 50);
}

TEST(HarnessInspector, ClicksAHiddenButton) {
  TestWindow window;
  Inspector inspector(Session());
  EXPECT_TRUE(inspector.Click(ChildWithId(inspector.Children(window.Handle()), kHiddenButtonId).hwnd));
  EXPECT_TRUE(window.Logged("command " + std::to_string(kHiddenButtonId)));
  EXPECT_EQ(inspector.Window(window.Handle()).text, "Lumora harness window (clicked)");
}

TEST(HarnessInspector, SeesAMessageBoxAndWineTracesItsText) {
  TestWindow window({}, WineRunOptions{.debugChannels = {"trace+msgbox"}});
  Inspector inspector(Session());
  EXPECT_FALSE(inspector.Click(ChildWithId(inspector.Children(window.Handle()), kAskButtonId).hwnd, 300ms))
      << "the click's handler should still be in the modal message box";
  std::vector<DialogInfo> dialogs;
  ASSERT_TRUE(WaitFor([&] { return !(dialogs = inspector.Dialogs()).empty(); }, 5s));
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].caption, "Harness question");
  EXPECT_EQ(dialogs[0].owner, window.Handle());
  EXPECT_THAT(dialogs[0].statics, ElementsAre("Do you see this question?"));
  EXPECT_THAT(dialogs[0].buttons, ElementsAre("&Yes", "&No"));
  EXPECT_THAT(window.Process().Stderr(), HasSubstr("Do you see this question?"));
  inspector.Click(ChildWithId(inspector.Children(dialogs[0].hwnd), kIdYes).hwnd);
  EXPECT_TRUE(window.WaitForLine("answer 6"));
  EXPECT_TRUE(inspector.Dialogs().empty());
}

TEST(HarnessScreen, AnyScreenScreenshotShowsTheColouredClientAreaWhereWindowsPutIt) {
  TestWindow window;
  const Rect client = Inspector(Session()).Window(window.Handle()).client;
  const Rect freeArea{client.x, client.y, 240, client.height};  // the controls sit to the right of it
  EXPECT_TRUE(WaitFor([&] { return IsUniform(Screenshot(), freeArea, kTestWindowColour); }, 5s));
  EXPECT_EQ(BoundingBoxOf(Screenshot(), kTestWindowColour), client);
}

TEST(HarnessScreen, SavesScreenshotsAsPng) {
  const auto path = Session().NewLogPath("screenshot", "png");
  Screenshot().SavePng(path);
  const std::string png = ReadFile(path);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
}

TEST(HarnessInput, KeysAndButtonsReachTheTestWindow) {
  TestWindow window;
  const Rect client = Inspector(Session()).Window(window.Handle()).client;
  Click(client.x + 50, client.y + 60, 1);
  Click(client.x + 51, client.y + 61, 3);
  Click(client.x + 52, client.y + 62, 2);
  TapKey(XK_a);
  TapKey(XK_x, {XK_Alt_L});
  EXPECT_TRUE(window.WaitForLine("syskeydown vk=0x58 alt=1"));
  EXPECT_TRUE(window.Logged("lbuttondown 50,60"));
  EXPECT_TRUE(window.Logged("rbuttondown 51,61"));
  EXPECT_TRUE(window.Logged("mbuttondown 52,62"));
  EXPECT_TRUE(window.Logged("keydown vk=0x41"));
}

TEST(HarnessInput, CursorHiddenByAProgramIsSeenOnTheXServerAndByWindowsPrograms) {
  Inspector inspector(Session());
  {
    TestWindow window;
    const Rect client = inspector.Window(window.Handle()).client;
    MovePointer(client.x + 20, client.y + 20);
    EXPECT_TRUE(WaitFor([] { return CursorVisible(); }, 5s));
    EXPECT_TRUE(inspector.Cursor().showing);
  }
  TestWindow window({"--hide-cursor"});
  const Rect client = inspector.Window(window.Handle()).client;
  MovePointer(client.x + 30, client.y + 30);
  EXPECT_TRUE(WaitFor([] { return !CursorVisible(); }, 5s));
  EXPECT_FALSE(inspector.Cursor().showing);
}

TEST(HarnessInspector, ReadsTheScreensaverRunningFlagOfAnotherProgram) {
  Inspector inspector(Session());
  inspector.SetScreensaverRunning(false);
  EXPECT_FALSE(inspector.ScreensaverRunning());
  {
    TestWindow window({"--screensaver-running"});
    EXPECT_TRUE(inspector.ScreensaverRunning());
  }
  EXPECT_TRUE(WaitFor([&] { return !inspector.ScreensaverRunning(); }, 5s));
}

TEST(HarnessDlls, TestMprIsLoadedOnlyWithTheNativeOverride) {
  ClearTestDllFiles();
  const auto mpr = InstallTestMpr();
  {
    TestWindow window({"--call-mpr"}, WineRunOptions{.dllOverrides = {kNativeMpr}});
    EXPECT_TRUE(window.Logged("mpr result=0"));
    const auto calls = ReadMprLog();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].provider, "SCRSAVE");
    EXPECT_EQ(calls[0].owner, window.Handle());
    EXPECT_EQ(calls[0].reserved1, 0u);
    EXPECT_EQ(calls[0].ownerClass, test_window::kClassName);
  }
  {
    TestWindow window({"--call-mpr"});
    EXPECT_TRUE(window.Logged("mpr result=0")) << "Wine's builtin stub answers";
    EXPECT_EQ(ReadMprLog().size(), 1u) << "the builtin, not the installed file, was loaded";
  }
  TestWindow window({"--call-mpr"}, WineRunOptions{.dllOverrides = {kMissingMpr}});
  EXPECT_TRUE(window.Logged("mpr missing error=126"));
}

TEST(HarnessDlls, TestPasswordCplAnswersFromTheScriptAndLogsTheOwner) {
  ClearTestDllFiles();
  {
    const auto cpl = InstallTestPasswordCpl();
    WritePasswordAnswers({true, false});
    for (const char* expected : {"password result=1", "password result=0", "password result=0"}) {
      TestWindow window({"--call-password"});
      EXPECT_TRUE(window.Logged(expected));
    }
    const auto checks = ReadPasswordLog();
    ASSERT_EQ(checks.size(), 3u);
    EXPECT_TRUE(checks[0].answer);
    EXPECT_FALSE(checks[1].answer);
    EXPECT_FALSE(checks[2].answer);
    EXPECT_EQ(checks[0].ownerClass, test_window::kClassName);
    EXPECT_EQ(checks[0].ownerTitle, test_window::kTitle);
    TestWindow disabled({"--call-password"}, WineRunOptions{.dllOverrides = {kMissingPasswordCpl}});
    EXPECT_TRUE(disabled.Logged("password missing error=126"));
  }
  TestWindow removed({"--call-password"});
  EXPECT_TRUE(removed.Logged("password missing error=126"));
}

TEST(HarnessFiles, ToWindowsPathMapsDriveCAndEverythingElse) {
  EXPECT_EQ(ToWindowsPath("/p/drive_c", "/p/drive_c/windows/lumora.ini"), "C:\\windows\\lumora.ini");
  EXPECT_EQ(ToWindowsPath("/p/drive_c", "/p/drive_c"), "C:\\");
  EXPECT_EQ(ToWindowsPath("/p/drive_c", "/p/drive_c/a/../b.scr"), "C:\\b.scr");
  EXPECT_EQ(ToWindowsPath("/p/drive_c", "/p/drive_cx/b.scr"), "Z:\\p\\drive_cx\\b.scr");
  EXPECT_EQ(ToWindowsPath("/p/drive_c", "/tmp/a b/c.scr"), "Z:\\tmp\\a b\\c.scr");
}

TEST(HarnessFiles, WindowsFilesAreFoundIgnoringCase) {
  WriteWindowsFile("HARNESS.INI", "[Section]\r\nKey=1\r\n");
  EXPECT_EQ(ReadWindowsFile("harness.ini"), "[Section]\r\nKey=1\r\n");
  WriteWindowsFile("harness.ini", "replaced");
  EXPECT_EQ(ReadWindowsFile("Harness.Ini"), "replaced");
  RemoveWindowsFile("HARNESS.ini");
  EXPECT_EQ(ReadWindowsFile("harness.ini"), std::nullopt);
}

TEST(HarnessScr, ProgramsRunFromACopyWithAnotherNameUnderTheWindowsFolder) {
  const auto copy = WindowsDir() / "Harness Copy.scr";
  std::filesystem::copy_file(Session().ToolPath("testwindow.exe"), copy,
                             std::filesystem::copy_options::overwrite_existing);
  {
    TestWindow window({}, {}, copy);
    EXPECT_TRUE(window.Process().Running());
    EXPECT_EQ(Inspector(Session()).Find(test_window::kClassName), window.Handle());
  }
  EXPECT_EQ(RunScr({}, 30s, {}, copy), 2) << "testwindow.exe ends with 2 when it has no log file";
  std::filesystem::remove(copy);
}

}  // namespace
}  // namespace lumora::e2e
