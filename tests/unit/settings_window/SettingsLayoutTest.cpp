#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <set>

#include "forms/FormScale.h"
#include "settings_file/OptionTable.h"
#include "settings_window/DisclaimerLayout.h"
#include "settings_window/SettingsLayout.h"

namespace lumora {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

struct Place {
  int id, parent;
  int left, top, width, height;
  const char* caption;
};

void ExpectPlace(const FormLayout& form, const Place& expected) {
  const ControlLayout& control = FindControl(form, expected.id);
  EXPECT_EQ(control.parent, expected.parent) << expected.id;
  EXPECT_EQ(control.left, expected.left) << expected.id;
  EXPECT_EQ(control.top, expected.top) << expected.id;
  EXPECT_EQ(control.width, expected.width) << expected.id;
  EXPECT_EQ(control.height, expected.height) << expected.id;
  EXPECT_STREQ(control.caption, expected.caption) << expected.id;
  EXPECT_TRUE(control.visible) << expected.id;
}

// The focusable controls in the order Tab reaches them, walking each container's children in tab order.
void AppendKeyboardOrder(const FormLayout& form, int parent, std::vector<int>& order) {
  for (const ControlLayout* control : ChildrenInTabOrder(form, parent)) {
    if (!control->visible) continue;
    if (control->kind == ControlKind::Panel || control->kind == ControlKind::GroupBox)
      AppendKeyboardOrder(form, control->id, order);
    else if (control->kind != ControlKind::Label) order.push_back(control->id);
  }
}

TEST(SettingsLayout, WindowHasItsCaptionClientSizeAndLayoutColour) {
  const FormLayout& form = SettingsFormLayout();
  EXPECT_EQ(form.clientWidth, 607);
  EXPECT_EQ(form.clientHeight, 374);
  EXPECT_EQ(form.border, FormBorder::SingleFixed);
  EXPECT_EQ(form.colour, (Rgb{0, 128, 128}));
}

TEST(SettingsLayout, KeyControlsStandInTheirPlacesWithTheirCaptions) {
  using enum SettingsControl;
  using enum OptionRadio;
  const FormLayout& form = SettingsFormLayout();
  for (const Place& place :
       {Place{Id(SoundPanel), kFormItself, 11, 8, 270, 63, ""}, Place{Id(DelayPanel), kFormItself, 11, 79, 270, 79, ""},
        Place{Id(OrderPanel), kFormItself, 11, 169, 270, 66, ""},
        Place{Id(ColoursPanel), kFormItself, 11, 247, 270, 102, ""},
        Place{Id(DisplayGroup), kFormItself, 316, 12, 269, 235, "Picture Displays"},
        Place{Id(CustomSizeGroup), Id(DisplayGroup), 18, 144, 223, 84, "Customize Your Picture Size"},
        Place{Id(OkButton), kFormItself, 461, 335, 136, 20, "OK"},
        Place{Id(SoundHeading), Id(SoundPanel), 8, 4, 250, 13, "Sound On/Off"},
        Place{Id(SoundOn), Id(SoundPanel), 16, 22, 113, 17, "Sound ON"},
        Place{Id(DelayHeading), Id(DelayPanel), 8, 4, 250, 13, "Time Delay Between Pictures"},
        Place{Id(Delay120s), Id(DelayPanel), 144, 58, 113, 17, "2 Minutes"},
        Place{Id(ColoursHeading), Id(ColoursPanel), 8, 4, 250, 13, "Background Colors"},
        Place{Id(BrightColours), Id(ColoursPanel), 16, 58, 245, 17, "Green - Aqua - Fuschia - Yellow"},
        Place{Id(OrderHeading), Id(OrderPanel), 8, 4, 250, 13, "Picture Display Order"},
        Place{Id(AtRandom), Id(OrderPanel), 16, 40, 113, 17, "Random"},
        Place{Id(Stretched), Id(DisplayGroup), 16, 18, 240, 17, "Stretch Picture Full Size"},
        Place{Id(CustomSize), Id(DisplayGroup), 16, 126, 240, 17, "Customize Picture Size Below "},
        Place{Id(WidthScrollBar), Id(CustomSizeGroup), 14, 38, 68, 13, ""},
        Place{Id(HeightScrollBar), Id(CustomSizeGroup), 124, 38, 68, 13, ""}})
    ExpectPlace(form, place);
  EXPECT_EQ(FindControl(form, Id(OkButton)).options & kDefaultButton, kDefaultButton);
}

bool Overlap(const ControlLayout& a, const ControlLayout& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height && b.top < a.top + a.height;
}

// Within each container the shown controls lie side by side, and a group's heading lies above all its buttons.
TEST(SettingsLayout, ShownControlsOfOneContainerDoNotOverlapAndHeadingsComeFirst) {
  const FormLayout& form = SettingsFormLayout();
  std::vector<int> containers{kFormItself};
  for (const ControlLayout& control : form.controls)
    if (control.kind == ControlKind::Panel || control.kind == ControlKind::GroupBox) containers.push_back(control.id);
  for (int container : containers) {
    std::vector<const ControlLayout*> shown;
    for (const ControlLayout* control : ChildrenInTabOrder(form, container))
      if (control->visible) shown.push_back(control);
    for (size_t i = 0; i < shown.size(); ++i)
      for (size_t j = i + 1; j < shown.size(); ++j)
        EXPECT_FALSE(Overlap(*shown[i], *shown[j])) << shown[i]->id << " and " << shown[j]->id;
  }
  using enum SettingsControl;
  for (SettingsControl heading : {SoundHeading, DelayHeading, ColoursHeading, OrderHeading}) {
    const ControlLayout& label = FindControl(form, Id(heading));
    for (const ControlLayout* control : ChildrenInTabOrder(form, label.parent)) {
      if (control == &label) continue;
      EXPECT_GE(control->top, label.top + label.height) << label.id << " over " << control->id;
    }
  }
}

TEST(SettingsLayout, DelayButtonsStandInTwoColumns) {
  using enum OptionRadio;
  const FormLayout& form = SettingsFormLayout();
  const OptionRadio left[] = {Delay8s, Delay30s, Delay60s};
  const OptionRadio right[] = {Delay15s, Delay45s, Delay120s};
  for (int row = 0; row < 3; ++row) {
    const ControlLayout& l = FindControl(form, Id(left[row]));
    const ControlLayout& r = FindControl(form, Id(right[row]));
    EXPECT_EQ(l.parent, Id(SettingsControl::DelayPanel));
    EXPECT_EQ(r.parent, Id(SettingsControl::DelayPanel));
    EXPECT_EQ(l.top, r.top);
    EXPECT_LT(l.left + l.width, r.left + 1);
    if (row > 0) { EXPECT_GT(l.top, FindControl(form, Id(left[row - 1])).top); }
  }
}

// Every option radio stands once in the form, with a caption of its own, and the buttons of each option's code
// rows are exactly one radio group.
TEST(SettingsLayout, EveryOptionRadioIsPresentOnceInTheGroupOfItsOption) {
  const FormLayout& form = SettingsFormLayout();
  std::set<std::string> captions;
  int radios = 0;
  for (const ControlLayout& control : form.controls) {
    if (control.kind != ControlKind::RadioButton) continue;
    ++radios;
    EXPECT_TRUE(control.visible) << control.id;
    EXPECT_STRNE(control.caption, "") << control.id;
    EXPECT_TRUE(captions.insert(control.caption).second) << control.id;
  }
  EXPECT_EQ(radios, 21);
  for (const OptionRow& option : kOptionRows) {
    if (option.codes.empty()) continue;
    const std::span<const OptionRadio> radios = RadiosOf(option.option);
    ASSERT_EQ(radios.size(), option.codes.size()) << option.key;
    const std::vector<const ControlLayout*> group = RadioGroupOf(form, Id(radios.front()));
    std::set<int> groupIds, codeIds;
    for (const ControlLayout* radio : group) groupIds.insert(radio->id);
    for (OptionRadio radio : radios) codeIds.insert(Id(radio));
    EXPECT_EQ(groupIds, codeIds) << option.key;
  }
}

TEST(SettingsLayout, SizeControlsSitLeftForWidthAndRightForHeight) {
  using enum SettingsControl;
  const FormLayout& form = SettingsFormLayout();
  const auto control = [&](SettingsControl id) -> const ControlLayout& { return FindControl(form, Id(id)); };
  EXPECT_STREQ(control(WidthHeading).caption, "Picture Width");
  EXPECT_STREQ(control(HeightHeading).caption, "Picture Height");
  for (SettingsControl id : {WidthHeading, WidthScrollBar, WidthValue, HeightHeading, HeightScrollBar, HeightValue})
    EXPECT_EQ(control(id).parent, Id(CustomSizeGroup)) << Id(id);
  EXPECT_LT(control(WidthScrollBar).left, control(HeightScrollBar).left);
  EXPECT_GT(control(WidthValue).top, control(WidthScrollBar).top);
  EXPECT_GT(control(HeightValue).top, control(HeightScrollBar).top);
  for (SettingsControl bar : {WidthScrollBar, HeightScrollBar}) {
    const ScrollRange& range = control(bar).scroll;
    EXPECT_EQ((std::array{range.min, range.max, range.position, range.smallChange, range.largeChange}),
              (std::array{25, 1000, 25, 1, 1}))
        << Id(bar) << ": least, most, start, arrow step, page step";
  }
  EXPECT_STREQ(control(WidthScrollBar).hint, "Set picture width when customizing");
  EXPECT_STREQ(control(HeightScrollBar).hint, "Set picture height when customizing");
}

TEST(SettingsLayout, TabFollowsTheRequiredKeyboardOrder) {
  using enum SettingsControl;
  using enum OptionRadio;
  const FormLayout& form = SettingsFormLayout();
  std::vector<int> topLevel;
  for (const ControlLayout* control : ChildrenInTabOrder(form, kFormItself))
    if (control->visible) topLevel.push_back(control->id);
  EXPECT_THAT(topLevel, ElementsAre(Id(OkButton), Id(DisplayGroup), Id(SoundPanel), Id(DelayPanel), Id(ColoursPanel),
                                    Id(OrderPanel)));
  std::vector<int> order;
  AppendKeyboardOrder(form, kFormItself, order);
  EXPECT_THAT(order, ElementsAreArray({Id(OkButton),      Id(Stretched),       Id(NaturalSize),    Id(PictureInPicture),
                                       Id(Tiled),         Id(HeightScrollBar), Id(WidthScrollBar), Id(CustomSize),
                                       Id(Overlapping),   Id(Slide),           Id(SoundOn),        Id(SoundOff),
                                       Id(Delay8s),       Id(Delay30s),        Id(Delay60s),       Id(Delay15s),
                                       Id(Delay45s),      Id(Delay120s),       Id(GreyColours),    Id(DarkColours),
                                       Id(BrightColours), Id(BlackOnly),       Id(InOrder),        Id(AtRandom)}));
}

TEST(SettingsLayout, RadioGroupsAreTheButtonsOfOneParent) {
  using enum OptionRadio;
  const FormLayout& form = SettingsFormLayout();
  std::vector<int> displayGroup;
  for (const ControlLayout* radio : RadioGroupOf(form, Id(Slide))) displayGroup.push_back(radio->id);
  EXPECT_THAT(displayGroup, ElementsAre(Id(Stretched), Id(NaturalSize), Id(PictureInPicture), Id(Tiled), Id(CustomSize),
                                        Id(Overlapping), Id(Slide)));
}

TEST(SettingsLayout, HiddenControlsArePresentAndNeverVisible) {
  using enum SettingsControl;
  const FormLayout& form = SettingsFormLayout();
  const auto control = [&](SettingsControl id) -> const ControlLayout& { return FindControl(form, Id(id)); };
  std::set<int> hidden;
  for (const ControlLayout& each : form.controls)
    if (!each.visible) hidden.insert(each.id);
  EXPECT_EQ(hidden, (std::set<int>{Id(ListsHeading), Id(PictureList), Id(SoundList), Id(PictureButtons),
                                   Id(AddPictureButton), Id(RemovePictureButton), Id(SoundButtons), Id(AddSoundButton),
                                   Id(RemoveSoundButton), Id(AboutButton)}));
  EXPECT_STREQ(control(ListsHeading).caption,
               "Listed below is your pictures.                               Listed below is your sound files.");
  EXPECT_EQ(control(ListsHeading).font, FontStyle::Bold);
  EXPECT_STREQ(control(AddPictureButton).caption, "Add Picture");
  EXPECT_STREQ(control(RemoveSoundButton).caption, "Remove Sound File");
  EXPECT_STREQ(control(AboutButton).caption, "About");
  EXPECT_EQ(control(AddPictureButton).parent, Id(PictureButtons));
  EXPECT_EQ(control(RemoveSoundButton).parent, Id(SoundButtons));
}

void ExpectWellFormed(const FormLayout& form) {
  std::set<int> ids;
  for (const ControlLayout& control : form.controls) {
    EXPECT_TRUE(ids.insert(control.id).second) << control.id;
    int parentWidth = form.clientWidth, parentHeight = form.clientHeight;
    if (control.parent != kFormItself) {
      const ControlLayout& parent = FindControl(form, control.parent);
      EXPECT_TRUE(parent.kind == ControlKind::Panel || parent.kind == ControlKind::GroupBox) << control.id;
      parentWidth = parent.width;
      parentHeight = parent.height;
    }
    EXPECT_GE(control.left, 0) << control.id;
    EXPECT_GE(control.top, 0) << control.id;
    EXPECT_LE(control.left + control.width, parentWidth) << control.id;
    EXPECT_LE(control.top + control.height, parentHeight) << control.id;
  }
}

TEST(SettingsLayout, IdsAreUniqueAndEveryControlFitsItsParent) { ExpectWellFormed(SettingsFormLayout()); }

TEST(DisclaimerLayout, BorderlessWindowWithTheDisclaimerGroupAndReturn) {
  const FormLayout& form = DisclaimerFormLayout();
  ExpectWellFormed(form);
  EXPECT_EQ(form.clientWidth, 514);
  EXPECT_EQ(form.clientHeight, 312);
  EXPECT_EQ(form.border, FormBorder::None);
  EXPECT_EQ(form.colour, (Rgb{65, 168, 190}));
  using enum DisclaimerControl;
  ExpectPlace(form, {Id(Frame), kFormItself, 8, 16, 489, 244, ""});
  ExpectPlace(form, {Id(ReturnButton), kFormItself, 420, 276, 75, 25, "Return"});
  const ControlLayout& disclaimer = FindControl(form, Id(DisclaimerGroup));
  EXPECT_EQ(disclaimer.parent, Id(Frame));
  EXPECT_STREQ(disclaimer.caption, "Disclaimer");
  EXPECT_EQ(disclaimer.font, FontStyle::Terminal);
  std::vector<std::string> captions;
  for (const ControlLayout* label : ChildrenInTabOrder(form, disclaimer.id)) {
    EXPECT_EQ(label->kind, ControlKind::Label);
    EXPECT_EQ(label->options & kWordWrap, kWordWrap);
    captions.push_back(label->caption);
  }
  EXPECT_THAT(captions, ElementsAre("", "  ", ""));
}

// A form designed at 96 DPI at another: each length to the nearest pixel (halves up), fonts by their point size.
TEST(FormScale, LengthsAndFontsFollowTheDisplaysDpi) {
  struct Row {
    int dpi, designed, scaled, regularFont, terminalFont;
  };
  for (const Row& row : {Row{96, 17, 17, -11, -12}, Row{144, 17, 26, -16, -18}, Row{120, 607, 759, -13, -15}}) {
    EXPECT_EQ(ScaledToDpi(row.designed, row.dpi), row.scaled) << row.dpi;
    EXPECT_EQ(FontHeightAt(FontStyle::Regular, row.dpi), row.regularFont) << row.dpi;
    EXPECT_EQ(FontHeightAt(FontStyle::Terminal, row.dpi), row.terminalFont) << row.dpi;
  }
}

}  // namespace
}  // namespace lumora
