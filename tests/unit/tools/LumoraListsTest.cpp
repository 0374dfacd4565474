#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <tuple>

#include "lumora-lists/GuardedRewrite.h"
#include "lumora-lists/SettingsUpdate.h"
#include "support/SettingsFiles.h"
#include "unit/tools/ListsFixture.h"

namespace lumora {
namespace {

using namespace test;

// A folder of `count` pictures that is not on the disk: p0001.jpg, p0002.jpg, ..., each with a JPEG's first bytes.
class LibraryTree : public PortableFileTree {
 public:
  LibraryTree(std::string temp, std::string folder, int count) : PortableFileTree(std::move(temp)), folder_(folder) {
    for (int i = 1; i <= count; ++i) names.insert(Name(i));
  }
  static std::string Name(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "p%04d.jpg", i);
    return name;
  }
  std::string Path(int i) const { return folder_ + "/" + Name(i); }
  PathKind KindOf(const std::string& path) override {
    if (path == folder_) return PathKind::Folder;
    if (path.starts_with(folder_ + "/"))
      return names.count(path.substr(folder_.size() + 1)) ? PathKind::File : PathKind::Missing;
    return PortableFileTree::KindOf(path);
  }
  FolderListing List(const std::string& folder) override {
    if (folder != folder_) return PortableFileTree::List(folder);
    FolderListing listing;
    for (const std::string& name : names) listing.entries.push_back({name, false, {}, true});
    return listing;
  }
  std::optional<std::vector<uint8_t>> ReadHead(const std::string& path, size_t) override {
    if (KindOf(path) != PathKind::File) return std::nullopt;
    return std::vector<uint8_t>{0xFF, 0xD8, 0xFF, 0xE0};
  }
  std::set<std::string> names;

