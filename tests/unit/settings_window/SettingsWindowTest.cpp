#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "settings_window/DisclaimerForm.h"
#include "settings_window/ScrollSteps.h"
#include "support/SettingsHarness.h"

namespace lumora {
namespace {

using test::SettingsHarness;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

void PressOk(SettingsHarness& window) {
  window.Run([](SettingsForm& form) { form.SaveAndClose(); });
}

// OK writes exactly these keys of the Options section, in this order.
void ExpectOkWrites(SettingsHarness& window, const std::vector<std::string>& options) {
  window.profiles.writes.clear();
  PressOk(window);
  std::vector<std::string> expected;
  for (const std::string& option : options) expected.push_back("Options/" + option);
  EXPECT_EQ(window.profiles.writes, expected);
}

TEST(SettingsWindow, MissingFileIsCreatedInOrderAndShowsTheDefaultChoices) {
  SettingsHarness window;
  window.Open();
  EXPECT_EQ(window.IniText(), SettingsFileText(kNewFileOptions));
  EXPECT_EQ(window.profiles.writes.size(), 8u + 2 * kSlotCount);
  EXPECT_THAT(window.boxes.shown, IsEmpty());
  EXPECT_THAT(window.boxes.errorReports, IsEmpty());
  EXPECT_THAT(window.view.CheckedRadios(),
              UnorderedElementsAre(OptionRadio::SoundOff, OptionRadio::InOrder, OptionRadio::Tiled,
                                   OptionRadio::BlackOnly, OptionRadio::Delay30s));
  EXPECT_EQ(window.view.Caption(SettingsControl::HeightValue), "25");
  EXPECT_EQ(window.view.Caption(SettingsControl::WidthValue), "25");
  EXPECT_TRUE(window.view.At(SettingsControl::HeightValue).captionSet);
  EXPECT_EQ(window.view.At(SettingsControl::WidthScrollBar).scrollPosition, 25);
  EXPECT_EQ(window.view.At(SettingsControl::HeightScrollBar).scrollPosition, 25);
  EXPECT_EQ(window.view.At(SettingsControl::WidthScrollBar).scrollMax, 1024);
  EXPECT_EQ(window.view.At(SettingsControl::HeightScrollBar).scrollMax, 768);
  EXPECT_THAT(window.view.Items(SettingsControl::PictureList), IsEmpty());
  EXPECT_THAT(window.view.Items(SettingsControl::SoundList), IsEmpty());
  EXPECT_EQ(window.view.ItemIndex(SettingsControl::PictureList), -1);
  EXPECT_EQ(window.state.pictureCount, 0);
  EXPECT_EQ(window.state.soundCount, 0);
  EXPECT_FALSE(window.view.At(OptionRadio::SoundOn).enabled);
  EXPECT_FALSE(window.view.At(OptionRadio::SoundOff).enabled);
  EXPECT_EQ(window.view.colour, (Rgb{95, 115, 175}));
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    ASSERT_EQ(window.state.pictureSlots[slot], "Null") << slot;
    ASSERT_EQ(window.state.soundSlots[slot], "Null") << slot;
  }
}

TEST(SettingsWindow, OkAfterANewFileWritesTheDefaultsBackAndAppendsSeq) {
  SettingsHarness window;
  window.Open();
  ExpectOkWrites(window, {"Sound=0", "Seq=1", "Color=4", "Picdis=4", "Time=2", "Height=25", "Width=25"});
  EXPECT_TRUE(window.view.closed);
  EXPECT_THAT(window.boxes.shown, IsEmpty());
  EXPECT_EQ(window.IniText(), SettingsFileText(std::string(kNewFileOptions) + "Seq=1\r\n"));
}

// Opening reads an existing file as it is and writes nothing.
TEST(ReadSettings, ChoicesAndSizesShowWhatTheFileHoldsOrTheirDefaults) {
  using enum OptionRadio;
  const std::vector<OptionRadio> defaults = {SoundOn, InOrder, Slide, BlackOnly, Delay120s};
  const std::vector<OptionRadio> stored = {SoundOff, AtRandom, NaturalSize, GreyColours, Delay45s};
  const struct {
    std::string text;
    std::vector<OptionRadio> radios;
    const char *height, *width;
    int heightBar, widthBar;
  } rows[] = {
      {SettingsFileText("Sound=0\r\nSeq=0\r\nColor=1\r\nPicdis=2\r\nTime=3\r\nHeight=300\r\nWidth=400\r\n"), stored,
       "300", "400", 300, 400},
      {SettingsFileText(""), defaults, "25", "25", 25, 25},
      {"", defaults, "25", "25", 25, 25},
      // Below 25 shows 25; above the screen (1024 x 768) stays in the label while the bar stops at the screen.
      {SettingsFileText("Height=10\r\nWidth=-3\r\n"), defaults, "25", "25", 25, 25},
      {SettingsFileText("Height=3000\r\nWidth=1024\r\n"), defaults, "3000", "1024", 768, 1024},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text.substr(0, 60));
    SettingsHarness window(1024, 768);
    window.IniText() = row.text;
    window.Open();
    EXPECT_THAT(window.profiles.writes, IsEmpty());
    EXPECT_THAT(window.view.CheckedRadios(), ::testing::UnorderedElementsAreArray(row.radios));
    EXPECT_EQ(window.view.Caption(SettingsControl::HeightValue), row.height);
    EXPECT_EQ(window.view.Caption(SettingsControl::WidthValue), row.width);
    EXPECT_EQ(window.view.At(SettingsControl::HeightScrollBar).scrollPosition, row.heightBar);
    EXPECT_EQ(window.view.At(SettingsControl::WidthScrollBar).scrollPosition, row.widthBar);
  }
}

