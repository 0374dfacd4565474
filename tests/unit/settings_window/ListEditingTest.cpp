#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/SettingsHarness.h"

namespace lumora {
namespace {

using test::SettingsHarness;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

void AddPicture(SettingsHarness& window, std::optional<std::string> answer) {
  window.view.pictureAnswers.push_back(std::move(answer));
  window.Run([](SettingsForm& form) { form.AddPicture(); });
}

void AddSound(SettingsHarness& window, std::optional<std::string> answer) {
  window.view.soundAnswers.push_back(std::move(answer));
  window.Run([](SettingsForm& form) { form.AddSound(); });
}

void RemovePicture(SettingsHarness& window) {
  window.Run([](SettingsForm& form) { form.RemovePicture(); });
}
void RemoveSound(SettingsHarness& window) {
  window.Run([](SettingsForm& form) { form.RemoveSound(); });
}

// A window opened on `text`, with nothing recorded yet.
void OpenOn(SettingsHarness& window, const std::string& text) {
  window.IniText() = text;
  window.Open();
  window.profiles.writes.clear();
}

SlotValues FullList() {
  SlotValues values;
  for (int slot = 1; slot <= kSlotCount; ++slot) values[slot] = "C:\\P\\p" + std::to_string(slot) + ".jpg";
  return values;
}

TEST(ListEditing, AddTakesTheLowestFreeSlotButAppendsToTheList) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText("", {{1, "C:\\a.jpg"}, {3, "C:\\c.jpg"}}));
  window.view.SetItemIndex("ListBox1", 1);
  AddPicture(window, "C:\\new.jpg");
  EXPECT_THAT(window.profiles.writes, ElementsAre("JpegConfig/Name2=C:\\new.jpg"));
  EXPECT_THAT(window.view.Items("ListBox1"), ElementsAre("C:\\a.jpg", "C:\\c.jpg", "C:\\new.jpg"));
  EXPECT_EQ(window.state.PictureSlots[2], "C:\\new.jpg");
  EXPECT_EQ(window.state.PictureCount, 3);
  EXPECT_EQ(window.view.ItemIndex("ListBox1"), 0);
  EXPECT_THAT(window.view.Items("ListBox2"), IsEmpty());

  SettingsHarness reopened;
  OpenOn(reopened, window.IniText());
  EXPECT_THAT(reopened.view.Items("ListBox1"), ElementsAre("C:\\a.jpg", "C:\\new.jpg", "C:\\c.jpg"));
}

TEST(ListEditing, AddLooksAtTheWindowsSlotTableNotAtTheFile) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText(""));
  window.IniText() = SettingsFileText("", {{1, "C:\\changed-elsewhere.jpg"}});
  AddPicture(window, "C:\\mine.jpg");
  EXPECT_THAT(window.profiles.writes, ElementsAre("JpegConfig/Name1=C:\\mine.jpg"));
}

TEST(ListEditing, SamePathTwiceFillsTwoSlotsAndRemovingEitherLineClearsTheLowerSlot) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText(""));
  AddPicture(window, "C:\\x.jpg");
  AddPicture(window, "C:\\x.jpg");
  EXPECT_THAT(window.view.Items("ListBox1"), ElementsAre("C:\\x.jpg", "C:\\x.jpg"));
  window.view.SetItemIndex("ListBox1", 1);
  window.profiles.writes.clear();
  RemovePicture(window);
  EXPECT_THAT(window.profiles.writes, ElementsAre("JpegConfig/Name1=Null"));
  EXPECT_EQ(window.state.PictureSlots[1], "Null");
  EXPECT_EQ(window.state.PictureSlots[2], "C:\\x.jpg");
  EXPECT_THAT(window.view.Items("ListBox1"), ElementsAre("C:\\x.jpg"));
  EXPECT_EQ(window.state.PictureCount, 1);
  EXPECT_EQ(window.view.ItemIndex("ListBox1"), 0);
}

