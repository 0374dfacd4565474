// lumora-lists.exe under Wine: a photo whose name the ANSI code page cannot spell is listed by its short name, and
// the saver shows it. lumora-listsw.exe, as the Start menu runs it: the pictures folder chosen in the system's
// folder dialog, and the lists refreshed, each run saying in a box what it did.
#include <X11/keysym.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <signal.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "SaverRun.h"
#include "portable/IniText.h"
#include "samples/PictureFiles.h"
#include "settings_file/SettingsFile.h"

namespace lumora::e2e {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;

lumora::Picture Shade(uint8_t red) {
  return lumora::MakePicture(16, 12, [=](int x, int y) {
    return lumora::Rgb{red, static_cast<uint8_t>(x * 9), static_cast<uint8_t>(y * 9)};
  });
}

std::vector<std::string> PictureList() {
  const IniDocument ini = ParseIniText(ReadWindowsFile("lumora.ini").value_or(""));
  std::vector<std::string> values;
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    const std::string value = FindIniValue(ini, kPictureSection, SlotKey(slot)).value_or("(missing)");
    if (!IsFreeSlot(value)) values.push_back(value);
  }
  return values;
}

// With LUMORA_E2E_SCREENSHOTS=DIR, the window inside its frame (or with it), as the README shows it, once it has
// looked the same for two seconds.
void SaveForReadme(Inspector& inspector, Hwnd window, const std::string& fileName, bool withFrame = false) {
  const char* folder = std::getenv("LUMORA_E2E_SCREENSHOTS");
  if (folder == nullptr) return;
  const WindowInfo info = inspector.Window(window);
  const Rect bounds = withFrame ? info.rect : info.client;
  Image shot = Screenshot().Crop(bounds);
  int unchanged = 0;
  WaitFor(
      [&] {
        const Image again = Screenshot().Crop(bounds);
        unchanged = CountDifferences(again, again.Bounds(), shot) == 0 ? unchanged + 1 : 0;
        shot = again;
        return unchanged >= 8;
      },
      30s, 250ms);
  shot.SavePng(std::filesystem::path(folder) / fileName);
}

// C:\Library: 20 year folders of 10 event folders, 100 pictures in each of the 200 (only their first bytes).
void WriteLargeLibrary() {
  const std::filesystem::path library = FromWindowsPath("C:\\Library");
  std::filesystem::remove_all(library);
  for (int year = 0; year < 20; ++year)
    for (int event = 1; event <= 10; ++event) {
      const std::filesystem::path folder = library / std::to_string(2000 + year) / ("event " + std::to_string(event));
      std::filesystem::create_directories(folder);
      for (int picture = 1; picture <= 100; ++picture)
        std::ofstream(folder / ("img" + std::to_string(picture) + ".jpg"), std::ios::binary) << "\xFF\xD8\xFF\xE0";
    }
}

std::string FileText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// Stops or continues (SIGSTOP, SIGCONT) the Unix processes of this session's prefix that run a Windows program,
// found by its name on their command lines. Stopped, its windows stay on the screen as they were.
void SignalProgram(const std::string& program, int signal) {
  const std::string prefix = "WINEPREFIX=" + Session().Prefix().string() + std::string(1, '\0');
  for (const auto& process : std::filesystem::directory_iterator("/proc")) {
    const pid_t pid = std::atoi(process.path().filename().c_str());
    if (pid > 0 && FileText(process.path() / "cmdline").find(program) != std::string::npos &&
        FileText(process.path() / "environ").find(prefix) != std::string::npos)
      kill(pid, signal);
  }
}

TEST(ListsTool, ANameOutsideTheCodePageIsListedByItsShortNameAndShown) {
  ShowFiles files;
  const lumora::Picture photo = lumora::MakePicture(64, 48, [](int x, int y) {
    return lumora::Rgb{static_cast<uint8_t>(x * 4), static_cast<uint8_t>(y * 5), 90};
  });
  files.AddPicture("greek/\xCE\xB8\xCE\xAC\xCE\xBB\xCE\xB1\xCF\x83\xCF\x83\xCE\xB1.jpg", photo);  // "θάλασσα.jpg"
  WriteWindowsFile("lumora.ini", SettingsFileText("Sound=0\r\nPicdis=1\r\nTime=8\r\n"));

  ASSERT_EQ(Session().Run(Session().ListsToolPath().string(), {"--pictures", "C:\\lumora-files\\greek"}, 60s), 0);
  const std::string settings = ReadWindowsFile("lumora.ini").value_or("");
  const std::string listed = FindIniValue(ParseIniText(settings), "JpegConfig", "Name1").value_or("");
  EXPECT_THAT(listed, ::testing::StartsWith("C:\\lumora-files\\greek\\"));
  EXPECT_THAT(listed, ::testing::HasSubstr("~")) << "an 8.3 name";
  EXPECT_EQ(listed.find('?'), std::string::npos);

  ShowFiles shown;
  shown.Include(listed, lumora::JpegFileOf(photo));
  const Image expected = ExpectedFrame(settings, shown, 1);
  RunningSaver saver;
  saver.WaitForWindow();
  const Image shot = WaitForScreen(expected, 20s);
  EXPECT_EQ(CountDifferences(shot, expected.Bounds(), expected), 0) << "the photo, not the placeholder";
  TapKey(XK_Escape);
  EXPECT_EQ(saver.WaitForExit(10s), 0);
}