TEST(ReadSettings, EmptyFileReadsEverySlotAsAnEmptyEntry) {
  SettingsHarness window;
  window.IniText() = "";
  window.Open();
  EXPECT_EQ(window.state.pictureCount, kSlotCount);
  EXPECT_EQ(window.state.soundCount, kSlotCount);
  EXPECT_EQ(window.view.Item(SettingsControl::PictureList, 0), "");
  EXPECT_TRUE(window.view.At(OptionRadio::SoundOn).enabled);
}

TEST(ReadSettings, ACodeChecksTheButtonOfItsRow) {
  using enum OptionRadio;
  const std::pair<const char*, OptionRadio> codes[] = {
      {"Color=1", GreyColours},   {"Color=2", DarkColours}, {"Color=3", BrightColours}, {"Color=4", BlackOnly},
      {"Color=0x2", DarkColours}, {"Picdis=1", Stretched},  {"Picdis=2", NaturalSize},  {"Picdis=3", PictureInPicture},
      {"Picdis=4", Tiled},        {"Picdis=5", CustomSize}, {"Picdis=6", Overlapping},  {"Picdis=7", Slide},
      {"Time=1", Delay15s},       {"Time=2", Delay30s},     {"Time=3", Delay45s},       {"Time=4", Delay60s},
      {"Time=8", Delay8s},        {"Time=120", Delay120s},  {"Sound=0", SoundOff},      {"Sound=1", SoundOn},
      {"Sound=2", SoundOn},       {"Sound=x", SoundOn},     {"Seq=0", AtRandom},        {"Seq=1", InOrder},
      {"Seq=", InOrder}};
  for (const auto& [line, radio] : codes) {
    SettingsHarness window;
    window.IniText() = SettingsFileText(std::string(line) + "\r\n");
    window.Open();
    EXPECT_TRUE(window.view.Checked(radio)) << line;
    EXPECT_EQ(window.view.CheckedRadios().size(), 5u) << line;
  }
}

