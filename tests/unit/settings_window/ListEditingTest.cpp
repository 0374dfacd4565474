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
  window.view.SetItemIndex(SettingsControl::PictureList, 1);
  AddPicture(window, "C:\\new.jpg");
  EXPECT_THAT(window.profiles.writes, ElementsAre("JpegConfig/Name2=C:\\new.jpg"));
  EXPECT_THAT(window.view.Items(SettingsControl::PictureList), ElementsAre("C:\\a.jpg", "C:\\c.jpg", "C:\\new.jpg"));
  EXPECT_EQ(window.state.pictureSlots[2], "C:\\new.jpg");
  EXPECT_EQ(window.state.pictureCount, 3);
  EXPECT_EQ(window.view.ItemIndex(SettingsControl::PictureList), 0);
  EXPECT_THAT(window.view.Items(SettingsControl::SoundList), IsEmpty());

  SettingsHarness reopened;
  OpenOn(reopened, window.IniText());
  EXPECT_THAT(reopened.view.Items(SettingsControl::PictureList), ElementsAre("C:\\a.jpg", "C:\\new.jpg", "C:\\c.jpg"));
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
  EXPECT_THAT(window.view.Items(SettingsControl::PictureList), ElementsAre("C:\\x.jpg", "C:\\x.jpg"));
  window.view.SetItemIndex(SettingsControl::PictureList, 1);
  window.profiles.writes.clear();
  RemovePicture(window);
  EXPECT_THAT(window.profiles.writes, ElementsAre("JpegConfig/Name1=Null"));
  EXPECT_EQ(window.state.pictureSlots[1], "Null");
  EXPECT_EQ(window.state.pictureSlots[2], "C:\\x.jpg");
  EXPECT_THAT(window.view.Items(SettingsControl::PictureList), ElementsAre("C:\\x.jpg"));
  EXPECT_EQ(window.state.pictureCount, 1);
  EXPECT_EQ(window.view.ItemIndex(SettingsControl::PictureList), 0);
}

TEST(ListEditing, RemovingClearsTheSlotOfTheSelectedLine) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText("", {{2, "C:\\a.jpg"}, {4, "C:\\b.jpg"}, {9, "C:\\c.jpg"}}));
  window.view.SetItemIndex(SettingsControl::PictureList, 2);
  RemovePicture(window);
  EXPECT_THAT(window.profiles.writes, ElementsAre("JpegConfig/Name9=Null"));
  EXPECT_THAT(window.view.Items(SettingsControl::PictureList), ElementsAre("C:\\a.jpg", "C:\\b.jpg"));
  EXPECT_EQ(window.view.ItemIndex(SettingsControl::PictureList), 0);
  EXPECT_EQ(window.state.pictureCount, 2);
  EXPECT_EQ(window.state.pictureSlots[9], "Null");
  EXPECT_EQ(window.state.pictureSlots[4], "C:\\b.jpg");
}

TEST(ListEditing, AFullListTakesTheSlotFreedByARemoval) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText("", FullList()));
  window.view.SetItemIndex(SettingsControl::PictureList, 41);
  RemovePicture(window);
  AddPicture(window, "C:\\new.jpg");
  EXPECT_THAT(window.profiles.writes, ElementsAre("JpegConfig/Name42=Null", "JpegConfig/Name42=C:\\new.jpg"));
  EXPECT_EQ(window.view.Items(SettingsControl::PictureList).back(), "C:\\new.jpg");
  EXPECT_EQ(window.state.pictureCount, 500);
}

TEST(ListEditing, FullSoundListRefusesTheAddButStillEnablesTheSoundChoice) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText(""));
  for (int slot = 1; slot <= kSlotCount; ++slot) window.state.soundSlots[slot] = "C:\\S\\taken.wav";
  AddSound(window, "C:\\S\\new.wav");
  ASSERT_EQ(window.boxes.shown.size(), 1u);
  EXPECT_EQ(window.boxes.shown[0].kind, BoxKind::Confirm);
  EXPECT_THAT(window.profiles.writes, IsEmpty());
  EXPECT_TRUE(window.view.At(OptionRadio::SoundOn).enabled);
  EXPECT_TRUE(window.view.At(OptionRadio::SoundOff).enabled);
}

TEST(ListEditing, RemovingAnEmptyLineClearsTheFirstSlotThatReadsEmpty) {
  SettingsHarness window;
  OpenOn(window, SettingsFileText("", {{1, "C:\\a.jpg"}, {3, std::nullopt}, {5, ""}}));
  EXPECT_THAT(window.view.Items(SettingsControl::PictureList), ElementsAre("C:\\a.jpg", "", ""));
  window.view.SetItemIndex(SettingsControl::PictureList, 2);
  RemovePicture(window);
  EXPECT_THAT(window.profiles.writes, ElementsAre("JpegConfig/Name3=Null"));
  EXPECT_EQ(window.state.pictureSlots[3], "Null");
  EXPECT_EQ(window.state.pictureSlots[5], "");
  EXPECT_THAT(window.view.Items(SettingsControl::PictureList), ElementsAre("C:\\a.jpg", ""));
}