 private:
  std::string folder_;
};

// A tree that keeps the short names given for names holding "?" or only looking like the name stored (a "best
// fit" of the code page), as Windows keeps 8.3 names, and opens a file by either name.
class ShortNamingFileTree : public PortableFileTree {
 public:
  FolderListing List(const std::string& folder) override {
    FolderListing listing = PortableFileTree::List(LongPath(folder));
    for (FolderEntry& entry : listing.entries) {
      if (shortNames.count(entry.name)) entry.shortName = shortNames.at(entry.name);
      entry.inCodePage = !lookalikes.count(entry.name);
    }
    return listing;
  }
  std::optional<std::vector<uint8_t>> ReadHead(const std::string& path, size_t count) override {
    return PortableFileTree::ReadHead(LongPath(path), count);
  }
  std::string LongPath(std::string path) const {
    for (const auto& [name, shortName] : shortNames)
      if (!shortName.empty() && path.find(shortName) != std::string::npos)
        path.replace(path.find(shortName), shortName.size(), name);
    return path;
  }
  std::map<std::string, std::string> shortNames;
  std::set<std::string> lookalikes;
};

TEST_F(ListsTest, MissingFileIsCreatedWithTheFolderFilesInNaturalOrder) {
  for (const char* name : {"pics/img10.jpg", "pics/img2.JPG", "pics/a.bmp", "pics/notes.txt", "pics/sub/x.jpg"})
    MakeFile(name);
  EXPECT_EQ(Run({"--ini", ini_, "--pictures", Path("pics")}), 0);
  EXPECT_EQ(IniText(),
            SettingsFileText(kNewFileOptions,
                             {{1, Path("pics/a.bmp")}, {2, Path("pics/img2.JPG")}, {3, Path("pics/img10.jpg")}}));
  EXPECT_EQ(console_.out,
            (std::vector<std::string>{"Created the settings file " + ini_, "3 pictures written to " + ini_}));
  EXPECT_EQ(console_.err,
            std::vector<std::string>{"lumora-lists: 1 file skipped: notes.txt is not a JPEG or bitmap picture"});
}

TEST_F(ListsTest, ArgumentsKeepTheirOrderAndRecursionTakesSubfoldersAfterTheFolderFiles) {
  for (const char* name : {"music/b.MID", "music/a.wav", "music/c.mp3", "music/sub10/d.wav", "music/sub2/e.wav",
                           "music/sub2/deeper/f.mid", "first.wav"})
    MakeFile(name);
  WriteIni(SettingsFileText(kNewFileOptions));
  EXPECT_EQ(Run({"--ini", ini_, "--sounds", Path("first.wav"), "--sounds", Path("music"), "--recursive"}), 0);
  // Sounds put into an empty sound list switch the sound on.
  EXPECT_EQ(IniText(), SettingsFileText(std::string("Sound=1") + (kNewFileOptions + 7), {},
                                        {{1, Path("first.wav")},
                                         {2, Path("music/a.wav")},
                                         {3, Path("music/b.MID")},
                                         {4, Path("music/sub2/e.wav")},
                                         {5, Path("music/sub2/deeper/f.mid")},
                                         {6, Path("music/sub10/d.wav")}}));
}

TEST_F(ListsTest, ReplacingAListFreesItsOtherSlotsAndLeavesTheOtherList) {
  WriteIni(SettingsFileText(std::string(kNewFileOptions) + "Seq=1\r\n",
                            {{1, "C:\\a.jpg"}, {2, "C:\\b.jpg"}, {3, "C:\\c.jpg"}, {7, "C:\\d.jpg"}},
                            {{1, "C:\\s.wav"}}));
  const std::string picture = MakeFile("pics/x.jpg");
  EXPECT_EQ(Run({"--ini", ini_, "--pictures", Path("pics")}), 0);
  EXPECT_EQ(IniText(),
            SettingsFileText(std::string(kNewFileOptions) + "Seq=1\r\n", {{1, picture}}, {{1, "C:\\s.wav"}}));
  EXPECT_EQ(console_.out, std::vector<std::string>{"1 picture written to " + ini_});
}

TEST_F(ListsTest, AppendFillsTheFreeSlotsLowestFirst) {
  for (const char* name : {"pics/p1.jpg", "pics/p2.jpg", "pics/p3.jpg"}) MakeFile(name);
  WriteIni(SettingsFileText(kNewFileOptions, {{1, "C:\\a.jpg"}, {3, std::nullopt}, {4, "null"}, {5, "C:\\b.jpg"}}));
  EXPECT_EQ(Run({"--append", "--ini", ini_, "--pictures", Path("pics")}), 0);
  EXPECT_EQ(IniText(), SettingsFileText(kNewFileOptions, {{1, "C:\\a.jpg"},
                                                          {2, Path("pics/p1.jpg")},
                                                          {3, std::nullopt},
                                                          {4, "null"},
                                                          {5, "C:\\b.jpg"},
                                                          {6, Path("pics/p2.jpg")},
                                                          {7, Path("pics/p3.jpg")}}));
  EXPECT_EQ(console_.out, std::vector<std::string>{"3 pictures added to " + ini_});
}

TEST_F(ListsTest, EntriesBeyondTheFreeSlotsAreCountedAndTheRestIsWritten) {
  struct Case {
    bool append;
    int entriesBefore;
    int files;
    int firstSlot;
    const char* message;
  };
  const Case kCases[] = {
      {true, 498, 4, 499, "2 pictures left out"},
  };
  for (const Case& c : kCases) {
    SlotValues before, after;
    for (int slot = 1; slot <= c.entriesBefore; ++slot) before[slot] = after[slot] = "C:\\old" + std::to_string(slot);
    WriteIni(SettingsFileText(kNewFileOptions, before));
    fs::remove_all(dir_ / "pics");
    for (int file = 0; file < c.files; ++file) {
      char name[32];
      std::snprintf(name, sizeof name, "pics/p%03d.jpg", file);
      const std::string path = MakeFile(name);
      if (c.firstSlot + file <= kSlotCount) after[c.firstSlot + file] = path;
    }
    console_ = {};
    std::vector<std::string> arguments = {"--ini", ini_, "--pictures", Path("pics")};
    if (c.append) arguments.push_back("--append");
    EXPECT_EQ(Run(arguments), 0);
    EXPECT_EQ(IniText(), SettingsFileText(kNewFileOptions, after));
    ASSERT_EQ(console_.out.size(), 2u);
    EXPECT_EQ(console_.out[1], std::string(c.message) + ": no free slot left in the picture list of " + ini_);
  }
}

TEST_F(ListsTest, AFailedWriteLeavesTheSettingsFileAsItWas) {
  const std::string kCannotWrite = "Cannot write the settings file %I; nothing was changed";
  struct Case {
    const char* ini;
    bool iniExists;
    bool unreadable;
    std::optional<RewriteOutcome> rewrite;  // how the file's first rewrite ends; nothing: as it should
    std::string message;
  };
  const Case kCases[] = {
      {"lumora.ini", true, true, std::nullopt, "Cannot read the settings file %I; nothing was changed"},
      {"lumora.ini", true, false, RewriteOutcome::Failed, kCannotWrite},  // half the file written, then no more
      {"missing/lumora.ini", false, false, std::nullopt, kCannotWrite},   // no folder to write into
      {"lumora.ini", true, false, RewriteOutcome::NotAllowed,
       "This user may not change Lumora's settings file %I. Running Lumora's setup once, as an administrator, "
       "allows it. Nothing was changed."},
  };
  const std::string before = SettingsFileText(kNewFileOptions, {{1, "C:\\old.jpg"}});
  MakeFile("pics/a.jpg");
  MakeFile("pics/b.jpg");
  for (const Case& c : kCases) {
    ini_ = Path(c.ini);
    if (c.iniExists) WriteIni(before);
    tree_.unreadable = c.unreadable ? ini_ : "";
    tree_.halfWritten = ini_;
    tree_.rewrite = c.rewrite ? c.rewrite : RewriteOutcome::Written;
    console_ = {};
    EXPECT_EQ(Run({"--ini", ini_, "--pictures", Path("pics")}), 1);
    std::string message = c.message;
    message.replace(message.find("%I"), 2, ini_);
    EXPECT_EQ(console_.err, std::vector<std::string>{"lumora-lists: " + message});
    EXPECT_EQ(fs::exists(ini_), c.iniExists);
    if (c.iniExists) { EXPECT_EQ(IniText(), before); }
    EXPECT_FALSE(fs::exists(Path("temp/" + FileKey(tree_, ini_) + ".old"))) << "the old content is gone";
  }
}

// The next run puts back what a run stopped half-way through its rewrite left, and only that: a file another
// program wrote since stays, and a file that cannot be put back stops the run before it writes.
TEST_F(ListsTest, ARunStoppedWhileItRewroteTheFileIsUndoneByTheNext) {
  const std::string kStopped = " was left half-written by an earlier run that was stopped";
  const std::tuple<const char*, bool, const char*> kRows[] = {
      {nullptr, false, ": it holds again what it held before"},                 // as the stop left it
      {"C:\\other.jpg", false, nullptr},                                        // another program wrote it since
      {nullptr, true, ", and it could not be put back; nothing was changed"}};  // the put-back refused
  MakeFile("pics/a.jpg");
  const std::string sound = MakeFile("music/s.wav");
  for (const auto& [writtenSince, putBackFails, line] : kRows) {
    WriteIni(SettingsFileText(kNewFileOptions, {{1, "C:\\old.jpg"}}));
    tree_.halfWritten = ini_;
    tree_.rewrite = std::nullopt;
    EXPECT_THROW(Run({"--ini", ini_, "--pictures", Path("pics")}), FaultyFileTree::Stopped);
    if (writtenSince) WriteIni(SettingsFileText(kNewFileOptions, {{1, writtenSince}}));
    const std::string left = FileText();
    tree_.halfWritten = putBackFails ? ini_ : "";
    tree_.rewrite = RewriteOutcome::NotAllowed;
    console_ = {};
    EXPECT_EQ(Run({"--ini", ini_, "--sounds", Path("music")}), putBackFails ? 1 : 0);
    EXPECT_EQ(putBackFails ? FileText() : IniText(),
              putBackFails ? left
                           : SettingsFileText(std::string("Sound=1") + (kNewFileOptions + 7),
                                              {{1, writtenSince ? writtenSince : "C:\\old.jpg"}}, {{1, sound}}));
    EXPECT_EQ(console_.err,
              line ? std::vector<std::string>{"lumora-lists: " + ini_ + kStopped + line} : std::vector<std::string>{});
  }
}

TEST_F(ListsTest, PathsOf1024CharactersOrMoreAndNamesOutsideTheCodePageAreSkipped) {
  // A file whose full path has exactly `length` characters, made of folders short enough for the file system.
  const auto fileWithPathLength = [&](size_t length) {
    std::string relative = "long" + std::to_string(length);
    while (length - Path(relative).size() - 1 > 200) relative += "/" + std::string(150, 'd');
    return MakeFile(relative + "/" + std::string(length - Path(relative).size() - 5, 'p') + ".jpg");
  };
  const std::string fits = fileWithPathLength(1023);
  const std::string tooLong = fileWithPathLength(1024);
  ASSERT_EQ(fits.size(), 1023u);
  const std::string question = MakeFile("odd/a?b.jpg");
  const std::string star = MakeFile("odd/c*.jpg");
  MakeFile("odd/d.jpg");
  WriteIni(SettingsFileText(kNewFileOptions));
  EXPECT_EQ(Run({"--ini", ini_, "--pictures", tooLong, "--pictures", fits, "--pictures", Path("odd")}), 0);
  EXPECT_EQ(IniText(), SettingsFileText(kNewFileOptions, {{1, fits}, {2, Path("odd/d.jpg")}}));
  EXPECT_EQ(console_.err,
            (std::vector<std::string>{
                "lumora-lists: Skipped, its path has 1024 characters or more: " + tooLong,
                "lumora-lists: Skipped, its name has characters the system's code page lacks: " + question,
                "lumora-lists: Skipped, its name has characters the system's code page lacks: " + star}));
}

// "zolc.jpg" stands for a name the code page only imitates ("żółć.jpg" in Windows-1252); a folder whose name has
// neither a form in the code page nor a short name (an exFAT drive keeps none) is passed over.
TEST_F(ListsTest, NamesOutsideTheCodePageAreListedByTheirShortNamesInTheOrderOfTheirLongNames) {
  for (const char* name :
       {"odd/b10.jpg", "odd/?b2.jpg", "odd/???.jpg", "odd/zolc.jpg", "odd/sub?/x.jpg", "odd/n?/y.jpg"})
    MakeFile(name);
  ShortNamingFileTree tree;
  tree.shortNames = {{"?b2.jpg", "B2~1.JPG"}, {"???.jpg", ""}, {"zolc.jpg", "ZOLC~1.JPG"}, {"sub?", "SUB~1"}};
  tree.lookalikes = {"zolc.jpg"};
  WriteIni(SettingsFileText(kNewFileOptions));
  EXPECT_EQ(Run({"--ini", ini_, "--pictures", Path("odd"), "--recursive"}, tree), 0);
  EXPECT_EQ(IniText(), SettingsFileText(kNewFileOptions, {{1, Path("odd/B2~1.JPG")},
                                                          {2, Path("odd/b10.jpg")},
                                                          {3, Path("odd/ZOLC~1.JPG")},
                                                          {4, Path("odd/SUB~1/x.jpg")}}));
  const std::string lacks = "its name has characters the system's code page lacks: ";
  EXPECT_EQ(
      console_.err,
      (std::vector<std::string>{
          "lumora-lists: Skipped, " + lacks + Path("odd/???.jpg"),
          "lumora-lists: Listed by its short name " + Path("odd/B2~1.JPG") + ", as " + lacks + Path("odd/?b2.jpg"),
          "lumora-lists: Listed by its short name " + Path("odd/ZOLC~1.JPG") + ", as " + lacks + Path("odd/zolc.jpg"),
          "lumora-lists: Passed over, " + lacks + Path("odd/n?")}));
}

TEST_F(ListsTest, ArgumentErrorsAreOneLineAndWriteNothing) {
  struct Case {
    const char* arguments;
    int exitCode;
    const char* message;
  };
  const Case kCases[] = {
      {"--ini %D/lumora.ini --pictures %D/missing", 1, "No such folder or file: %D/missing"},
      {"--ini %D/lumora.ini --pictures %D/pics/notes.txt", 1,
       "Not a picture file (.jpg, .jpeg or .bmp): %D/pics/notes.txt"},
      {"--ini %D/lumora.ini --sounds %D/pics/a.jpg", 1, "Not a sound file (.wav or .mid): %D/pics/a.jpg"},
      {"--ini %D/lumora.ini --pictures %D/pics --bogus", 2,
       "Unknown argument --bogus (lumora-lists --help lists the options)"},
      {"--ini %D/lumora.ini --pictures", 2, "--pictures needs a folder or a picture file"},
      {"--ini %D/lumora.ini --sounds --append", 2, "--sounds needs a folder or a sound file"},
      {"--ini %D/a.ini --ini %D/b.ini --pictures %D/pics", 2, "--ini given twice"},
      {"--ini %D/lumora.ini --append", 2, "Nothing to do: give --pictures, --sounds, --refresh or --choose"},
      {"--ini %D/lumora.ini --refresh --pictures %D/pics", 2,
       "--refresh lists again what was chosen: give it alone, or with --ini"},
      {"--ini %D/lumora.ini --choose --recursive", 2, "--choose asks for the folders: give it alone, or with --ini"},
      {"--ini %D/lumora.ini --choose", 2,
       "--choose needs the system's folder dialog: name the folders with --pictures and --sounds"},
      {"--pictures %D/pics", 2, "--ini is needed: this system has no Windows directory"},
      {"--ini %D/lumora.ini --source", 2, "--source needs pictures or sounds"},
      {"--ini %D/lumora.ini --source photos", 2, "--source needs pictures or sounds"},
      {"--ini %D/lumora.ini --source pictures --pictures %D/pics", 2,
       "--source only says where a list comes from: give it alone, or with --ini"},
      {"--settings-file --recursive", 2, "--settings-file only names the settings file: give it alone, or with --ini"},
  };
  MakeFile("pics/a.jpg");
  MakeFile("pics/notes.txt");
  for (const Case& c : kCases) {
    console_ = {};
    EXPECT_EQ(Run(Arguments(c.arguments)), c.exitCode) << c.arguments;
    EXPECT_EQ(console_.err, std::vector<std::string>{"lumora-lists: " + Expand(c.message)});
    EXPECT_TRUE(console_.out.empty());
    for (const char* ini : {"lumora.ini", "a.ini", "b.ini"}) EXPECT_FALSE(fs::exists(dir_ / ini)) << c.arguments;
  }
}

TEST_F(ListsTest, NothingFoundForAListChangesNothingAndFails) {
  struct Case {
    const char* arguments;
    const char* message;
  };
  const Case kCases[] = {
      {"--pictures %D/empty", "No pictures found in %D/empty: the list was left as it was."},
      {"--pictures %D/png --append", "No pictures found in %D/png: the list was left as it was."},
      {"--pictures %D/empty --pictures %D/fake.jpg",
       "No pictures found in %D/empty, %D/fake.jpg: the list was left as it was."},
      {"--pictures %D/one/a.jpg --sounds %D/empty", "No sounds found in %D/empty: the list was left as it was."},
      {"--check --pictures %D/empty", "No pictures found in %D/empty: the list was left as it was."},
  };
  fs::create_directories(dir_ / "empty");
  MakeFile("png/photo.png");
  MakeFile("one/a.jpg");
  MakeFileHolding("fake.jpg", "just text");
  const std::string before = SettingsFileText(kNewFileOptions, {{1, "C:\\old.jpg"}}, {{1, "C:\\old.wav"}});
  for (const Case& c : kCases) {
    WriteIni(before);
    console_ = {};
    EXPECT_EQ(Run(Arguments(std::string("--ini %D/lumora.ini ") + c.arguments)), 1) << c.arguments;
    EXPECT_EQ(IniText(), before) << c.arguments;
    ASSERT_FALSE(console_.err.empty());
    EXPECT_EQ(console_.err.back(), "lumora-lists: " + Expand(c.message));
  }
}

TEST_F(ListsTest, CheckSaysWhatWouldBeListedAndWritesNothing) {
  MakeFile("pics/a.jpg");
  MakeFile("pics/b.bmp");
  MakeFile("music/s.wav");
  EXPECT_EQ(Run({"--check", "--pictures", Path("pics"), "--sounds", Path("music")}), 0);
  EXPECT_EQ(console_.out, (std::vector<std::string>{"2 pictures found", "1 sound found"}));
  EXPECT_TRUE(console_.err.empty());
  EXPECT_FALSE(fs::exists(ini_));
}

TEST_F(ListsTest, SourceNamesTheFolderAListCameFromAndFailsForAnEmptyList) {
  WriteIni(SettingsFileText(kNewFileOptions, {{2, "C:\\photos\\x.jpg"}}));
  EXPECT_EQ(Run({"--ini", ini_, "--source", "pictures"}), 0);
  EXPECT_EQ(Run({"--ini", ini_, "--source", "sounds"}), 1);
  EXPECT_EQ(console_.out, std::vector<std::string>{"C:\\photos"});
  MakeFile("pics/a.jpg");
  EXPECT_EQ(Run({"--ini", ini_, "--pictures", Path("pics")}), 0);
  console_ = {};
  EXPECT_EQ(Run({"--ini", ini_, "--source", "pictures"}), 0);
  EXPECT_EQ(Run({"--ini", Path("missing.ini"), "--source", "pictures"}), 1);
  MakeFileHolding("options.ini", "[Options]\r\nSound=0\r\n");  // no slots at all
  EXPECT_EQ(Run({"--ini", Path("options.ini"), "--source", "pictures"}), 1);
  EXPECT_EQ(console_.out, std::vector<std::string>{Path("pics")});
  EXPECT_TRUE(console_.err.empty());
}

// A place away (a drive unplugged, a share asleep, another user's folder) keeps its entries; one gone from a folder
// that can be read is forgotten.
TEST_F(ListsTest, RefreshListsTheChosenFoldersAgainAndTakesOffWhatCameFromAFolderThatIsGone) {
  MakeFile("pics/a.jpg");
  const std::string b = MakeFile("pics/b.jpg"), u = MakeFile("usb/u.jpg");
  MakeFile("old/x.jpg");
  EXPECT_EQ(Run(Arguments("--ini %D/lumora.ini --pictures %D/pics --pictures %D/old --pictures %D/usb --recursive")),
            0);
  EXPECT_EQ(ChosenText(), Expand("[Lumora Lists]\r\nPictureFolders=3\r\nPictureFolder1=%D/pics\r\nPictureSubfolders1=1"
                                 "\r\nPictureFolder2=%D/old\r\nPictureSubfolders2=1\r\nPictureFolder3=%D/usb\r\n"
                                 "PictureSubfolders3=1\r\n"));
  const std::string c = MakeFile("pics/c.jpg"), d = MakeFile("pics/sub/d.jpg");
  fs::remove(dir_ / "pics/a.jpg");
  fs::remove_all(dir_ / "old");
  fs::remove_all(dir_ / "usb");
  tree_.kinds[Path("usb")] = PathKind::Unreachable;
  console_ = {};
  EXPECT_EQ(Run({"--ini", ini_, "--refresh"}), 0);
  EXPECT_EQ(IniText(), SettingsFileText(kNewFileOptions, {{1, b}, {2, c}, {3, d}, {4, u}}));
  EXPECT_EQ(console_.out, std::vector<std::string>{"2 new pictures, 2 gone; 4 listed."});
  const std::string kAway = " cannot be reached now: its pictures stay on the list.";
  EXPECT_EQ(console_.err, (std::vector<std::string>{"lumora-lists: " + Path("usb") + kAway,
                                                    "lumora-lists: " + Path("old") +
                                                        " is gone: its pictures were taken off the list. If it "
                                                        "moved, choose it again with \"Choose Lumora Pictures\"."}));
  EXPECT_NE(ChosenText().find("PictureFolders=2\r\n"), std::string::npos) << "the folder gone is forgotten";

  // The folder chosen, there but unreadable, leaves the list as it is; one that says it is missing while the folder
  // that holds it cannot be read is away.
  const std::string before = FileText();
  for (const bool away : {false, true}) {
    tree_.kinds = {{Path("usb"), PathKind::Unreachable}, {Path("pics"), away ? PathKind::Missing : PathKind::Folder}};
    tree_.listFailures = {{away ? Path("") : Path("pics"), ListFailure::Unreadable}};
    console_ = {};
    EXPECT_EQ(Run({"--ini", ini_, "--refresh"}), away ? 0 : 1);
    EXPECT_EQ(FileText(), before);
    ASSERT_EQ(console_.err.size(), away ? 2u : 3u);
    EXPECT_EQ(console_.err[away ? 0 : 2],
              "lumora-lists: " + (away ? Path("pics") + kAway : "The picture list was left as it was."));
  }

  WriteIni(SettingsFileText(kNewFileOptions));
  console_ = {};
  EXPECT_EQ(Run({"--ini", ini_, "--refresh"}), 1);
  EXPECT_EQ(console_.err, std::vector<std::string>{"lumora-lists: Nothing to refresh: no folders were chosen for " +
                                                   ini_ + " (lumora-lists --pictures FOLDER chooses them)"});
}

// Below the folder chosen, a folder that cannot be read is passed over with a line, and the rest is listed.
TEST_F(ListsTest, ASubfolderThatCannotBeReadIsPassedOver) {
  const std::pair<ListFailure, const char*> kRows[] = {
      {ListFailure::Unreadable, "Passed over, it cannot be read: "},
      {ListFailure::Gone, "Passed over, it was deleted while the folders were read: "},
      {ListFailure::TooLong, "Passed over, its path is too long for Windows: "}};
  const std::string a = MakeFile("pics/a.jpg"), c = MakeFile("pics/c/c.jpg");
  MakeFile("pics/b/b.jpg");
  for (const auto& [failure, line] : kRows) {
    tree_.listFailures = {{Path("pics/b"), failure}};
    console_ = {};
    EXPECT_EQ(Run({"--ini", ini_, "--pictures", Path("pics"), "--recursive"}), 0);
    EXPECT_EQ(IniText(), SettingsFileText(kNewFileOptions, {{1, a}, {2, c}}));
    EXPECT_EQ(console_.err, std::vector<std::string>{"lumora-lists: " + std::string(line) + Path("pics/b")});
  }
}

// Each place keeps its own choice of subfolders; a folder appended inside one that takes its subfolders lists
// nothing twice.
TEST_F(ListsTest, SubfoldersAreRememberedForEachFolder) {
  const std::string a = MakeFile("deep/a.jpg"), b = MakeFile("deep/in/b.jpg"), c = MakeFile("flat/c.jpg");
  MakeFile("flat/in/d.jpg");
  ASSERT_EQ(Run({"--ini", ini_, "--pictures", Path("deep"), "--recursive"}), 0);
  ASSERT_EQ(Run({"--ini", ini_, "--append", "--pictures", Path("flat"), "--pictures", Path("deep/in")}), 0);
  EXPECT_EQ(Run({"--ini", ini_, "--refresh"}), 0);
  EXPECT_EQ(IniText(), SettingsFileText(kNewFileOptions, {{1, a}, {2, b}, {3, c}}));
}

// Another run that chooses other folders while a refresh walks has the last word on that list.
TEST_F(ListsTest, FoldersChosenWhileARefreshRanAreKept) {
  MakeFile("pics/a.jpg");
  const std::string other = MakeFile("other/o.jpg");
  ASSERT_EQ(Run({"--ini", ini_, "--pictures", Path("pics")}), 0);
  tree_.onList = [&](const std::string&) {
    tree_.onList = nullptr;
    Run({"--ini", ini_, "--pictures", Path("other")});
  };
  console_ = {};
  EXPECT_EQ(Run({"--ini", ini_, "--refresh"}), 0);
  EXPECT_EQ(IniText(), SettingsFileText(kNewFileOptions, {{1, other}}));
  EXPECT_EQ(console_.err, std::vector<std::string>{"lumora-lists: Other picture folders were chosen while this "
                                                   "refresh ran: the picture list was left as they made it."});
}

// Junctions (0xA0000003) and symbolic links (0xA000000C) are name surrogates; cloud folders (0x9000001A, OneDrive's
// 0x9000601A) and deduplicated ones (0x80000013) are not; a reparse point (0x400) without a tag counts as a link.
TEST(Walk, GoesIntoTheFoldersExplorerShows) {
  EXPECT_TRUE(WalksInto(0x10, 0) && WalksInto(0x12, 0) && WalksInto(0x14, 0));  // plain, hidden, system
  EXPECT_FALSE(WalksInto(0x16, 0));                                             // hidden and system
  EXPECT_FALSE(WalksInto(0x410, 0xA0000003) || WalksInto(0x410, 0xA000000C) || WalksInto(0x410, 0));
  EXPECT_TRUE(WalksInto(0x410, 0x9000001A) && WalksInto(0x410, 0x9000601A) && WalksInto(0x410, 0x80000013));
}

// In Shift-JIS 0x95 0x5C is one letter (表) whose second byte is "\"'s, and 0x83 0x41 and 0x83 0x61 are two letters.
TEST(Walk, FindsSeparatorsAndLetterCaseByCharacter) {
  std::bitset<256> leadBytes;
  for (int byte = 0x81; byte <= 0x9F; ++byte) leadBytes.set(byte);
  const CodePage shiftJis(leadBytes), western;
  const std::tuple<const char*, const char*, bool, bool> kRows[] = {
      {"E:\\x.jpg", "E:\\", true, true},                   // a drive's root holds its files
      {"C:\\\x95\x5Cx.jpg", "C:\\\x95\x5C", false, true},  // 表x.jpg beside the folder 表
      {"C:\\\x83\x61\\x.jpg", "C:\\\x83\x41", false, true}};
  for (const auto& [path, place, inJapanese, inWestern] : kRows) {
    EXPECT_EQ(LiesIn(path, place, shiftJis), inJapanese) << path;
    EXPECT_EQ(LiesIn(path, place, western), inWestern) << path;
  }
}

// Entries listed by other means than a folder are remembered as files by --append, so that a refresh after it
// lists at least what was listed, less what is gone.
TEST_F(ListsTest, ARefreshAfterAnAppendListsWhatWasListedBeforeIt) {
  const std::string a = MakeFile("mine/a.jpg");
  MakeFile("mine/other.jpg");
  WriteIni(SettingsFileText(kNewFileOptions, {{1, a}, {2, Path("mine/gone.jpg")}}));
  const std::string n = MakeFile("new/n.jpg");
  ASSERT_EQ(Run({"--ini", ini_, "--append", "--pictures", Path("new")}), 0);
  const std::string m = MakeFile("new/m.jpg");
  console_ = {};
  EXPECT_EQ(Run({"--ini", ini_, "--refresh"}), 0);
  EXPECT_EQ(IniText(), SettingsFileText(kNewFileOptions, {{1, a}, {2, m}, {3, n}}));
  EXPECT_TRUE(console_.err.empty());
}

// 1,200 pictures, 500 slots: each listing takes the next 500 in turn, in name order within the list, and a
// picture deleted where the next listing starts moves nothing else.
TEST_F(ListsTest, ALibraryLargerThanTheListComesOnScreenInTurn) {
  LibraryTree tree(Path("temp"), Path("library"), 1200);
  const auto listing = [&](const std::vector<std::string>& arguments) {
    console_ = {};
    EXPECT_EQ(Run(arguments, tree), 0) << (console_.err.empty() ? "" : console_.err.back());
    return ListedEntries(SettingsStore(profiles_, ini_), SlotList::Pictures);
  };
  const std::vector<std::string> first = listing({"--ini", ini_, "--pictures", Path("library")});
  EXPECT_EQ(console_.out.back(),
            "Lumora will show 500 of your 1,200 pictures now, and the others at the next refreshes.");
  ASSERT_EQ(first.size(), 500u);
  EXPECT_EQ(first.front(), tree.Path(1));
  EXPECT_EQ(first.back(), tree.Path(500));
  EXPECT_NE(ChosenText().find("PictureNext=" + tree.Path(501)), std::string::npos);

  const std::vector<std::string> second = listing({"--ini", ini_, "--refresh"});
  ASSERT_EQ(second.size(), 500u);
  EXPECT_EQ(second.front(), tree.Path(501));
  EXPECT_EQ(second.back(), tree.Path(1000));

  tree.names.erase(LibraryTree::Name(1001));
  const std::vector<std::string> third = listing({"--ini", ini_, "--pictures", Path("library")});
  ASSERT_EQ(third.size(), 500u);
  EXPECT_EQ(third[0], tree.Path(1));
  EXPECT_EQ(third[300], tree.Path(301));
  EXPECT_EQ(third[301], tree.Path(1002));
  EXPECT_EQ(third[499], tree.Path(1200));

  std::set<std::string> seen;
  for (const auto* listed : {&first, &second, &third}) {
    EXPECT_EQ(std::set<std::string>(listed->begin(), listed->end()).size(), 500u) << "no picture twice in one";
    seen.insert(listed->begin(), listed->end());
  }
  EXPECT_EQ(seen.size(), 1199u) << "every picture after three listings";
}

TEST_F(ListsTest, AppendSkipsFilesListedAlreadyAndSoundOnlyFollowsAnEmptyList) {
  const std::string a = MakeFile("pics/a.jpg"), b = MakeFile("pics/b.jpg"), s = MakeFile("music/s.wav");
  std::string listedA = a;
  for (char& c : listedA) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  WriteIni(SettingsFileText(kNewFileOptions, {{1, listedA}}, {{1, "C:\\old.wav"}}));
  EXPECT_EQ(Run({"--append", "--ini", ini_, "--pictures", Path("pics"), "--pictures", b, "--sounds", s}), 0);
  // Sound stays off: the sound list was not empty.
  EXPECT_EQ(IniText(), SettingsFileText(kNewFileOptions, {{1, listedA}, {2, b}}, {{1, "C:\\old.wav"}, {2, s}}));
  EXPECT_EQ(console_.out, (std::vector<std::string>{"1 picture added to " + ini_ + " (1 listed already)",
                                                    "1 sound added to " + ini_}));
}

TEST_F(ListsTest, FilesNotWhatTheirNameSaysAndOtherKindsAreNamed) {
  for (const char* name : {"pics/good.jpg", "pics/b.gif", "pics/a.png", "pics/notes.txt"}) MakeFile(name);
  const std::string fakeJpeg = MakeFileHolding("pics/fake.jpg", "<html>");
  const std::string fakeBitmap = MakeFileHolding("pics/fake.bmp", "\xFF\xD8\xFF");
  const std::string fakeWave = MakeFileHolding("music/fake.wav", "RIFF\x24\0\0\0AVI ");
  const std::string song = MakeFile("music/song.mid");
  for (int i = 0; i < 11; ++i) MakeFile("music/t" + std::to_string(i) + ".mp3");
  tree_.unreadable = MakeFile("pics/locked.jpg");
  WriteIni(SettingsFileText(kNewFileOptions));
  EXPECT_EQ(Run({"--ini", ini_, "--pictures", Path("pics"), "--sounds", Path("music")}), 0);
  EXPECT_EQ(IniText(), SettingsFileText(std::string("Sound=1") + (kNewFileOptions + 7), {{1, Path("pics/good.jpg")}},
                                        {{1, song}}));
  EXPECT_EQ(console_.err,
            (std::vector<std::string>{
                "lumora-lists: Skipped, not a JPEG or bitmap picture inside: " + fakeBitmap,
                "lumora-lists: Skipped, not a JPEG or bitmap picture inside: " + fakeJpeg,
                "lumora-lists: Skipped, it cannot be read: " + tree_.unreadable,
                "lumora-lists: 3 files skipped: a.png, b.gif, notes.txt are not JPEG or bitmap pictures",
                "lumora-lists: Skipped, not a wave or MIDI file inside: " + fakeWave,
                "lumora-lists: 11 files skipped: t0.mp3, t1.mp3, t2.mp3, t3.mp3, t4.mp3, t5.mp3, t6.mp3, t7.mp3, "
                "t8.mp3, t9.mp3 and 1 more are not wave or MIDI files"}));
  EXPECT_EQ(console_.out, (std::vector<std::string>{"1 picture written to " + ini_, "1 sound written to " + ini_,
                                                    "Sound switched on: the sounds play beside the pictures"}));
}

TEST_F(ListsTest, HelpAndVersionPrintAndSucceed) {
  EXPECT_EQ(Run({"--pictures", Path("pics"), "--help", "--bogus"}), 0);
  ASSERT_FALSE(console_.out.empty());
  EXPECT_EQ(console_.out[0].rfind("Usage: lumora-lists [--ini FILE]", 0), 0u);
  for (const std::string& line : console_.out) EXPECT_LE(line.size(), 79u) << line;
  const std::vector<std::string> help = console_.out;
  console_ = {};
  EXPECT_EQ(Run({"/?"}), 0);
  EXPECT_EQ(console_.out, help);
  console_ = {};
  EXPECT_EQ(Run({"--version"}), 0);
  EXPECT_EQ(console_.out, std::vector<std::string>{"lumora-lists 1.0"});
  EXPECT_TRUE(console_.err.empty());
}

}  // namespace
}  // namespace lumora
