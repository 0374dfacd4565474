#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/LumoraError.h"
#include "portable/PortableProfileFiles.h"
#include "settings_file/OptionTable.h"
#include "settings_file/SettingsFile.h"
#include "settings_file/SettingsStore.h"
#include "support/FakePlatform.h"
#include "support/SettingsFiles.h"

namespace lumora {
namespace {

class PortableStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("lumora-store-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
    path_ = (dir_ / "lumora.ini").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  void WriteFile(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
  std::string FileText() const {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::filesystem::path dir_;
  std::string path_;
  PortableProfileFiles files_;
};

TEST_F(PortableStoreTest, MatchesSectionsAndKeysWithoutRegardToCase) {
  WriteFile("[Options]\r\nPicDis=5\r\n");
  SettingsStore ini(files_, path_);
  EXPECT_EQ(ini.ReadString("OPTIONS", "picdis", "x"), "5");
  ini.WriteString("options", "PICDIS", "6");
  EXPECT_EQ(FileText(), "[Options]\r\nPicDis=6\r\n");
}

TEST_F(PortableStoreTest, AppendsNewKeysToTheirSectionAndNewSectionsToTheEnd) {
  WriteFile("[Options]\r\nSound=0\r\n[JpegConfig]\r\nName1=Null\r\n");
  SettingsStore ini(files_, path_);
  ini.WriteBool("Options", "Seq", true);
  ini.WriteString("WavConfig", "Name1", "C:\\a.wav");
  ini.WriteString("JpegConfig", "Name1", "C:\\b.jpg");
  EXPECT_EQ(FileText(),
            "[Options]\r\nSound=0\r\nSeq=1\r\n[JpegConfig]\r\nName1=C:\\b.jpg\r\n[WavConfig]\r\nName1=C:\\a.wav\r\n");
}

TEST_F(PortableStoreTest, ReadsFilesWrittenByOtherEditors) {
  WriteFile("; comment\n\n[Options]  \n  Color =  2 \n\n[JpegConfig]\nName1 = \"C:\\quoted.jpg\"\nName2\n");
  SettingsStore ini(files_, path_);
  EXPECT_EQ(ini.ReadInteger("Options", "Color", -1), 2);
  EXPECT_EQ(ini.ReadString("JpegConfig", "Name1", ""), "C:\\quoted.jpg");
  EXPECT_EQ(ini.ReadString("JpegConfig", "Name2", "default"), "default");
}

TEST_F(PortableStoreTest, MissingFileSectionOrKeyGivesTheDefault) {
  SettingsStore ini(files_, path_);
  EXPECT_EQ(ini.ReadString("Options", "Sound", "d"), "d");
  EXPECT_EQ(ini.ReadInteger("Options", "Sound", -1), -1);
  WriteFile("[Options]\r\nSound=1\r\n");
  EXPECT_EQ(ini.ReadString("Other", "Sound", "d"), "d");
  EXPECT_EQ(ini.ReadString("Options", "Seq", "d"), "d");
}

TEST_F(PortableStoreTest, AbsentSlotReadsEmptyWhileNullAndOtherCasesAreKept) {
  WriteFile("[JpegConfig]\r\nName1=Null\r\nName2=null\r\nName3=\r\n");
  SettingsStore ini(files_, path_);
  EXPECT_TRUE(IsFreeSlot(ini.ReadString(kPictureSection, "Name1", kSlotDefault)));
  EXPECT_EQ(ini.ReadString(kPictureSection, "Name2", kSlotDefault), "null");
  EXPECT_FALSE(IsFreeSlot("null"));
  EXPECT_EQ(ini.ReadString(kPictureSection, "Name3", kSlotDefault), "");
  EXPECT_EQ(ini.ReadString(kPictureSection, "Name4", kSlotDefault), "");
}

TEST_F(PortableStoreTest, LongValuesAreCutTo1023Characters) {
  SettingsStore ini(files_, path_);
  const std::string longValue(1500, 'x');
  ini.WriteString("JpegConfig", "Name1", longValue);
  EXPECT_EQ(ini.ReadString("JpegConfig", "Name1", ""), std::string(1023, 'x'));
}

TEST_F(PortableStoreTest, RefusedWriteRaisesUnableToWriteWithThePath) {
  const std::string unwritable = (dir_ / "missing-folder" / "lumora.ini").string();
  SettingsStore ini(files_, unwritable);
  try {
    ini.WriteInteger("Options", "Time", 2);
    FAIL() << "no error raised";
  } catch (const LumoraError& error) { EXPECT_EQ(std::string(error.what()), "Unable to write to " + unwritable); }
}

TEST_F(PortableStoreTest, NewSettingsFileHoldsItsKeysInOrder) {
  SettingsStore ini(files_, path_);
  int slotsWritten = 0;
  WriteNewSettingsFile(ini, [&](SlotList, int) { ++slotsWritten; });
  EXPECT_EQ(FileText(), SettingsFileText(kNewFileOptions));
  EXPECT_EQ(slotsWritten, 2 * kSlotCount);
}

// Anything but a decimal or 0x-hexadecimal integer of 32 bits gives the default, 5 here.
TEST(SettingsStore, IntegersAreDecimalOrHexAfter0xAndAnythingElseGivesTheDefault) {
  // clang-format off
  const std::pair<const char*, int32_t> numbers[] = {
      {"42", 42},   {"-7", -7},     {"+7", 7},   {"0x2", 2}, {"0X1f", 31}, {"0xFFFFFFFF", -1},
      {"2147483647", 2147483647},   {"-2147483648", INT32_MIN}, {"", 5},  {"blue", 5},  {"0x", 5},
      {"0X", 5},    {"12a", 5},     {"1 2", 5},  {"-", 5},   {"0x1G", 5}, {"2147483648", 5},
      {"0x100000000", 5},           {"$10", 5}};
  // clang-format on
  for (const auto& [text, value] : numbers) EXPECT_EQ(ParseProfileInteger(text, 5), value) << '"' << text << '"';
}

TEST(SettingsStore, FlagsAreIntegersThatAreTrueWhenNotZero) {
  // A stored number is read with the default opposite to what it must give, so a default read shows.
  const struct {
    const char* stored;  // nothing: the key is absent
    bool fallback, expected;
  } flags[] = {{"1", false, true},    {"2", false, true},     {"-1", false, true},  {"0x10", false, true},
               {"0", true, false},    {"0x0", true, false},   {"blue", true, true}, {"blue", false, false},
               {nullptr, true, true}, {nullptr, false, false}};
  for (const auto& flag : flags) {
    SCOPED_TRACE(std::string(flag.stored ? flag.stored : "absent") + (flag.fallback ? ", default true" : ""));
    test::MemoryProfileFiles files;
    files.texts["C:\\lumora.ini"] = flag.stored ? std::string("[Options]\r\nSound=") + flag.stored + "\r\n" : "";
    EXPECT_EQ(SettingsStore(files, "C:\\lumora.ini").ReadBool("Options", "Sound", flag.fallback), flag.expected);
  }
}

// A value gets the row of its code, and any other value the option's last row; a flag is true unless it is 0.
TEST(OptionTable, AValueGetsTheRowOfItsCodeAndAnyOtherTheLastRow) {
  const struct {
    Option option;
    int32_t value, code;
  } values[] = {{Option::ColourScheme, 1, 1}, {Option::ColourScheme, 0, 4}, {Option::DisplayMode, 9, 7},
                {Option::DisplayMode, -1, 7}, {Option::Delay, 8, 8},        {Option::Delay, 7, 120},
                {Option::Sound, 0, 0},        {Option::Sound, 2, 1}};
  for (const auto& [option, value, code] : values)
    EXPECT_EQ(CodeRowFor(option, value).code, code) << RowOf(option).key << "=" << value;
}

TEST(IniFileName, UsesTheExecutableNameCutBeforeItsFirstPeriod) {
  const struct {
    const char *windowsDir, *executable, *iniFile;
  } names[] = {{"C:\\WINDOWS", "C:\\SAVERS\\Holiday.Pics.scr", "C:\\WINDOWS\\Holiday.ini"},
               {"C:\\WINDOWS", "C:\\Beach.scr", "C:\\WINDOWS\\Beach.ini"},
               {"c:\\windows", "D:\\dir.x\\NoPeriod", "c:\\windows\\NoPeriod.ini"},
               {"C:\\", "A:a.b.scr", "C:\\\\a.ini"}};
  for (const auto& [windowsDir, executable, iniFile] : names)
    EXPECT_EQ(IniFileName(windowsDir, executable), iniFile) << executable;
}

}  // namespace
}  // namespace lumora
