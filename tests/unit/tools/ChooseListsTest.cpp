// lumora-lists --choose on folder dialogs that answer as each test says, and the one box of lumora-listsw.exe.
#include <deque>
#include <utility>

#include "support/FakePlatform.h"
#include "support/SettingsFiles.h"
#include "unit/tools/ListsFixture.h"

namespace lumora {
namespace {

using namespace test;

// Answers each dialog in turn with its folder, or nothing as Cancel does, and keeps the title and start folder.
class FakeFolderChooser : public FolderChooser {
 public:
  std::optional<std::string> ChooseFolder(const std::string& title, const std::string& start) override {
    asked.emplace_back(title, start);
    const std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::deque<std::optional<std::string>> answers;
  std::vector<std::pair<std::string, std::string>> asked;
};

class ChooseTest : public ListsTest {
 protected:
  int Choose() {
    return RunLumoraLists({"--ini", ini_, "--choose"}, {tree_, std::nullopt, &chooser_, &boxes_}, console_);
  }
  FakeFolderChooser chooser_;
  FakeMessageBoxes boxes_;
};

TEST_F(ChooseTest, ChosenFoldersAreListedWithTheirSubfoldersAndRememberedAndTheBoxSaysSo) {
  WriteIni(SettingsFileText(kNewFileOptions, {{1, Path("old/x.jpg")}}));
  const std::string a = MakeFile("pics/a.jpg"), b = MakeFile("pics/sub/b.bmp"), s = MakeFile("music/s.wav");
  MakeFile("pics/notes.txt");
  chooser_.answers = {Path("pics"), Path("music")};
  EXPECT_EQ(Choose(), 0);
  EXPECT_EQ(chooser_.asked,
            (std::vector<std::pair<std::string, std::string>>{
                {"Choose the folder of the pictures for Lumora to show (with its subfolders):", Path("old")},
                {"Choose the folder of the wave and MIDI sounds for Lumora to play:", ""}}));
  EXPECT_EQ(IniText(), SettingsFileText(std::string("Sound=1") + (kNewFileOptions + 7), {{1, a}, {2, b}}, {{1, s}}));
  EXPECT_EQ(ChosenText(), "[Lumora Lists]\r\nPictureFolders=1\r\nPictureFolder1=" + Path("pics") +
                              "\r\nPictureSubfolders1=1\r\nSoundFolders=1\r\nSoundFolder1=" + Path("music") +
                              "\r\nSoundSubfolders1=1\r\n");
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_EQ(boxes_.shown[0].text, "Also choose a folder of sounds?");
  EXPECT_EQ(boxes_.shown[0].buttons, BoxButtons::YesNo);
  EXPECT_EQ(boxes_.shown[1].kind, BoxKind::Information);
  EXPECT_EQ(boxes_.shown[1].text, "Lumora will show 2 pictures from " + Path("pics") +
                                      ".\nLumora will play 1 sound from " + Path("music") +
                                      " beside them.\n\n1 file skipped: notes.txt is not a JPEG or bitmap picture");
  EXPECT_TRUE(console_.out.empty() && console_.err.empty());
}

TEST_F(ChooseTest, CancelAndFoldersWithoutFilesLeaveTheListsAndTheBoxSaysWhy) {
  struct Case {
    const char* pictures;  // nullptr: Cancel
    bool alsoSounds;
    const char* sounds;
    int exitCode;
    BoxKind kind;
    const char* box;
    bool written;
  };
  const Case kCases[] = {
      {nullptr, false, nullptr, 0, BoxKind::Information, "No folder was chosen: the pictures were left as they were.",
       false},
      {"%D/empty", false, nullptr, 1, BoxKind::Error, "No pictures found in %D/empty: the list was left as it was.",
       false},
      {"%D/pics", true, nullptr, 0, BoxKind::Information, "Lumora will show 1 picture from %D/pics.", true},
      {"%D/pics", true, "%D/empty", 0, BoxKind::Information,
       "Lumora will show 1 picture from %D/pics.\n\nNo sounds found in %D/empty: the list was left as it was.", true},
      {"%D/pics", true, "%D/music", 0, BoxKind::Information,
       "Lumora will show 1 picture from %D/pics.\nLumora will play 1 sound from %D/music once sound is switched on in "
       "Lumora Settings.",
       true},
  };
  fs::create_directories(dir_ / "empty");
  MakeFile("pics/a.jpg");
  MakeFile("music/s.wav");
  const std::string before = SettingsFileText(kNewFileOptions, {{1, "C:\\old.jpg"}}, {{1, "C:\\old.wav"}});
  for (const Case& c : kCases) {
    WriteIni(before);
    chooser_.answers = {c.pictures ? std::optional(Expand(c.pictures)) : std::nullopt,
                        c.sounds ? std::optional(Expand(c.sounds)) : std::nullopt};
    boxes_ = {};
    boxes_.answerOk = c.alsoSounds;
    EXPECT_EQ(Choose(), c.exitCode) << c.box;
    EXPECT_EQ(FileText() != before, c.written) << c.box;
    ASSERT_FALSE(boxes_.shown.empty());
    EXPECT_EQ(boxes_.shown.back().kind, c.kind) << c.box;
    EXPECT_EQ(boxes_.shown.back().text, Expand(c.box));
  }
}

TEST_F(ChooseTest, WithoutAConsoleEveryLineShowsInOneBox) {
  MakeFile("png/a.png");
  BoxConsole console(boxes_);
  EXPECT_EQ(RunLumoraLists({"--ini", ini_, "--pictures", Path("png")}, {tree_, std::nullopt}, console), 1);
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].kind, BoxKind::Error);
  EXPECT_EQ(boxes_.shown[0].text, "1 file skipped: a.png is not a JPEG or bitmap picture\nNo pictures found in " +
                                      Path("png") + ": the list was left as it was.");