// One list as the window holds it: items, selection, count and the slots in use.
template <class Slots>
std::string ListShown(SettingsHarness& window, const char* name, SettingsControl list, const Slots& slots, int count) {
  std::string text = std::string(name) + ":";
  for (const std::string& item : window.view.Items(list)) text += " " + item;
  text += " (selected " + std::to_string(window.view.ItemIndex(list)) + ", count " + std::to_string(count) + ")";
  for (int slot = 1; slot <= kSlotCount; ++slot)
    if (slots[slot] != "Null") text += " " + std::to_string(slot) + "=" + slots[slot];
  return text + "\n";
}

std::string RadioShown(SettingsHarness& window, const std::string& name, OptionRadio radio) {
  return name + (window.view.Checked(radio) ? ": checked" : ": unchecked") +
         (window.view.At(radio).enabled ? ", enabled" : ", disabled");
}

std::string ListsShown(SettingsHarness& window) {
  return ListShown(window, "pictures", SettingsControl::PictureList, window.state.pictureSlots,
                   window.state.pictureCount) +
         ListShown(window, "sounds", SettingsControl::SoundList, window.state.soundSlots, window.state.soundCount) +
         RadioShown(window, "sound on", OptionRadio::SoundOn) + "; " +
         RadioShown(window, "sound off", OptionRadio::SoundOff);
}

std::vector<std::string> BoxesShown(const SettingsHarness& window) {
  const char* kinds[] = {"information", "warning", "error", "confirm"};
  const char* buttons[] = {"OK", "OK Cancel", "Yes No"};
  std::vector<std::string> shown;
  for (const test::ShownBox& box : window.boxes.shown)
    shown.push_back(std::string(kinds[static_cast<int>(box.kind)]) + ", " + buttons[static_cast<int>(box.buttons)] +
                    ": " + box.text);
  return shown;
}

const char* const kConfirmRemoval =
    "warning, OK Cancel: You are about to delete the highlighted item in the box above. Click OK to confirm. ";
const char* const kWriteRefused = "Unable to write to C:\\WINDOWS\\lumora.ini.";

// An edit that is refused, cancelled or finds nothing to do writes nothing and leaves lists, slots, counts and
// the sound choice as they were.
TEST(ListEditing, ARefusedEditChangesNothing) {
  const std::string empty = SettingsFileText(""), full = SettingsFileText("", FullList()),
                    listed = SettingsFileText("Sound=1\r\n", {{3, "C:\\a.jpg"}}, {{2, "C:\\a.wav"}});
  const struct {
    const char* what;
    const std::string& text;
    void (*edit)(SettingsHarness&);
    std::vector<std::string> boxes, errorReports;
    // clang-format off
  } rows[] = {
      {"add to a full list", full, [](SettingsHarness& w) { AddPicture(w, "C:\\new.jpg"); },
       {"confirm, OK: You have reached the maximum number of entries stored.  Please delete one if you wish to add "
        "another."}, {}},
      {"remove from no pictures", empty, RemovePicture,
       {"information, OK: There are no items in the list. Click ADD to add some pictures to the list."}, {}},
      {"remove from no sounds", empty, RemoveSound,
       {"information, OK: There are no items in the list. Click ADD to add some sound files to the list."}, {}},
      {"cancel removing a picture", listed, [](SettingsHarness& w) { w.boxes.answerOk = false, RemovePicture(w); },
       {kConfirmRemoval}, {}},
      {"cancel removing a sound", listed, [](SettingsHarness& w) { w.boxes.answerOk = false, RemoveSound(w); },
       {kConfirmRemoval}, {}},
      {"cancel the picture dialog", empty, [](SettingsHarness& w) { AddPicture(w, std::nullopt); }, {}, {}},
      {"an empty picture path", empty, [](SettingsHarness& w) { AddPicture(w, ""); }, {}, {}},
      {"cancel the sound dialog", empty, [](SettingsHarness& w) { AddSound(w, std::nullopt); }, {}, {}},
      {"an empty sound path", empty, [](SettingsHarness& w) { AddSound(w, ""); }, {}, {}},
      {"the selected entry is no longer in the file", listed,
       [](SettingsHarness& w) { w.IniText() = SettingsFileText("", {{3, "C:\\b.jpg"}}), RemovePicture(w); },
       {kConfirmRemoval,
        "error, OK: An error occurred while looking for the string to delete. You may need to delete your file and "
        "run the screen saver settings again which will re-create the file. If this continues contact technical "
        "support."}, {}},
      {"a refused write adding the first picture", empty,
       [](SettingsHarness& w) { w.profiles.writesAllowed = 0, AddPicture(w, "C:\\b.jpg"); }, {}, {kWriteRefused}},
      {"a refused write adding the first sound", empty,
       [](SettingsHarness& w) { w.profiles.writesAllowed = 0, AddSound(w, "C:\\b.wav"); }, {}, {kWriteRefused}},
      {"a refused write adding a picture", listed,
       [](SettingsHarness& w) { w.profiles.writesAllowed = 0, AddPicture(w, "C:\\b.jpg"); }, {}, {kWriteRefused}},
      {"a refused write removing a picture", listed,
       [](SettingsHarness& w) { w.profiles.writesAllowed = 0, RemovePicture(w); }, {kConfirmRemoval}, {kWriteRefused}},
      {"a refused write removing the only sound", listed,
       [](SettingsHarness& w) { w.profiles.writesAllowed = 0, RemoveSound(w); }, {kConfirmRemoval}, {kWriteRefused}},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    SettingsHarness window;
    OpenOn(window, row.text);
    const std::string before = ListsShown(window);
    row.edit(window);
    EXPECT_THAT(window.profiles.writes, IsEmpty());
    EXPECT_EQ(BoxesShown(window), row.boxes);
    EXPECT_EQ(window.boxes.errorReports, row.errorReports);
    EXPECT_EQ(ListsShown(window), before);
    EXPECT_EQ(window.view.pictureAnswers.size() + window.view.soundAnswers.size(), 0u) << "a dialog not shown";
  }
}

