// lumora-setup.exe under Wine: a silent install, the files, lists and registry values it leaves, the installed
// saver's first picture, and a silent uninstall that takes it all away and puts the earlier screensaver back;
// folders refused before anything is installed; the pages as a user goes through them with the keyboard; an upgrade
// that cannot write the lists.
#include <X11/keysym.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SaverRun.h"
#include "portable/IniText.h"
#include "settings_file/SettingsFile.h"
#include "support/PictureFiles.h"
#include "support/ShowFixture.h"
#include "win/TestWindowFacts.h"

namespace lumora::e2e {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr char kDesktopKey[] = "HKCU\\Control Panel\\Desktop";
// A 32-bit program's key in the 64-bit registry. /D= takes no quotes, so its folder has no blank.
constexpr char kUninstallKey[] = "HKLM\\Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lumora";
// The sign-in refresh, written by a 32-bit program into the machine's Run key.
constexpr char kRunKey[] = "HKLM\\Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kEarlierSaver[] = "C:\\windows\\system32\\earlier.scr";
constexpr char kInstalledSaver[] = "C:\\windows\\system32\\lumora.scr";
constexpr char kStartMenu[] = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Lumora";
constexpr char kPictures[] = "C:\\lumora-files\\install";
constexpr char kSounds[] = "C:\\lumora-files\\install-sounds";
constexpr char kBlankFolder[] = "C:\\lumora-files\\My Photos";
constexpr char kGrantRecord[] = "C:\\lumora-files\\icacls.txt";
// How setup lets every user change the settings file: the built-in Users group by its SID.
constexpr char kGrantCall[] =
    "\"C:\\windows\\system32\\icacls.exe\" \"C:\\windows\\lumora.ini\" /grant *S-1-5-32-545:(M)\n";

struct InstallRow {
  const char* name;
  std::vector<std::string> arguments;  // /D= comes last
  std::string installDir;
  std::string picturesDir;
  std::vector<std::string> pictures;  // the list, in order, as names in picturesDir
  std::vector<std::string> sounds;    // as names in kSounds
  bool madeCurrent;
  const char* sound;  // the Sound option: a chosen sounds folder switches it on
  bool refreshAtSignIn;
  const char* everyMonitor;  // the EveryMonitor option
};

const InstallRow kRows[] = {
    // A folder ending in a backslash, without a blank: Wine puts it on setup's command line as it is (one with a
    // blank it quotes, doubling that backslash).
    {"OwnPicturesEndingInABackslashMadeCurrent",
     {"/S", std::string("/PICTURES=") + kPictures + "\\"},
     "C:\\Program Files (x86)\\Lumora",
     kPictures,
     {"A1.BMP", "b2.jpg", "b10.bmp", "later\\c.bmp"},
     {},
     true,
     "0",
     true,
     "1"},
    {"SamplesAndSoundsLeftUnchosen",
     {"/S", std::string("/SOUNDS=") + kSounds, "/ACTIVATE=0", "/REFRESH=0", "/EVERYMONITOR=0", "/D=C:\\LumoraSaver"},
     "C:\\LumoraSaver",
     "C:\\LumoraSaver\\Samples",
     {"bars.bmp", "checker.bmp", "lanterns.jpg", "meadow.jpg", "ocean.jpg", "sunset.jpg"},
     {"beep.wav", "tune.mid"},
     false,
     "1",
     false,
     "0"},
    {"PicturesFolderWithABlank",
     {"/S", std::string("/PICTURES=") + kBlankFolder, "/ACTIVATE=1"},
     "C:\\Program Files (x86)\\Lumora",
     kBlankFolder,
     {"2024\\p.bmp"},
     {},
     true,
     "0",
     true,
     "1"},
};

// The Start-menu entries that run lumora-listsw.exe, and their arguments.
const std::pair<const char*, const char*> kListsEntries[] = {
    {"Choose Lumora Pictures.lnk", "--choose"},
    {"Refresh Lumora Pictures.lnk", "--refresh"},
};

// Whether a shortcut file holds the text, which it keeps in UTF-16 or in the code page.
bool Holds(const std::string& bytes, const std::string& text) {
  std::string wide;
  for (char c : text) wide += std::string{c, '\0'};
  return bytes.find(text) != std::string::npos || bytes.find(wide) != std::string::npos;
}

lumora::Picture InstallerShade(uint8_t red) {
  return lumora::MakePicture(200, 150, [=](int x, int y) {
    return lumora::Rgb{red, static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
  });
}

// Pictures in natural order A1, b2, b10 (case does not count), then a subfolder's, beside a file of another kind;
// a folder whose only picture is in a subfolder.
void WriteFolders(ShowFiles& files) {
  files.AddPicture("install/b10.bmp", InstallerShade(30));
  files.AddPicture("install/A1.BMP", InstallerShade(90));
  files.AddPicture("install/b2.jpg", InstallerShade(150));
  files.AddFile("install/notes.txt", {'n'});
  files.AddPicture("install/later/c.bmp", InstallerShade(210));
  files.AddFile("install-sounds/tune.mid", {'M', 'T', 'h', 'd'});
  files.AddFile("install-sounds/beep.wav", {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'});
  files.AddFile("install-sounds/skip.mp3", {'s'});
  files.AddPicture("My Photos/2024/p.bmp", InstallerShade(60));
}

// icacls.exe of the 32-bit system folder replaced, for one test, by a program that records how it was called.
class RecordedIcacls {
 public:
  RecordedIcacls()
      : install_(Session().SaverToolPath("record_arguments.exe"), Session().WindowsDir() / "syswow64" / "icacls.exe") {
    std::filesystem::remove(FromWindowsPath(kGrantRecord));
  }
  WineRunOptions Options() const {
    return {.dllOverrides = {"icacls.exe=n"}, .environment = {{"LUMORA_RECORD_FILE", kGrantRecord}}};
  }
  std::string Calls() const { return ReadFile(FromWindowsPath(kGrantRecord)); }

 private:
  SystemFileInstall install_;
};

std::vector<std::string> FolderNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// The values of a list's slots that are not free, slot by slot.
std::vector<std::string> ListOf(const IniDocument& ini, const char* section) {
  std::vector<std::string> values;
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    const std::string value = FindIniValue(ini, section, SlotKey(slot)).value_or("(missing)");
    if (!IsFreeSlot(value)) values.push_back(value);
  }
  return values;
}

std::vector<std::string> PathsIn(const std::string& folder, const std::vector<std::string>& names) {
  std::vector<std::string> paths;
  for (const std::string& name : names) paths.push_back(folder + "\\" + name);
  return paths;
}

// The installation's files, the saver in the system folder and the Start-menu entries.
void ExpectInstalledFiles(const std::filesystem::path& installDir) {
  EXPECT_THAT(FolderNames(installDir),
              ElementsAre("Samples", "lumora-lists.exe", "lumora-listsw.exe", "uninstall.exe"));
  EXPECT_THAT(FolderNames(installDir / "Samples"),
              ElementsAre("bars.bmp", "checker.bmp", "lanterns.jpg", "meadow.jpg", "ocean.jpg", "sunset.jpg"));
  EXPECT_EQ(ReadFile(FromWindowsPath(kInstalledSaver)), ReadFile(Session().Win64ScrPath()))
      << "the 64-bit saver on 64-bit Windows";
  EXPECT_THAT(FolderNames(FromWindowsPath(kStartMenu)),
              ElementsAre("Choose Lumora Pictures.lnk", "Lumora Full-Screen Test.lnk", "Lumora Settings.lnk",
                          "Refresh Lumora Pictures.lnk", "Uninstall Lumora.lnk"));
}

// The installed saver, started as the Start-menu entry starts it, shows the list's first picture.
void ExpectFirstPicture(const std::string& settings, const std::vector<std::string>& pictures) {
  ShowFiles files;
  for (const std::string& path : pictures) {
    const std::string bytes = ReadFile(FromWindowsPath(path));
    files.Include(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
  }
  const Image expected = ExpectedFrame(settings, files, 1);
  // By its Z: path: the 32-bit Wine loader would look for C:\windows\system32 in the 32-bit system folder.
  std::string throughDriveZ = "Z:" + FromWindowsPath(kInstalledSaver).string();
  std::replace(throughDriveZ.begin(), throughDriveZ.end(), '/', '\\');
  WineProcess saver = Session().Start(throughDriveZ, {"/s"});
  const Image shot = WaitForScreen(expected, 20s);
  EXPECT_EQ(CountDifferences(shot, shot.Bounds(), expected), 0)
      << (saver.Running() ? "" : "the saver ended: ") << saver.Stderr();
  TapKey(XK_Escape);
  if (!saver.Wait(10s)) saver.Kill();
  WaitUntilNoSaverRuns();
}

class Installer : public ::testing::TestWithParam<InstallRow> {};

TEST_P(Installer, InstallsShowsTheFirstPictureAndUninstallsEverything) {
  if (Session().Arch() != SaverArch::I686)
    GTEST_SKIP() << "the installer is one 32-bit program, tried with 32-bit Wine";
  const std::filesystem::path setup = Session().InstallerPath();
  const InstallRow& row = GetParam();
  ShowFiles files;
  WriteFolders(files);
  RemoveWindowsFile("lumora.ini");
  Session().SetRegistryValue(kDesktopKey, "SCRNSAVE.EXE", "REG_SZ", kEarlierSaver);
  Session().SetRegistryValue(kDesktopKey, "ScreenSaveActive", "REG_SZ", "0");

  const RecordedIcacls icacls;
  ASSERT_EQ(Session().Run(setup.string(), row.arguments, 120s, icacls.Options()), 0);
  EXPECT_EQ(icacls.Calls(), kGrantCall);

  const std::filesystem::path installDir = FromWindowsPath(row.installDir);
  ExpectInstalledFiles(installDir);
  for (const auto& [link, argument] : kListsEntries) {
    const std::string bytes = ReadFile(FromWindowsPath(kStartMenu) / link);
    EXPECT_TRUE(Holds(bytes, row.installDir + "\\lumora-listsw.exe")) << link;
    EXPECT_TRUE(Holds(bytes, argument)) << link;
  }

  const std::string settings = ReadWindowsFile("lumora.ini").value_or("");
  const IniDocument ini = ParseIniText(settings);
  const std::vector<std::string> pictures = PathsIn(row.picturesDir, row.pictures);
  EXPECT_THAT(ListOf(ini, kPictureSection), ElementsAreArray(pictures));
  EXPECT_THAT(ListOf(ini, kSoundSection), ElementsAreArray(PathsIn(kSounds, row.sounds)));
  EXPECT_EQ(FindIniValue(ini, "Options", "Picdis"), "4") << "the options of a new settings file";
  EXPECT_EQ(FindIniValue(ini, "Options", "Sound"), row.sound);
  EXPECT_EQ(FindIniValue(ini, "Options", "EveryMonitor"), row.everyMonitor);

  EXPECT_EQ(Session().RegistryValue(kUninstallKey, "DisplayName"), "Lumora Screensaver");
  EXPECT_EQ(Session().RegistryValue(kUninstallKey, "UninstallString"), "\"" + row.installDir + "\\uninstall.exe\"");
  EXPECT_EQ(Session().RegistryValue(kDesktopKey, "SCRNSAVE.EXE"), row.madeCurrent ? kInstalledSaver : kEarlierSaver);
  EXPECT_EQ(Session().RegistryValue(kDesktopKey, "ScreenSaveActive"), row.madeCurrent ? "1" : "0");
  EXPECT_EQ(Session().RegistryValue(kRunKey, "Lumora Pictures"),
            row.refreshAtSignIn ? std::optional("\"" + row.installDir + "\\lumora-listsw.exe\" --refresh --quiet")
                                : std::nullopt);

  ExpectFirstPicture(settings, pictures);

  // The uninstaller runs a copy of itself from the temporary folder and returns at once.
  ASSERT_EQ(Session().Run(row.installDir + "\\uninstall.exe", {"/S"}, 60s), 0);
  // Its last step removes its key.
  EXPECT_TRUE(WaitFor([&] { return !Session().RegistryValue(kUninstallKey, "DisplayName"); }, 60s));
  EXPECT_FALSE(std::filesystem::exists(installDir));
  EXPECT_FALSE(std::filesystem::exists(FromWindowsPath(kInstalledSaver)));
  EXPECT_FALSE(std::filesystem::exists(FromWindowsPath(kStartMenu)));
  EXPECT_FALSE(ReadWindowsFile("lumora.ini").has_value()) << "the settings file the installer created";
  EXPECT_EQ(Session().RegistryValue(kDesktopKey, "SCRNSAVE.EXE"), kEarlierSaver);
  EXPECT_EQ(Session().RegistryValue(kDesktopKey, "ScreenSaveActive"), "0");
  EXPECT_FALSE(Session().RegistryValue(kRunKey, "Lumora Pictures").has_value());
}

INSTANTIATE_TEST_SUITE_P(Rows, Installer, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// The folders to choose from, no settings file, and an earlier screensaver; the installer's path.
std::filesystem::path PrepareInstall() {
  const std::filesystem::path setup = Session().InstallerPath();
  ShowFiles files;
  WriteFolders(files);
  RemoveWindowsFile("lumora.ini");
  Session().SetRegistryValue(kDesktopKey, "SCRNSAVE.EXE", "REG_SZ", kEarlierSaver);
  return setup;
}

void ExpectNothingInstalled(const std::string& what) {
  EXPECT_FALSE(ReadWindowsFile("lumora.ini").has_value()) << what;
  EXPECT_FALSE(std::filesystem::exists(FromWindowsPath("C:\\Program Files (x86)\\Lumora"))) << what;
  EXPECT_FALSE(std::filesystem::exists(FromWindowsPath(kInstalledSaver))) << what;
  EXPECT_FALSE(Session().RegistryValue(kUninstallKey, "DisplayName").has_value()) << what;
  EXPECT_EQ(Session().RegistryValue(kDesktopKey, "SCRNSAVE.EXE"), kEarlierSaver) << what;
}

TEST(InstallerChecks, ASilentInstallGivenAFolderWithoutWhatItListsOrAnOptionItCannotReadFailsAndChangesNothing) {
  if (Session().Arch() != SaverArch::I686)
    GTEST_SKIP() << "the installer is one 32-bit program, tried with 32-bit Wine";
  const std::filesystem::path setup = PrepareInstall();
  const char* kRefused[] = {"/PICTURES=C:\\lumora-files\\nowhere",
                            "/PICTURES=C:\\lumora-files\\install-sounds",
                            "/SOUNDS=C:\\lumora-files\\install",
                            "/PICTURES=C:\\lumora-files\\no where",
                            "/ACTIVATE=2",
                            "/PICTURES",
                            "/SOUNDS=",
                            "/BOGUS=1"};
  for (const char* folder : kRefused) {
    EXPECT_NE(Session().Run(setup.string(), {"/S", folder}, 120s), 0) << folder;
    ExpectNothingInstalled(folder);
  }
}

std::optional<ChildInfo> ChildWithText(Inspector& inspector, Hwnd window, const std::string& text) {
  for (const ChildInfo& child : inspector.Children(window))
    if (child.shown && child.text == text) return child;
  return std::nullopt;
}

// The page is up once a control with this text shows.
ChildInfo WaitForControl(Inspector& inspector, Hwnd window, const std::string& text) {
  std::optional<ChildInfo> found;
  EXPECT_TRUE(WaitFor([&] { return (found = ChildWithText(inspector, window, text)).has_value(); }, 30s)) << text;
  if (!found) throw std::runtime_error("no control \"" + text + "\" in the installer");
  return *found;
}

// Waits for a message box whose text holds `words`; true when it came.
bool WaitForBoxSaying(Inspector& inspector, const std::string& words) {
  return WaitFor(
      [&] {
        for (const DialogInfo& box : inspector.Dialogs())
          for (const std::string& text : box.statics)
            if (text.find(words) != std::string::npos) return true;
        return false;
      },
      30s);
}

std::vector<ChildInfo> ShownEdits(Inspector& inspector, Hwnd window) {
  std::vector<ChildInfo> edits;
  for (const ChildInfo& child : inspector.Children(window))
    if (child.shown && child.className == "Edit") edits.push_back(child);
  return edits;
}

// From the welcome page to the page of pictures and sounds with Enter; the tick that makes Lumora current.
ChildInfo GoToTheListsPage(Inspector& inspector, Hwnd window) {
  WaitForControl(inspector, window, "Welcome to Lumora Setup");
  TapKey(XK_Return);
  WaitForControl(inspector, window, "Destination Folder");
  TapKey(XK_Return);
  return WaitForControl(inspector, window, "Make Lumora the current screensaver");
}

TEST(InstallerPages, RefusesAMissingFolderKeepsChoicesAcrossBackAndAsksBeforeCancel) {
  if (Session().Arch() != SaverArch::I686)
    GTEST_SKIP() << "the installer is one 32-bit program, tried with 32-bit Wine";
  const std::filesystem::path setup = PrepareInstall();
  Inspector inspector(Session());
  WineProcess installer = Session().Start(setup.string(), {});
  const std::optional<Hwnd> window = inspector.Wait("#32770", "Lumora Screensaver 1.0 Setup", 60s);
  ASSERT_TRUE(window.has_value());
  ChildInfo activate = GoToTheListsPage(inspector, *window);
  EXPECT_EQ(activate.check, 1);
  SaveForReadme(inspector.Window(*window).rect, "installer-lists-page.png");

  std::vector<ChildInfo> edits = ShownEdits(inspector, *window);
  ASSERT_EQ(edits.size(), 2u);
  EXPECT_EQ(edits[0].text, "C:\\Program Files (x86)\\Lumora\\Samples");
  inspector.SetText(edits[0].hwnd, "C:\\lumora-files\\nowhere");
  const size_t dialogs = inspector.Dialogs().size();
  TapKey(XK_Return);
  ASSERT_TRUE(WaitForBoxSaying(inspector, "The pictures folder C:\\lumora-files\\nowhere does not exist."));
  TapKey(XK_Return);
  ASSERT_TRUE(WaitFor([&] { return inspector.Dialogs().size() == dialogs; }, 30s));

  inspector.SetText(edits[0].hwnd, kPictures);
  inspector.SetText(edits[1].hwnd, kSounds);
  inspector.Click(activate.hwnd);
  TapKey(XK_b, {XK_Alt_L});
  WaitForControl(inspector, *window, "Destination Folder");
  TapKey(XK_Return);
  activate = WaitForControl(inspector, *window, "Make Lumora the current screensaver");
  EXPECT_EQ(activate.check, 0) << "the tick taken away stays away";
  edits = ShownEdits(inspector, *window);
  ASSERT_EQ(edits.size(), 2u);
  EXPECT_EQ(edits[0].text, kPictures);
  EXPECT_EQ(edits[1].text, kSounds);

  TapKey(XK_Escape);
  ASSERT_TRUE(WaitForBoxSaying(inspector, "Are you sure you want to quit"));
  TapKey(XK_Return);
  EXPECT_TRUE(installer.Wait(30s));
  ExpectNothingInstalled("cancelled");
}

// The page over a list made before: it shows the list's folder and says the list is kept.
void GoThroughThePagesKeepingEverything(const std::filesystem::path& setup, const std::string& listFolder) {
  Inspector inspector(Session());
  WineProcess installer = Session().Start(setup.string(), {});
  const std::optional<Hwnd> window = inspector.Wait("#32770", "Lumora Screensaver 1.0 Setup", 60s);
  ASSERT_TRUE(window.has_value());
  GoToTheListsPage(inspector, *window);
  const std::vector<ChildInfo> edits = ShownEdits(inspector, *window);
  ASSERT_EQ(edits.size(), 2u);
  EXPECT_EQ(edits[0].text, listFolder);
  EXPECT_TRUE(ChildWithText(inspector, *window,
                            "Lumora keeps its current list of pictures, made from the folder below, unless you choose "
                            "another folder. It shows JPEG and bitmap pictures in the order of their names."));
  TapKey(XK_Return);
  WaitForControl(inspector, *window, "Installation Complete");
  TapKey(XK_Return);
  WaitForControl(inspector, *window, "Completing Lumora Setup");
  TapKey(XK_Return);
  EXPECT_TRUE(installer.Wait(30s));
}

// A library of 1,200 pictures in a folder whose name has a blank: setup lists the first 500; run again, silently
// and then through its pages with everything left as it was, it keeps that list and the folder remembered for
// "Refresh Lumora Pictures".
TEST(InstallerUpgrade, KeepsTheListOfALibraryLargerThanTheSlots) {
  if (Session().Arch() != SaverArch::I686)
    GTEST_SKIP() << "the installer is one 32-bit program, tried with 32-bit Wine";
  const std::filesystem::path setup = PrepareInstall();
  const std::string library = "C:\\lumora-files\\My Library";
  ShowFiles files;
  for (int i = 1; i <= 1200; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "photo%04d.bmp", i);
    files.AddFile(std::string("My Library/") + name, {'B', 'M'});
  }
  ASSERT_EQ(Session().Run(setup.string(), {"/S", "/PICTURES=" + library}, 180s), 0);
  const std::string first = ReadWindowsFile("lumora.ini").value_or("");
  const IniDocument ini = ParseIniText(first);
  const std::vector<std::string> listed = ListOf(ini, kPictureSection);
  ASSERT_EQ(listed.size(), 500u);
  EXPECT_EQ(listed.front(), library + "\\photo0001.bmp");
  EXPECT_EQ(listed.back(), library + "\\photo0500.bmp");
  EXPECT_EQ(FindIniValue(ini, "Lumora Lists", "PictureFolder1"), library);

  ASSERT_EQ(Session().Run(setup.string(), {"/S"}, 120s), 0);
  EXPECT_EQ(ReadWindowsFile("lumora.ini"), first) << "a silent setup without /PICTURES";
  GoThroughThePagesKeepingEverything(setup, library);
  EXPECT_EQ(ReadWindowsFile("lumora.ini"), first) << "setup through its pages";

  ASSERT_EQ(Session().Run("C:\\Program Files (x86)\\Lumora\\uninstall.exe", {"/S"}, 60s), 0);
  EXPECT_TRUE(WaitFor([&] { return !Session().RegistryValue(kUninstallKey, "DisplayName"); }, 60s));
}

// Setup run again over an installation while a program holds the settings file open without sharing: the lists
// cannot be written, and the installation stays as it was.
TEST(InstallerUpgrade, ThatCannotWriteTheListsLeavesTheEarlierInstallationAsItWas) {
  if (Session().Arch() != SaverArch::I686) GTEST_SKIP() << "the installer is a 32-bit program, tried with 32-bit Wine";
  const std::filesystem::path setup = PrepareInstall();
  ASSERT_EQ(Session().Run(setup.string(), {"/S"}, 120s), 0);
  const std::optional<std::string> settings = ReadWindowsFile("lumora.ini");
  Inspector inspector(Session());
  WineProcess holder = Session().Start(
      Session().ToolPath("testwindow.exe").string(),
      {ToWindowsPath(Session().NewLogPath("testwindow-hold", "log")), "--hold-file", "C:\\windows\\lumora.ini"});
  const std::optional<Hwnd> window = inspector.Wait(test_window::kClassName, test_window::kTitle, 30s);
  ASSERT_TRUE(window.has_value()) << holder.Stderr();
  EXPECT_NE(Session().Run(setup.string(), {"/S", std::string("/PICTURES=") + kPictures}, 120s), 0);
  inspector.Close(*window);
  EXPECT_EQ(holder.Wait(10s), 0);

  ExpectInstalledFiles(FromWindowsPath("C:\\Program Files (x86)\\Lumora"));
  EXPECT_EQ(Session().RegistryValue(kRunKey, "Lumora Pictures"),
            "\"C:\\Program Files (x86)\\Lumora\\lumora-listsw.exe\" --refresh --quiet");
  EXPECT_EQ(Session().RegistryValue(kUninstallKey, "DisplayName"), "Lumora Screensaver");
  EXPECT_EQ(Session().RegistryValue(kDesktopKey, "SCRNSAVE.EXE"), kInstalledSaver);
  EXPECT_EQ(ReadWindowsFile("lumora.ini"), settings);

  ASSERT_EQ(Session().Run("C:\\Program Files (x86)\\Lumora\\uninstall.exe", {"/S"}, 60s), 0);
  EXPECT_TRUE(WaitFor([&] { return !Session().RegistryValue(kUninstallKey, "DisplayName"); }, 60s));
}

}  // namespace
}  // namespace lumora::e2e
