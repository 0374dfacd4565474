#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "app/RunProgram.h"
#include "support/FakePlatform.h"

namespace lumora {
namespace {

using Arguments = std::vector<std::string>;

TEST(SplitCommandLine, BlanksAndControlCharactersSeparateAndQuotesGroup) {
  EXPECT_EQ(SplitCommandLine("lumora.scr /S"), (Arguments{"lumora.scr", "/S"}));
  EXPECT_EQ(SplitCommandLine("\"C:\\My Savers\\lumora.scr\"\t/c:1234  x"),
            (Arguments{"C:\\My Savers\\lumora.scr", "/c:1234", "x"}));
  EXPECT_EQ(SplitCommandLine("a b\"c d\"e \"\" f"), (Arguments{"a", "bc de", "f"}));
  EXPECT_EQ(SplitCommandLine("a \"unterminated rest"), (Arguments{"a", "unterminated rest"}));
  EXPECT_EQ(SplitCommandLine("   "), Arguments{});
  EXPECT_EQ(SplitCommandLine("a\x01/s"), (Arguments{"a", "/s"}));
}

TEST(SplitCommandLine, BytesAboveAsciiAreOrdinaryCharacters) {
  EXPECT_EQ(SplitCommandLine("a \xE9t\xE9"), (Arguments{"a", "\xE9t\xE9"}));
}

TEST(UpperAscii, ChangesOnlyTheLettersAToZ) {
  EXPECT_EQ(UpperAscii("/c:abz\xE9\xFF{"), "/C:ABZ\xE9\xFF{");
  EXPECT_EQ(ArgumentPrefix("/configure"), "/C");
  EXPECT_EQ(ArgumentPrefix("/"), "/");
  EXPECT_EQ(ArgumentPrefix(""), "");
}

RunMode ModeFor(const std::string& argument) { return ChooseRunMode({"lumora.scr", argument}); }

TEST(ChooseRunMode, SaverOnlyForExactlySlashS) {
  EXPECT_EQ(ModeFor("/s"), RunMode::Saver);
  EXPECT_EQ(ModeFor("/S"), RunMode::Saver);
  EXPECT_EQ(ModeFor("/S:123"), RunMode::None);
  EXPECT_EQ(ModeFor("/SX"), RunMode::None);
  EXPECT_EQ(ModeFor("-s"), RunMode::None);
  EXPECT_EQ(ModeFor("s"), RunMode::None);
}

TEST(ChooseRunMode, SettingsAndPasswordChangeByPrefix) {
  for (const char* argument : {"/c", "/C", "/C:5678", "/configure", "/cX"})
    EXPECT_EQ(ModeFor(argument), RunMode::Settings) << argument;
  for (const char* argument : {"/a", "/A", "/Ax", "/a:99"})
    EXPECT_EQ(ModeFor(argument), RunMode::PasswordChange) << argument;
  EXPECT_EQ(ChooseRunMode({"lumora.scr", "/a", "1234"}), RunMode::PasswordChange);
}

TEST(ChooseRunMode, EverythingElseRunsNothing) {
  EXPECT_EQ(ChooseRunMode({"lumora.scr"}), RunMode::None);
  EXPECT_EQ(ChooseRunMode({}), RunMode::None);
  for (const char* argument : {"/p", "/", "c", "/x", "", "//c"}) EXPECT_EQ(ModeFor(argument), RunMode::None);
  EXPECT_EQ(ChooseRunMode({"lumora.scr", "/p", "1234"}), RunMode::None);
}

struct RecordingModes : WindowModes {
  void RunSaverMode() override { runs.push_back("saver"); }
  void RunSettingsMode() override { runs.push_back("settings"); }
  std::vector<std::string> runs;
};

struct EntryTest : ::testing::Test {
  int Run(const std::string& commandLine) { return RunProgram(commandLine, system, passwords, modes); }
  test::FakeSystem system;
  test::FakePasswords passwords;
  RecordingModes modes;
};

TEST_F(EntryTest, RunsTheModeTheFirstArgumentNames) {
  EXPECT_EQ(Run("lumora.scr /s"), 0);
  EXPECT_EQ(Run("lumora.scr /c:1"), 0);
  EXPECT_EQ(Run("lumora.scr /p 1234"), 0);
  EXPECT_EQ(Run("lumora.scr"), 0);
  EXPECT_EQ(modes.runs, (std::vector<std::string>{"saver", "settings"}));
  EXPECT_TRUE(passwords.changeCalls.empty());
}

TEST_F(EntryTest, AnOpenSaverWindowStopsEveryMode) {
  system.saverWindowExists = true;
  for (const char* line : {"lumora.scr /s", "lumora.scr /c", "lumora.scr /a"}) EXPECT_EQ(Run(line), 0);
  EXPECT_TRUE(modes.runs.empty());
  EXPECT_TRUE(passwords.changeCalls.empty());
}

TEST_F(EntryTest, ASaverStartedBesideOneThatHasClaimedTheRunEndsOtherModesGoOn) {
  system.saverRunFree = false;
  for (const char* line : {"lumora.scr /s", "lumora.scr /c"}) EXPECT_EQ(Run(line), 0);
  EXPECT_EQ(modes.runs, (std::vector<std::string>{"settings"}));
}

TEST_F(EntryTest, PasswordChangeLoadsMprFromTheSystemDirectory) {
  system.systemDir = "C:\\WINDOWS\\SYSTEM";
  Run("lumora.scr /a 1234");
  system.systemDir = "C:\\";
  Run("lumora.scr /A");
  system.systemDir = "";
  Run("lumora.scr /a");
  EXPECT_EQ(passwords.changeCalls,
            (std::vector<std::string>{"C:\\WINDOWS\\SYSTEM\\MPR.DLL", "C:\\MPR.DLL", "MPR.DLL"}));
  EXPECT_TRUE(modes.runs.empty());
}

}  // namespace
}  // namespace lumora