TEST(SettingsWindow, ListsShowTheirEntriesInSlotOrderWithTheFirstSelected) {
  SettingsHarness window;
  window.IniText() = SettingsFileText("", {{3, "C:\\P\\c.jpg"}, {1, "C:\\P\\a.jpg"}, {7, "null"}, {9, std::nullopt}},
                                      {{4, "C:\\S\\b.mid"}, {2, "C:\\S\\a.wav"}});
  window.Open();
  EXPECT_THAT(window.view.Items(SettingsControl::PictureList), ElementsAre("C:\\P\\a.jpg", "C:\\P\\c.jpg", "null", ""));
  EXPECT_THAT(window.view.Items(SettingsControl::SoundList), ElementsAre("C:\\S\\a.wav", "C:\\S\\b.mid"));
  EXPECT_EQ(window.state.pictureCount, 4);
  EXPECT_EQ(window.state.soundCount, 2);
  EXPECT_EQ(window.view.ItemIndex(SettingsControl::PictureList), 0);
  EXPECT_EQ(window.view.ItemIndex(SettingsControl::SoundList), 0);
  EXPECT_EQ(window.state.pictureSlots[2], "Null");
  EXPECT_EQ(window.state.pictureSlots[3], "C:\\P\\c.jpg");
  EXPECT_EQ(window.state.pictureSlots[9], "");
  EXPECT_TRUE(window.view.At(OptionRadio::SoundOn).enabled);
  EXPECT_TRUE(window.view.At(OptionRadio::SoundOff).enabled);
}

TEST(SettingsWindow, SoundOnWithoutSoundsStaysCheckedButDisabledAndIsWrittenBack) {
  SettingsHarness window;
  window.IniText() = SettingsFileText("Sound=1\r\n");
  window.Open();
  EXPECT_TRUE(window.view.Checked(OptionRadio::SoundOn));
  EXPECT_FALSE(window.view.At(OptionRadio::SoundOn).enabled);
  EXPECT_FALSE(window.view.At(OptionRadio::SoundOff).enabled);
  ExpectOkWrites(window, {"Sound=1", "Seq=1", "Color=4", "Picdis=7", "Time=120", "Height=25", "Width=25"});
}

TEST(SettingsWindow, OkWritesTheSevenKeysInOrderWithTheValuesShown) {
  SettingsHarness window(1024, 768);
  window.IniText() =
      SettingsFileText("Sound=1\r\nSeq=0\r\nColor=0x2\r\nPicdis=6\r\nTime=7\r\nHeight=10\r\nWidth=3000\r\n");
  window.Open();
  ExpectOkWrites(window, {"Sound=1", "Seq=0", "Color=2", "Picdis=6", "Time=120", "Height=25", "Width=3000"});
  EXPECT_EQ(window.view.At(SettingsControl::WidthScrollBar).scrollPosition, 1024);
  EXPECT_TRUE(window.view.closed);
}

TEST(SettingsWindow, OkWritesTheChoicesTheUserMade) {
  SettingsHarness window;
  window.IniText() = SettingsFileText("Sound=0\r\nSeq=1\r\nColor=4\r\nPicdis=4\r\nTime=2\r\n");
  window.Open();
  for (OptionRadio radio : {OptionRadio::SoundOn, OptionRadio::AtRandom, OptionRadio::GreyColours,
                            OptionRadio::CustomSize, OptionRadio::Delay8s})
    window.view.Check(radio);
  window.form.OnWidthScroll(300);
  window.form.OnHeightScroll(200);
  ExpectOkWrites(window, {"Sound=1", "Seq=0", "Color=1", "Picdis=5", "Time=8", "Height=200", "Width=300"});
}