TEST(ListEditing, RemovingClearsTheSlotOfTheSelectedLine) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText("", {{2, "C:\\a.jpg"}, {4, "C:\\b.jpg"}, {9, "C:\\c.jpg"}}));
  window.view.SetItemIndex("ListBox1", 2);
  RemovePicture(window);
  EXPECT_THAT(window.profiles.writes, ElementsAre("JpegConfig/Name9=Null"));
  EXPECT_THAT(window.view.Items("ListBox1"), ElementsAre("C:\\a.jpg", "C:\\b.jpg"));
  EXPECT_EQ(window.view.ItemIndex("ListBox1"), 0);
  EXPECT_EQ(window.state.PictureCount, 2);
  EXPECT_EQ(window.state.PictureSlots[9], "Null");
  EXPECT_EQ(window.state.PictureSlots[4], "C:\\b.jpg");
}

TEST(ListEditing, FullListRefusesTheAddUntilOneEntryIsRemovedThenTheFreedSlotIsTaken) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText("", FullList()));
  AddPicture(window, "C:\\new.jpg");
  ASSERT_EQ(window.boxes.shown.size(), 1u);
  EXPECT_EQ(window.boxes.shown[0].kind, BoxKind::Confirm);
  EXPECT_EQ(window.boxes.shown[0].buttons, BoxButtons::Ok);
  EXPECT_EQ(window.boxes.shown[0].text,
            "You have reached the maximum number of entries stored.  Please delete one if you wish to add another.");
  EXPECT_THAT(window.profiles.writes, IsEmpty());
  EXPECT_EQ(window.state.PictureCount, 500);

  window.view.SetItemIndex("ListBox1", 41);
  RemovePicture(window);
  AddPicture(window, "C:\\new.jpg");
  EXPECT_THAT(window.profiles.writes, ElementsAre("JpegConfig/Name42=Null", "JpegConfig/Name42=C:\\new.jpg"));
  EXPECT_EQ(window.view.Items("ListBox1").back(), "C:\\new.jpg");
  EXPECT_EQ(window.state.PictureCount, 500);
}

TEST(ListEditing, FullSoundListRefusesTheAddButStillEnablesTheSoundChoice) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText(""));
  for (int slot = 1; slot <= kSlotCount; ++slot) window.state.SoundSlots[slot] = "C:\\S\\taken.wav";
  AddSound(window, "C:\\S\\new.wav");
  ASSERT_EQ(window.boxes.shown.size(), 1u);
  EXPECT_EQ(window.boxes.shown[0].kind, BoxKind::Confirm);
  EXPECT_THAT(window.profiles.writes, IsEmpty());
  EXPECT_TRUE(window.view.At("Radsndon").enabled);
  EXPECT_TRUE(window.view.At("Radsndof").enabled);
}

TEST(ListEditing, RemovingFromAnEmptyListShowsTheEmptyListMessageWithoutConfirmation) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText(""));
  RemovePicture(window);
  RemoveSound(window);
  ASSERT_EQ(window.boxes.shown.size(), 2u);
  EXPECT_EQ(window.boxes.shown[0].kind, BoxKind::Information);
  EXPECT_EQ(window.boxes.shown[0].buttons, BoxButtons::Ok);
  EXPECT_EQ(window.boxes.shown[0].text, "There are no items in the list. Click ADD to add some pictures to the list.");
  EXPECT_EQ(window.boxes.shown[1].kind, BoxKind::Information);
  EXPECT_EQ(window.boxes.shown[1].text,
            "There are no items in the list. Click ADD to add some sound files to the list.");
  EXPECT_THAT(window.profiles.writes, IsEmpty());
}

TEST(ListEditing, CancelInTheConfirmationLeavesEverythingAsItWas) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText("", {{1, "C:\\a.jpg"}}, {{1, "C:\\a.wav"}}));
  window.boxes.answerOk = false;
  RemovePicture(window);
  RemoveSound(window);
  ASSERT_EQ(window.boxes.shown.size(), 2u);
  for (const test::ShownBox& box : window.boxes.shown) {
    EXPECT_EQ(box.kind, BoxKind::Warning);
    EXPECT_EQ(box.buttons, BoxButtons::OkCancel);
    EXPECT_EQ(box.text, "You are about to delete the highlighted item in the box above. Click OK to confirm. ");
  }
  EXPECT_THAT(window.profiles.writes, IsEmpty());
  EXPECT_THAT(window.view.Items("ListBox1"), ElementsAre("C:\\a.jpg"));
  EXPECT_THAT(window.view.Items("ListBox2"), ElementsAre("C:\\a.wav"));
  EXPECT_EQ(window.state.SoundCount, 1);
  EXPECT_TRUE(window.view.Checked("Radsndon"));
}