TEST(ListsTool, AFolderChosenInTheFolderDialogIsListedWithItsSubfoldersAndTheBoxSaysSo) {
  WriteAlbums();
  WriteWindowsFile("lumora.ini", SettingsFileText("Sound=0\r\n"));
  Inspector inspector(Session());
  WineProcess tool = Session().Start(Session().ListsToolPath("lumora-listsw.exe").string(), {"--choose"});

  const DialogInfo dialog =
      WaitForDialogSaying(inspector, "Choose the folder of the pictures for Lumora to show (with its subfolders):");
  EXPECT_EQ(dialog.caption, "Browse for Folder");
  ASSERT_TRUE(WaitFor([&] { return inspector.Foreground() == dialog.hwnd; }, 30s));
  SelectFirstFolderOfDriveC();
  SaveForReadme(inspector, dialog.hwnd, "lists-choose-dialog.png");
  TapKey(XK_Return);
  WaitForDialogSaying(inspector, "Also choose a folder of sounds?");
  TapKey(XK_Return);  // No

  const DialogInfo box = WaitForDialogSaying(inspector, "Lumora will show");
  EXPECT_EQ(box.caption, "Information");
  EXPECT_THAT(box.statics, ElementsAre("Lumora will show 3 pictures from C:\\Albums.\n\n"
                                       "1 file skipped: notes.txt is not a JPEG or bitmap picture"));
  SaveForReadme(inspector, box.hwnd, "lists-choose-result.png");
  TapKey(XK_Return);
  EXPECT_EQ(tool.Wait(30s), 0);
  EXPECT_THAT(PictureList(), ElementsAre("C:\\Albums\\a.jpg", "C:\\Albums\\b.bmp", "C:\\Albums\\trip\\c.jpg"));
  const IniDocument ini = ParseIniText(ReadWindowsFile("lumora.ini").value_or(""));
  EXPECT_EQ(FindIniValue(ini, "Lumora Lists", "PictureFolder1"), "C:\\Albums");
  EXPECT_EQ(FindIniValue(ini, "Lumora Lists", "PictureSubfolders"), "1");
}

TEST(ListsTool, ARefreshWithoutAConsoleSaysInABoxHowTheListChanged) {
  ShowFiles files;
  std::filesystem::remove_all(FromWindowsPath("C:\\lumora-files\\refresh"));
  const std::string a = files.AddPicture("refresh/a.jpg", Shade(40));
  const std::string b = files.AddPicture("refresh/b.jpg", Shade(120));
  WriteWindowsFile("lumora.ini", SettingsFileText("Sound=0\r\n"));
  ASSERT_EQ(Session().Run(Session().ListsToolPath().string(),
                          {"--pictures", "C:\\lumora-files\\refresh", "--recursive"}, 60s),
            0);
  std::filesystem::remove(FromWindowsPath(a));
  const std::string c = files.AddPicture("refresh/c.jpg", Shade(160));
  const std::string d = files.AddPicture("refresh/sub/d.bmp", Shade(200));
  Inspector inspector(Session());
  WineProcess tool = Session().Start(Session().ListsToolPath("lumora-listsw.exe").string(), {"--refresh"});

  const DialogInfo box = WaitForDialogSaying(inspector, "listed.");
  EXPECT_EQ(box.caption, "Information");
  EXPECT_THAT(box.statics, ElementsAre("2 new pictures, 1 gone; 3 listed."));
  TapKey(XK_Return);
  EXPECT_EQ(tool.Wait(30s), 0);
  EXPECT_THAT(PictureList(), ElementsAre(b, c, d));
}

// A listing that takes longer than a second shows its window; the run is held still while the test looks at it,
// so that its Cancel comes before the listing could end.
TEST(ListsTool, ALongListingShowsItsProgressAndItsCancelLeavesTheListAsItWas) {
  WriteLargeLibrary();
  const std::string before = SettingsFileText("Sound=0\r\n", {{1, "C:\\old.jpg"}});
  WriteWindowsFile("lumora.ini", before);
  Inspector inspector(Session());
  WineProcess tool = Session().Start(Session().ListsToolPath("lumora-listsw.exe").string(),
                                     {"--pictures", "C:\\Library", "--recursive"});

  const std::optional<Hwnd> window = inspector.Wait("LumoraListsProgress", "Lumora", 60s);
  ASSERT_TRUE(window) << "no progress window";
  const std::vector<ChildInfo> children = inspector.Children(*window);
  SignalProgram("lumora-listsw.exe", SIGSTOP);
  ASSERT_EQ(children.size(), 4u);
  EXPECT_THAT(children[0].text, ::testing::StartsWith("Reading C:\\Library\\"));
  EXPECT_THAT(children[1].text, ::testing::EndsWith(" files found so far"));
  EXPECT_EQ(children[2].className, "msctls_progress32");
  EXPECT_EQ(children[3].text, "Cancel");
  SaveForReadme(inspector, *window, "lists-progress.png", true);

  const Rect client = inspector.Window(*window).client;
  const Rect cancel = children[3].rect;
  Click(client.x + cancel.x + cancel.width / 2, client.y + cancel.y + cancel.height / 2);
  SignalProgram("lumora-listsw.exe", SIGCONT);
  EXPECT_EQ(tool.Wait(30s), 3) << "stopped, without a box to answer";
  EXPECT_EQ(ReadWindowsFile("lumora.ini"), before);
}

}  // namespace
}  // namespace lumora::e2e