TEST(SettingsWindow, EachCodeButtonWritesItsCode) {
  using enum OptionRadio;
  const std::pair<OptionRadio, const char*> buttons[] = {
      {GreyColours, "Color=1"}, {DarkColours, "Color=2"},  {BrightColours, "Color=3"},     {BlackOnly, "Color=4"},
      {Stretched, "Picdis=1"},  {NaturalSize, "Picdis=2"}, {PictureInPicture, "Picdis=3"}, {Tiled, "Picdis=4"},
      {CustomSize, "Picdis=5"}, {Overlapping, "Picdis=6"}, {Delay15s, "Time=1"},           {Slide, "Picdis=7"},
      {Delay30s, "Time=2"},     {Delay45s, "Time=3"},      {Delay60s, "Time=4"},           {Delay8s, "Time=8"},
      {Delay120s, "Time=120"}};
  // From two files that check different buttons in every group, so no row writes what was read.
  for (const char* options : {"", "Color=1\r\nPicdis=1\r\nTime=1\r\n"})
    for (const auto& [radio, written] : buttons) {
      SettingsHarness window;
      window.IniText() = SettingsFileText(options);
      window.Open();
      window.view.Check(radio);
      PressOk(window);
      EXPECT_THAT(window.profiles.writes, ::testing::Contains(std::string("Options/") + written))
          << ::testing::PrintToString(radio) << " from \"" << options << '"';
    }
}

// Exactly one picture shows a note once before the window closes.
TEST(SettingsWindow, OkNotesASinglePictureThenCloses) {
  const std::string note =
      "Note: This screensaver will display your pictures at random. If you only enter one picture, the screen will "
      "never change as there will be only one picture to choose from.";
  const std::pair<SlotValues, std::vector<std::string>> rows[] = {
      {{}, {}}, {{{5, "C:\\P\\only.jpg"}}, {note}}, {{{1, "a.jpg"}, {2, "b.jpg"}}, {}}};
  for (const auto& [pictures, notes] : rows) {
    SCOPED_TRACE(pictures.size());
    SettingsHarness window;
    window.IniText() = SettingsFileText("Seq=1\r\n", pictures);
    window.Open();
    PressOk(window);
    std::vector<std::string> shown;
    for (const test::ShownBox& box : window.boxes.shown) {
      EXPECT_EQ(box.kind, BoxKind::Confirm);
      EXPECT_EQ(box.buttons, BoxButtons::Ok);
      shown.push_back(box.text);
    }
    EXPECT_EQ(shown, notes);
    EXPECT_TRUE(window.view.closed);
  }
}

TEST(SettingsWindow, RefusedWriteAtOkIsReportedKeepsTheKeysBeforeItAndLeavesTheWindowOpen) {
  SettingsHarness window;
  window.IniText() = SettingsFileText("Sound=0\r\nSeq=1\r\nColor=4\r\nPicdis=4\r\nTime=2\r\n", {{1, "a.jpg"}});
  window.Open();
  window.view.Check(OptionRadio::AtRandom);
  window.view.Check(OptionRadio::DarkColours);
  window.view.Check(OptionRadio::Overlapping);
  window.profiles.writesAllowed = 3;
  PressOk(window);
  EXPECT_THAT(window.boxes.errorReports, ElementsAre("Unable to write to C:\\WINDOWS\\lumora.ini."));
  EXPECT_THAT(window.boxes.shown, IsEmpty());
  EXPECT_FALSE(window.view.closed);
  EXPECT_THAT(window.profiles.writes, ElementsAre("Options/Sound=0", "Options/Seq=0", "Options/Color=2"));
  EXPECT_EQ(window.IniText().substr(0, window.IniText().find("[JpegConfig]")),
            "[Options]\r\nSound=0\r\nSeq=0\r\nColor=2\r\nPicdis=4\r\nTime=2\r\n");

  window.profiles.writesAllowed = 100;
  ExpectOkWrites(window, {"Sound=0", "Seq=0", "Color=2", "Picdis=6", "Time=2", "Height=25", "Width=25"});
  EXPECT_EQ(window.boxes.errorReports.size(), 1u);
  EXPECT_EQ(window.boxes.shown.size(), 1u);
  EXPECT_TRUE(window.view.closed);
}