TEST(ListEditing, CancelOrAnEmptyPathInTheOpenDialogAddsNothing) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText(""));
  AddPicture(window, std::nullopt);
  AddPicture(window, "");
  AddSound(window, std::nullopt);
  AddSound(window, "");
  EXPECT_EQ(window.view.pictureDialogs, 2);
  EXPECT_EQ(window.view.soundDialogs, 2);
  EXPECT_THAT(window.profiles.writes, IsEmpty());
  EXPECT_THAT(window.boxes.shown, IsEmpty());
  EXPECT_FALSE(window.view.At("Radsndon").enabled);
  EXPECT_FALSE(window.view.At("Radsndof").enabled);
}

TEST(ListEditing, SelectedEntryNoLongerInTheFileShowsTheErrorAndChangesNothing) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText("", {{1, "C:\\a.jpg"}}));
  window.IniText() = SettingsFileText("", {{1, "C:\\b.jpg"}});
  RemovePicture(window);
  ASSERT_EQ(window.boxes.shown.size(), 2u);
  EXPECT_EQ(window.boxes.shown[1].kind, BoxKind::Error);
  EXPECT_EQ(window.boxes.shown[1].buttons, BoxButtons::Ok);
  EXPECT_EQ(window.boxes.shown[1].text,
            "An error occurred while looking for the string to delete. You may need to delete your file and run the "
            "screen saver settings again which will re-create the file. If this continues contact technical "
            "support.");
  EXPECT_THAT(window.profiles.writes, IsEmpty());
  EXPECT_THAT(window.view.Items("ListBox1"), ElementsAre("C:\\a.jpg"));
  EXPECT_EQ(window.state.PictureCount, 1);
  EXPECT_EQ(window.state.PictureSlots[1], "C:\\a.jpg");
}

TEST(ListEditing, RemovingAnEmptyLineClearsTheFirstSlotThatReadsEmpty) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText("", {{1, "C:\\a.jpg"}, {3, std::nullopt}, {5, ""}}));
  EXPECT_THAT(window.view.Items("ListBox1"), ElementsAre("C:\\a.jpg", "", ""));
  window.view.SetItemIndex("ListBox1", 2);
  RemovePicture(window);
  EXPECT_THAT(window.profiles.writes, ElementsAre("JpegConfig/Name3=Null"));
  EXPECT_EQ(window.state.PictureSlots[3], "Null");
  EXPECT_EQ(window.state.PictureSlots[5], "");
  EXPECT_THAT(window.view.Items("ListBox1"), ElementsAre("C:\\a.jpg", ""));
}

TEST(ListEditing, RefusedWriteOnAddLeavesListSlotsAndCountAsTheyWere) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText(""));
  window.profiles.writesAllowed = 0;
  AddPicture(window, "C:\\a.jpg");
  AddSound(window, "C:\\a.wav");
  EXPECT_THAT(window.boxes.errorReports, ElementsAre("Unable to write to C:\\WINDOWS\\lumora.ini.",
                                                     "Unable to write to C:\\WINDOWS\\lumora.ini."));
  EXPECT_THAT(window.view.Items("ListBox1"), IsEmpty());
  EXPECT_THAT(window.view.Items("ListBox2"), IsEmpty());
  EXPECT_EQ(window.state.PictureSlots[1], "Null");
  EXPECT_EQ(window.state.SoundSlots[1], "Null");
  EXPECT_EQ(window.state.PictureCount, 0);
  EXPECT_EQ(window.state.SoundCount, 0);
  EXPECT_FALSE(window.view.At("Radsndon").enabled);
}

