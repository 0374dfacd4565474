// lumora-lists.exe under Wine: a photo whose name the ANSI code page cannot spell is listed by its short name, and
// the saver shows it. lumora-listsw.exe, as the Start menu runs it: the pictures folder chosen in the system's
// folder dialog, and the lists refreshed, each run saying in a box what it did.
#include <X11/keysym.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <thread>

#include "SaverRun.h"
#include "portable/IniText.h"
#include "settings_file/SettingsFile.h"
#include "support/PictureFiles.h"

namespace lumora::e2e {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;

lumora::Picture ListedShade(uint8_t red) {
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

// C:\Library: 20 year folders of 10 event folders, 100 pictures in each of the 200 (only their first bytes). Only
// read, so made once per build tree and linked into the prefix: on a busy disk making and removing 20,000 files
// takes longer than the test.
void LinkLargeLibrary() {
  const std::filesystem::path made = Session().WorkDir() / "large-library";
  if (!std::filesystem::exists(made)) {
    // Runs side by side share the work folder: each makes its own and renames it into place whole.
    const std::filesystem::path own = std::filesystem::path(made).concat("." + std::to_string(getpid()));
    for (int year = 0; year < 20; ++year)
      for (int event = 1; event <= 10; ++event) {
        const std::filesystem::path folder = own / std::to_string(2000 + year) / ("event " + std::to_string(event));
        std::filesystem::create_directories(folder);
        for (int picture = 1; picture <= 100; ++picture)
          std::ofstream(folder / ("img" + std::to_string(picture) + ".jpg"), std::ios::binary) << "\xFF\xD8\xFF\xE0";
      }
    std::error_code error;
    std::filesystem::rename(own, made, error);
    std::filesystem::remove_all(own);  // another run's came first
  }
  const std::filesystem::path library = FromWindowsPath("C:\\Library");
  std::filesystem::remove_all(library);
  std::filesystem::create_directory_symlink(made, library);
}

// A program slowed to two milliseconds in every hundred, stopped in between (SIGSTOP and SIGCONT to its process
// group, as cpulimit does): on a processor this slow a listing of 20,000 files is a long one. It keeps running in
// its slices while the test asks Wine about it, since Wine's own processes may wait for its windows to answer. Held,
// it stays stopped, its windows on the screen as they were.
class SlowedProgram {
 public:
  explicit SlowedProgram(const WineProcess& program) : group_(program.Pid()) {
    WaitFor([&] { return kill(-group_, SIGSTOP) == 0; }, 10s, 1ms);  // once the child has made its group
    slicer_ = std::thread([this] {
      while (!held_) {
        kill(-group_, SIGCONT);
        std::this_thread::sleep_for(2ms);
        kill(-group_, SIGSTOP);
        std::this_thread::sleep_for(98ms);
      }
    });
  }
  ~SlowedProgram() { RunFreely(); }
  SlowedProgram(const SlowedProgram&) = delete;
  SlowedProgram& operator=(const SlowedProgram&) = delete;

  void Hold() {
    held_ = true;
    if (slicer_.joinable()) slicer_.join();
  }
  void RunFreely() {
    Hold();
    kill(-group_, SIGCONT);
  }

 private:
  pid_t group_;
  std::atomic<bool> held_ = false;
  std::thread slicer_;
};

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
  SelectFirstFolderOfDriveC();
  SaveForReadme(inspector.Window(dialog.hwnd).client, "lists-choose-dialog.png");
  TapKey(XK_Return);
  WaitForDialogSaying(inspector, "Also choose a folder of sounds?");
  TapKey(XK_Return);  // No

  const DialogInfo box = WaitForDialogSaying(inspector, "Lumora will show");
  EXPECT_EQ(box.caption, "Lumora");
  EXPECT_THAT(box.statics, ElementsAre("Lumora will show 3 pictures from C:\\Albums.\n\n"
                                       "1 file skipped: notes.txt is not a JPEG or bitmap picture"));
  SaveForReadme(inspector.Window(box.hwnd).client, "lists-choose-result.png");
  TapKey(XK_Return);
  EXPECT_EQ(tool.Wait(30s), 0);
  EXPECT_THAT(PictureList(), ElementsAre("C:\\Albums\\a.jpg", "C:\\Albums\\b.bmp", "C:\\Albums\\trip\\c.jpg"));
  const IniDocument ini = ParseIniText(ReadWindowsFile("lumora.ini").value_or(""));
  EXPECT_EQ(FindIniValue(ini, "Lumora Lists", "PictureFolder1"), "C:\\Albums");
  EXPECT_EQ(FindIniValue(ini, "Lumora Lists", "PictureSubfolders1"), "1");
}

TEST(ListsTool, ARefreshWithoutAConsoleSaysInABoxHowTheListChanged) {
  ShowFiles files;
  std::filesystem::remove_all(FromWindowsPath("C:\\lumora-files\\refresh"));
  const std::string a = files.AddPicture("refresh/a.jpg", ListedShade(40));
  const std::string b = files.AddPicture("refresh/b.jpg", ListedShade(120));
  WriteWindowsFile("lumora.ini", SettingsFileText("Sound=0\r\n"));
  ASSERT_EQ(Session().Run(Session().ListsToolPath().string(),
                          {"--pictures", "C:\\lumora-files\\refresh", "--recursive"}, 60s),
            0);
  std::filesystem::remove(FromWindowsPath(a));
  const std::string c = files.AddPicture("refresh/c.jpg", ListedShade(160));
  const std::string d = files.AddPicture("refresh/sub/d.bmp", ListedShade(200));
  Inspector inspector(Session());
  WineProcess tool = Session().Start(Session().ListsToolPath("lumora-listsw.exe").string(), {"--refresh"});

  const DialogInfo box = WaitForDialogSaying(inspector, "listed.");
  EXPECT_EQ(box.caption, "Lumora");
  EXPECT_THAT(box.statics, ElementsAre("2 new pictures, 1 gone; 3 listed."));
  TapKey(XK_Return);
  EXPECT_EQ(tool.Wait(30s), 0);
  EXPECT_THAT(PictureList(), ElementsAre(b, c, d));
}

// As at sign-in: a listed photo deleted since leaves the list without a word, a drive unplugged since (its letter's
// link gone from dosdevices) keeps its pictures listed, and the next show, the drive back, starts with a picture, not
// with the screen that says a listed file is missing. The drive's root is listed without its recycle bin (a hidden
// system folder: Wine keeps those attributes in an extended attribute).
TEST(ListsTool, AQuietRefreshTakesOffADeletedPhotoKeepsADriveAwayAndTheShowStartsWithAPicture) {
  ShowFiles files;
  std::filesystem::remove_all(FromWindowsPath("C:\\lumora-files\\quiet"));
  const std::string a = files.AddPicture("quiet/a.bmp", ListedShade(40));
  const std::string b = files.AddPicture("quiet/b.bmp", ListedShade(160));
  files.AddPicture("usb/u.bmp", ListedShade(80));
  files.AddPicture("usb/$RECYCLE.BIN/deleted.bmp", ListedShade(20));
  const std::filesystem::path usb = FromWindowsPath("C:\\lumora-files\\usb"),
                              drive = Session().Prefix() / "dosdevices/r:";
  ASSERT_EQ(setxattr((usb / "$RECYCLE.BIN").c_str(), "user.DOSATTRIB", "0x16", 4, 0), 0);
  std::filesystem::remove(drive);
  std::filesystem::create_directory_symlink(usb, drive);
  WriteWindowsFile("lumora.ini", SettingsFileText("Sound=0\r\nPicdis=1\r\nTime=8\r\n"));
  const std::vector<std::string> chosen{"--pictures", "C:\\lumora-files\\quiet", "--pictures", "R:\\", "--recursive"};
  ASSERT_EQ(Session().Run(Session().ListsToolPath().string(), chosen, 60s), 0);
  EXPECT_THAT(PictureList(), ElementsAre(a, b, "R:\\u.bmp"));
  std::filesystem::remove(FromWindowsPath(a));
  std::filesystem::remove(drive);

  EXPECT_EQ(Session().Run(Session().ListsToolPath("lumora-listsw.exe").string(), {"--refresh", "--quiet"}, 60s), 0)
      << "no box waits for an answer";
  const std::string settings = ReadWindowsFile("lumora.ini").value_or("");
  EXPECT_THAT(PictureList(), ElementsAre(b, "R:\\u.bmp"));
  std::filesystem::create_directory_symlink(usb, drive);
  ShowFiles shown;
  shown.Include(b, lumora::BmpFileOf(ListedShade(160)));
  shown.Include("R:\\u.bmp", lumora::BmpFileOf(ListedShade(80)));
  const Image expected = ExpectedFrame(settings, shown, 1);
  RunningSaver saver;
  saver.WaitForWindow();
  const Image shot = WaitForScreen(expected, 20s);
  EXPECT_EQ(CountDifferences(shot, expected.Bounds(), expected), 0);
  TapKey(XK_Escape);
  EXPECT_EQ(saver.WaitForExit(10s), 0);
}

// A listing that takes longer than a second shows its window; its Cancel comes while the folders are being read.
TEST(ListsTool, ALongListingShowsItsProgressAndItsCancelLeavesTheListAsItWas) {
  LinkLargeLibrary();
  const std::string before = SettingsFileText("Sound=0\r\n", {{1, "C:\\old.jpg"}});
  WriteWindowsFile("lumora.ini", before);
  Inspector inspector(Session());
  WineProcess tool = Session().Start(Session().ListsToolPath("lumora-listsw.exe").string(),
                                     {"--pictures", "C:\\Library", "--recursive"});
  SlowedProgram slowed(tool);

  const std::optional<Hwnd> window = inspector.Wait("LumoraListsProgress", "*", 120s);
  ASSERT_TRUE(window) << "no progress window";
  // Until the window is whole on the screen: its folder line, its count and its Cancel.
  WindowInfo frame;
  std::vector<ChildInfo> children;
  const auto onScreen = [&](const Rect& place) {
    return Rect{frame.client.x + place.x, frame.client.y + place.y, place.width, place.height};
  };
  const auto drawn = [&](const Image& shot, const Rect& place) {
    return !IsUniform(shot, onScreen(place), shot.At(onScreen(place).x, onScreen(place).y));
  };
  ASSERT_TRUE(WaitFor(
      [&] {
        frame = inspector.Window(*window, true);
        children = inspector.Children(*window, true);
        const Image shot = Screenshot();
        // The folder line and the count are set one after the other: a read between them finds the count empty.
        return children.size() == 4 && !children[1].text.empty() && drawn(shot, children[0].rect) &&
               drawn(shot, children[3].rect);
      },
      60s));
  EXPECT_EQ(frame.text, "Lumora");
  EXPECT_THAT(children[0].text, ::testing::StartsWith("Reading C:\\Library\\"));
  EXPECT_THAT(children[1].text, ::testing::EndsWith(" files found so far"));
  EXPECT_EQ(children[2].className, "msctls_progress32");
  EXPECT_EQ(children[3].text, "Cancel");

  slowed.Hold();
  SaveForReadme(frame.rect, "lists-progress.png");
  const Rect cancel = onScreen(children[3].rect);
  Click(cancel.x + cancel.width / 2, cancel.y + cancel.height / 2);
  slowed.RunFreely();
  EXPECT_EQ(tool.Wait(60s), 3) << "stopped, without a box to answer";
  EXPECT_TRUE(ReadWindowsFile("lumora.ini") == before) << "the settings file changed";
}

}  // namespace
}  // namespace lumora::e2e