TEST(SettingsWindow, RefusedFirstWriteAtCreationLeavesTheControlsUnset) {
  SettingsHarness window;
  window.profiles.writesAllowed = 0;
  window.Open();
  EXPECT_THAT(window.boxes.errorReports, ElementsAre("Unable to write to C:\\WINDOWS\\lumora.ini."));
  EXPECT_THAT(window.view.CheckedRadios(), IsEmpty());
  EXPECT_FALSE(window.view.At(SettingsControl::HeightValue).captionSet);
  EXPECT_FALSE(window.view.At(SettingsControl::WidthValue).captionSet);
  EXPECT_THAT(window.view.Items(SettingsControl::PictureList), IsEmpty());
  EXPECT_THAT(window.view.Items(SettingsControl::SoundList), IsEmpty());
  EXPECT_EQ(window.state.pictureSlots[1], "");
  // The steps after the failed write are skipped, disabling the sound buttons among them.
  EXPECT_TRUE(window.view.At(OptionRadio::SoundOn).enabled);
  EXPECT_EQ(window.view.colour, (Rgb{95, 115, 175}));
  EXPECT_EQ(window.view.At(SettingsControl::WidthScrollBar).scrollMax, 1024);
}

TEST(SettingsWindow, RefusedWriteMidwayThroughTheNewFileKeepsTheSlotsWrittenBefore) {
  SettingsHarness window;
  window.profiles.writesAllowed = 8 + 2 * 10 + 1;
  window.Open();
  EXPECT_EQ(window.boxes.errorReports.size(), 1u);
  EXPECT_EQ(window.state.pictureSlots[11], "Null");
  EXPECT_EQ(window.state.soundSlots[10], "Null");
  EXPECT_EQ(window.state.soundSlots[11], "");
  EXPECT_NE(window.IniText().find("[JpegConfig]\r\nName1=Null"), std::string::npos);
  EXPECT_EQ(window.IniText().find("Name12="), std::string::npos);
  EXPECT_THAT(window.view.CheckedRadios(), IsEmpty());
}

TEST(SettingsWindow, ScrollHandlersShowTheBarPositionInTheirLabels) {
  SettingsHarness window;
  window.IniText() = SettingsFileText("");
  window.Open();
  window.form.OnWidthScroll(26);
  window.form.OnHeightScroll(768);
  EXPECT_EQ(window.view.Caption(SettingsControl::WidthValue), "26");
  EXPECT_EQ(window.view.Caption(SettingsControl::HeightValue), "768");
}

TEST(ScrollSteps, ArrowsPageAreasAndThumbMoveWithinTheRange) {
  const ScrollRange range{25, 1024, 25, 1, 1};
  const struct {
    ScrollCode code;
    int position, thumb, next;
  } steps[] = {{ScrollCode::LineRight, 25, 0, 26},        {ScrollCode::LineLeft, 25, 0, 25},
               {ScrollCode::PageRight, 100, 0, 101},      {ScrollCode::PageLeft, 100, 0, 99},
               {ScrollCode::LineRight, 1024, 0, 1024},    {ScrollCode::Rightmost, 30, 0, 1024},
               {ScrollCode::Leftmost, 30, 0, 25},         {ScrollCode::EndScroll, 30, 0, 30},
               {ScrollCode::ThumbTrack, 25, 512, 512},    {ScrollCode::ThumbTrack, 512, 1024, 1024},
               {ScrollCode::ThumbPosition, 512, 700, 700}};
  for (const auto& step : steps)
    EXPECT_EQ(NextScrollPosition(step.code, step.position, step.thumb, range), step.next)
        << "code " << static_cast<int>(step.code) << " at " << step.position;
}

TEST(SettingsWindow, AboutShowsTheDisclaimerModally) {
  SettingsHarness window;
  window.IniText() = SettingsFileText("");
  window.Open();
  window.form.ShowDisclaimer();
  EXPECT_EQ(window.view.disclaimerShown, 1);
}

class CountingDisclaimerView : public DisclaimerView {
 public:
  void Close() override { ++closes; }
  int closes = 0;
};

TEST(Disclaimer, ReturnClosesTheWindow) {
  CountingDisclaimerView view;
  DisclaimerForm disclaimerForm(view);
  disclaimerForm.OnReturn();
  EXPECT_EQ(view.closes, 1);
}

}  // namespace
}  // namespace lumora
