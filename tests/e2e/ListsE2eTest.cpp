// lumora-lists.exe under Wine: a photo whose name the ANSI code page cannot spell is listed by its short name, and
// the saver shows it.
#include <X11/keysym.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SaverRun.h"
#include "portable/IniText.h"
#include "samples/PictureFiles.h"

namespace lumora::e2e {
namespace {

using namespace std::chrono_literals;

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

}  // namespace
}  // namespace lumora::e2e