  std::vector<std::string> details;
  for (int line = 1; line <= 30; ++line) details.push_back("line " + std::to_string(line));
  EXPECT_EQ(BoxText({"done"}, details), "done\n\nline 1\nline 2\nline 3\nline 4\nline 5\nline 6\n... and 24 more");
}

// Says to stop at its `stopAt`th call, as the Cancel of the progress window does.
class StoppingProgress : public ListingProgress {
 public:
  explicit StoppingProgress(int stopAt) : stopAt_(stopAt) {}
  bool Reading(const std::string&, int) override { return ++calls_ < stopAt_; }
  bool Checking(int, int) override { return ++calls_ < stopAt_; }

 private:
  int stopAt_, calls_ = 0;
};

// The calls of each listing here: the folder, its subfolder, then each of its three pictures; the sounds' folder,
// then its sound.
TEST_F(ChooseTest, AListingTheUserStoppedChangesNothingAndNoBoxFollows) {
  struct Case {
    const char* arguments;
    int stopAt;
    size_t boxes;  // the boxes shown before the listing
  };
  const Case kCases[] = {
      {"--pictures %D/pics --recursive", 2, 0},
      {"--refresh", 7, 0},  // both lists found, the last sound being looked into
      {"--choose", 3, 1},
  };
  MakeFile("pics/a.jpg");
  MakeFile("pics/sub/b.jpg");
  MakeFile("music/s.wav");
  ASSERT_EQ(Run(Arguments("--ini %D/lumora.ini --pictures %D/pics --sounds %D/music --recursive")), 0);
  MakeFile("pics/c.jpg");
  const std::string before = FileText();
  for (const Case& c : kCases) {
    chooser_.answers = {Path("pics")};
    boxes_ = {};
    boxes_.answerOk = false;  // no folder of sounds
    StoppingProgress progress(c.stopAt);
    BoxConsole console(boxes_);
    std::vector<std::string> arguments = Arguments(std::string("--ini %D/lumora.ini ") + c.arguments);
    EXPECT_EQ(RunLumoraLists(arguments, {tree_, std::nullopt, &chooser_, &boxes_, &progress}, console), 3)
        << c.arguments;
    EXPECT_EQ(FileText(), before) << c.arguments;
    EXPECT_EQ(boxes_.shown.size(), c.boxes) << c.arguments;
    EXPECT_EQ(console.Details().back(), "Stopped before the end: nothing was changed.");
  }
}

// At sign-in: no box when the lists were refreshed, one when a list could not be kept whole.
TEST_F(ChooseTest, AQuietRefreshShowsABoxOnlyWhenTheUserMustAct) {
  struct Case {
    const char* name;
    std::vector<const char*> gone;  // folders removed before the refresh
    int exitCode;
    std::optional<BoxKind> box;
    const char* text;
  };
  const Case kCases[] = {
      {"a picture added", {}, 0, std::nullopt, ""},
      {"one folder gone",
       {"old"},
       0,
       BoxKind::Warning,
       "1 new picture, 1 gone; 2 listed.\n%D/old is gone: its pictures were taken off the list. If it moved, choose "
       "it again with \"Choose Lumora Pictures\"."},
      {"every folder gone",
       {"old", "pics"},
       1,
       BoxKind::Error,
       "%D/pics, %D/old are gone, and nothing else is left to list: the picture list was left as it was. If it "
       "moved, choose it again with \"Choose Lumora Pictures\"."},
  };
  for (const Case& c : kCases) {
    fs::remove_all(dir_ / "pics");
    fs::remove_all(dir_ / "old");
    MakeFile("pics/a.jpg");
    MakeFile("old/x.jpg");
    ASSERT_EQ(Run({"--ini", ini_, "--pictures", Path("pics"), "--pictures", Path("old")}), 0);
    MakeFile("pics/b.jpg");
    for (const char* folder : c.gone) fs::remove_all(dir_ / folder);
    const std::string before = FileText();
    boxes_ = {};
    BoxConsole console(boxes_);
    EXPECT_EQ(RunLumoraLists({"--ini", ini_, "--refresh", "--quiet"}, {tree_, std::nullopt}, console), c.exitCode)
        << c.name;
    EXPECT_EQ(FileText() != before, c.exitCode == 0) << c.name;
    ASSERT_EQ(boxes_.shown.size(), c.box ? 1u : 0u) << c.name;
    if (!c.box) continue;
    EXPECT_EQ(boxes_.shown[0].kind, *c.box) << c.name;
    EXPECT_EQ(boxes_.shown[0].text, Expand(c.text)) << c.name;
  }
}

}  // namespace
}  // namespace lumora