TEST(ListEditing, RefusedWriteOnRemoveLeavesListSlotsAndCountAsTheyWere) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText("Sound=1\r\n", {}, {{2, "C:\\a.wav"}}));
  window.profiles.writesAllowed = 0;
  RemoveSound(window);
  EXPECT_EQ(window.boxes.errorReports.size(), 1u);
  EXPECT_THAT(window.view.Items("ListBox2"), ElementsAre("C:\\a.wav"));
  EXPECT_EQ(window.view.ItemIndex("ListBox2"), 0);
  EXPECT_EQ(window.state.SoundSlots[2], "C:\\a.wav");
  EXPECT_EQ(window.state.SoundCount, 1);
  EXPECT_TRUE(window.view.Checked("Radsndon"));
  EXPECT_TRUE(window.view.At("Radsndon").enabled);
}

TEST(ListEditing, RemovingTheLastSoundChecksSoundOffAndDisablesTheChoiceUntilASoundIsAdded) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText("Sound=1\r\n", {}, {{2, "C:\\a.wav"}}));
  EXPECT_TRUE(window.view.Checked("Radsndon"));
  EXPECT_TRUE(window.view.At("Radsndon").enabled);
  RemoveSound(window);
  EXPECT_THAT(window.profiles.writes, ElementsAre("WavConfig/Name2=Null"));
  EXPECT_TRUE(window.view.Checked("Radsndof"));
  EXPECT_FALSE(window.view.At("Radsndon").enabled);
  EXPECT_FALSE(window.view.At("Radsndof").enabled);
  EXPECT_EQ(window.state.SoundCount, 0);
  EXPECT_EQ(window.view.ItemIndex("ListBox2"), -1);

  AddSound(window, "C:\\b.mid");
  EXPECT_TRUE(window.view.At("Radsndon").enabled);
  EXPECT_TRUE(window.view.At("Radsndof").enabled);
  EXPECT_TRUE(window.view.Checked("Radsndof"));
  EXPECT_EQ(window.profiles.writes.back(), "WavConfig/Name1=C:\\b.mid");

  window.profiles.writes.clear();
  window.Run([](SettingsForm& form) { form.SaveAndClose(); });
  EXPECT_EQ(window.profiles.writes.front(), "Options/Sound=0");
}

TEST(ListEditing, RemovingOneOfSeveralSoundsKeepsTheSoundChoice) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText("Sound=1\r\n", {}, {{1, "C:\\a.wav"}, {2, "C:\\b.wav"}}));
  RemoveSound(window);
  EXPECT_TRUE(window.view.Checked("Radsndon"));
  EXPECT_TRUE(window.view.At("Radsndon").enabled);
  EXPECT_THAT(window.view.Items("ListBox2"), ElementsAre("C:\\b.wav"));
  EXPECT_EQ(window.view.ItemIndex("ListBox2"), 0);
}

TEST(ListEditing, RemovingTheOnlyPictureLeavesNoSelectionAndTheSoundChoiceAlone) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText("Sound=1\r\n", {{1, "C:\\a.jpg"}}, {{1, "C:\\a.wav"}}));
  RemovePicture(window);
  EXPECT_EQ(window.state.PictureCount, 0);
  EXPECT_EQ(window.view.ItemIndex("ListBox1"), -1);
  EXPECT_THAT(window.view.Items("ListBox1"), IsEmpty());
  EXPECT_TRUE(window.view.Checked("Radsndon"));
  EXPECT_TRUE(window.view.At("Radsndon").enabled);
}

TEST(ListEditing, OkDoesNotWriteTheLists) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText("", {{1, "C:\\a.jpg"}}));
  AddPicture(window, "C:\\b.jpg");
  window.profiles.writes.clear();
  window.Run([](SettingsForm& form) { form.SaveAndClose(); });
  for (const std::string& write : window.profiles.writes) EXPECT_EQ(write.rfind("Options/", 0), 0u) << write;
  EXPECT_THAT(window.boxes.shown, IsEmpty());  // two pictures now: no note
}

}  // namespace
}  // namespace lumora
