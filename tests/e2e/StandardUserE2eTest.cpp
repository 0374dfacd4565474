// A standard user of Windows: Wine run by a Unix user who owns the prefix but, once setup has run as the owner of
// everything, not the Windows directory (LUMORA_E2E_STANDARD_USER=1). The settings window and both list tools
// change the settings file that setup let every user change; with the file closed to them too, each says so and
// leaves it as it was.
#include <X11/keysym.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SaverRun.h"
#include "SettingsWindowRun.h"
#include "harness/Prefix.h"
#include "settings_window/SettingsControls.h"
#include "support/ShowFixture.h"

namespace lumora::e2e {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr char kIniPath[] = "C:\\windows\\lumora.ini";
constexpr char kNotAllowed[] =
    "This user may not change Lumora's settings file C:\\windows\\lumora.ini. Running Lumora's setup once, as an "
    "administrator, allows it. Nothing was changed.";

std::string Settings() { return ReadFile(FromWindowsPath(kIniPath)); }

class StandardUser : public ::testing::Test {
 protected:
  // Setup lists a folder of two pictures (one would bring the settings window's note on OK), then the Windows
  // directory closes.
  static void SetUpTestSuite() {
    if (!Session().StandardUser() || !HostRuns32BitWine()) return;
    ShowFiles files;
    files.AddPicture("standard/a.bmp", test::Solid(8, 6, lumora::Rgb{10, 20, 30}));
    files.AddPicture("standard/d.bmp", test::Solid(8, 6, lumora::Rgb{20, 30, 40}));
    files.AddPicture("standard-more/b.bmp", test::Solid(8, 6, lumora::Rgb{40, 50, 60}));
    installed_ =
        Session().Run(Session().InstallerPath().string(), {"/S", "/PICTURES=C:\\lumora-files\\standard"}, 120s) == 0;
    Session().CloseWindowsDirectory();
  }
  void SetUp() override {
    if (!Session().StandardUser()) GTEST_SKIP() << "for a standard user's session (LUMORA_E2E_STANDARD_USER=1)";
    if (!HostRuns32BitWine()) GTEST_SKIP() << "setup, a 32-bit program, cannot run on this host";
    ASSERT_TRUE(installed_) << "setup, run as the owner of everything, failed";
  }
  static void Allow(bool allowed) { Session().AllowStandardUserToWrite(FromWindowsPath(kIniPath), allowed); }

  static inline bool installed_ = false;
};

TEST_F(StandardUser, TheListToolsChangeTheFileTheyMayWriteAndSaySoWhenTheyMayNot) {
  struct Row {
    std::vector<std::string> arguments;
    const char* newPicture;  // added to the pictures folder first
  };
  const Row kRows[] = {
      {{"--pictures", "C:\\lumora-files\\standard-more"}, nullptr},
      {{"--append", "--pictures", "C:\\lumora-files\\standard"}, nullptr},
      {{"--refresh"}, "standard/c.bmp"},
  };
  for (const Row& row : kRows) {
    const std::string what = row.arguments.front();
    if (row.newPicture) ShowFiles().AddPicture(row.newPicture, test::Solid(8, 6, lumora::Rgb{70, 80, 90}));
    const std::string before = Settings();
    Allow(false);
    WineProcess refused = Session().Start(Session().ListsToolPath().string(), row.arguments);
    EXPECT_EQ(refused.Wait(60s), 1) << what;
    EXPECT_THAT(refused.Stderr(), HasSubstr(kNotAllowed)) << what;
    EXPECT_EQ(Settings(), before) << what;
    Allow(true);
    EXPECT_EQ(Session().Run(Session().ListsToolPath().string(), row.arguments, 60s), 0) << what;
    EXPECT_NE(Settings(), before) << what;
  }
}

TEST_F(StandardUser, TheSettingsWindowSavesTheFileItMayWriteAndSaysSoWhenItMayNot) {
  Allow(false);
  const std::string before = Settings();
  RunningSettings settings;
  settings.WaitForWindow();
  EXPECT_TRUE(settings.Click(static_cast<int>(OptionRadio::Delay45s)));
  EXPECT_FALSE(settings.Click(static_cast<int>(SettingsControl::OkButton), kOpensABox)) << "OK waits for the error box";
  const std::optional<DialogInfo> error = WaitForDialog("Lumora Screensaver", 10s);
  ASSERT_TRUE(error.has_value());
  EXPECT_THAT(error->statics, ElementsAre(std::string("Unable to write to ") + kIniPath + "."));
  ASSERT_TRUE(PressOkOn("Lumora Screensaver"));
  EXPECT_EQ(Settings(), before);

  Allow(true);
  EXPECT_TRUE(settings.Click(static_cast<int>(SettingsControl::OkButton)));
  EXPECT_EQ(settings.WaitForExit(15s), 0);
  EXPECT_THAT(Settings(), HasSubstr("\r\nTime=3\r\n"));
}

TEST_F(StandardUser, ChoosingPicturesFromTheStartMenuChangesTheFileItMayWriteAndSaysSoWhenItMayNot) {
  WriteAlbums();
  // No list yet: the folder dialog opens with nothing unfolded.
  WriteWindowsFile("lumora.ini", SettingsFileText("Sound=0\r\n"));
  for (const bool allowed : {false, true}) {
    Allow(allowed);
    const std::string before = Settings();
    Inspector inspector(Session());
    WineProcess tool = Session().Start(Session().ListsToolPath("lumora-listsw.exe").string(), {"--choose"});
    const DialogInfo dialog = WaitForDialogSaying(inspector, "Choose the folder of the pictures");
    SelectFirstFolderOfDriveC();
    TapKey(XK_Return);
    WaitForDialogSaying(inspector, "Also choose a folder of sounds?");
    TapKey(XK_Return);  // No
    const DialogInfo box = WaitForDialogSaying(inspector, allowed ? "Lumora will show" : "may not change");
    EXPECT_EQ(box.caption, "Lumora");
    EXPECT_THAT(box.statics.front(), HasSubstr(allowed ? "Lumora will show 3 pictures from C:\\Albums." : kNotAllowed));
    TapKey(XK_Return);
    EXPECT_EQ(tool.Wait(30s), allowed ? 0 : 1);
    EXPECT_EQ(Settings() != before, allowed);
  }
}

}  // namespace
}  // namespace lumora::e2e