// The sound choice is there while the sound list holds an entry or a sound was just asked for.
TEST(ListEditing, TheSoundChoiceFollowsTheSoundList) {
  const std::string oneSound = SettingsFileText("Sound=1\r\n", {}, {{2, "C:\\a.wav"}});
  const struct {
    const char* what;
    std::string text;
    void (*edit)(SettingsHarness&);
    std::vector<std::string> writes;
    const char* shown;
    // clang-format off
  } rows[] = {
      {"remove one of two sounds",
       SettingsFileText("Sound=1\r\n", {}, {{1, "C:\\a.wav"}, {2, "C:\\b.wav"}}),
       RemoveSound,
       {"WavConfig/Name1=Null"},
       "pictures: (selected -1, count 0)\nsounds: C:\\b.wav (selected 0, count 1) 2=C:\\b.wav\n"
       "sound on: checked, enabled; sound off: unchecked, enabled"},
      {"remove the only picture",
       SettingsFileText("Sound=1\r\n", {{1, "C:\\a.jpg"}}, {{1, "C:\\a.wav"}}),
       RemovePicture,
       {"JpegConfig/Name1=Null"},
       "pictures: (selected -1, count 0)\nsounds: C:\\a.wav (selected 0, count 1) 1=C:\\a.wav\n"
       "sound on: checked, enabled; sound off: unchecked, enabled"},
      {"remove the last sound",
       oneSound,
       RemoveSound,
       {"WavConfig/Name2=Null"},
       "pictures: (selected -1, count 0)\nsounds: (selected -1, count 0)\n"
       "sound on: unchecked, disabled; sound off: checked, disabled"},
      {"add a sound after the last was removed",
       oneSound,
       [](SettingsHarness& w) { RemoveSound(w), AddSound(w, "C:\\b.mid"); },
       {"WavConfig/Name2=Null", "WavConfig/Name1=C:\\b.mid"},
       "pictures: (selected -1, count 0)\nsounds: C:\\b.mid (selected 0, count 1) 1=C:\\b.mid\n"
       "sound on: unchecked, enabled; sound off: checked, enabled"},
      {"OK after the last sound was removed",
       oneSound,
       [](SettingsHarness& w) { RemoveSound(w), w.Run([](SettingsForm& form) { form.SaveAndClose(); }); },
       {"WavConfig/Name2=Null", "Options/Sound=0", "Options/Seq=1", "Options/Color=4", "Options/Picdis=7",
        "Options/Time=120", "Options/Height=25", "Options/Width=25"},
       "pictures: (selected -1, count 0)\nsounds: (selected -1, count 0)\n"
       "sound on: unchecked, disabled; sound off: checked, disabled"},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    SettingsHarness window;
    OpenOn(window, row.text);
    row.edit(window);
    EXPECT_EQ(window.profiles.writes, row.writes);
    EXPECT_EQ(ListsShown(window), row.shown);
  }
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
