#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "settings_window/DisclaimerLayout.h"
#include "settings_file/OptionTable.h"
#include "settings_window/SettingsLayout.h"
#include "support/FakeSettingsView.h"

namespace lumora {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using test::ControlNamed;
using test::ParentName;

struct Place {
  const char* name;
  const char* parent;
  int left, top, width, height;
  const char* caption;
};

void ExpectPlace(const FormLayout& form, const Place& expected) {
  const ControlLayout& control = ControlNamed(form, expected.name);
  EXPECT_EQ(ParentName(form, control), expected.parent ? expected.parent : "") << expected.name;
  EXPECT_EQ(control.left, expected.left) << expected.name;
  EXPECT_EQ(control.top, expected.top) << expected.name;
  EXPECT_EQ(control.width, expected.width) << expected.name;
  EXPECT_EQ(control.height, expected.height) << expected.name;
  EXPECT_STREQ(control.caption, expected.caption) << expected.name;
  EXPECT_TRUE(control.visible) << expected.name;
}

// The focusable controls in the order Tab reaches them, walking each container's children in tab order.
void AppendKeyboardOrder(const FormLayout& form, int parent, std::vector<std::string>& order) {
  for (const ControlLayout* control : ChildrenInTabOrder(form, parent)) {
    if (!control->visible) continue;
    if (control->kind == ControlKind::Panel || control->kind == ControlKind::GroupBox)
      AppendKeyboardOrder(form, control->id, order);
    else if (control->kind != ControlKind::Label)
      order.push_back(control->name);
  }
}

TEST(SettingsLayout, WindowHasItsCaptionClientSizeAndLayoutColour) {
  const FormLayout& form = SettingsForm();
  EXPECT_STREQ(form.className, "TForm2");
  EXPECT_STREQ(form.caption, "Screensaver Settings/Options");
  EXPECT_EQ(form.clientWidth, 607);
  EXPECT_EQ(form.clientHeight, 374);
  EXPECT_EQ(form.border, FormBorder::SingleFixed);
}

TEST(SettingsLayout, VisibleContainersAndOkStandInTheirPlaces) {
  const FormLayout& form = SettingsForm();
  for (const Place& place :
       {Place{"Panel1", nullptr, 11, 8, 270, 63, ""}, Place{"Panel2", nullptr, 11, 79, 270, 79, ""},
        Place{"Panel4", nullptr, 11, 169, 270, 66, ""}, Place{"Panel3", nullptr, 11, 247, 270, 102, ""},
        Place{"GroupBox6", nullptr, 316, 12, 269, 235, "Picture Displays"},
        Place{"GroupBox7", "GroupBox6", 18, 144, 223, 84, "Customize Your Picture Size"},
        Place{"cmdclose", nullptr, 461, 335, 136, 20, "OK"}})
    ExpectPlace(form, place);
  EXPECT_EQ(ControlNamed(form, "ScrollBarW").width, 68);
  EXPECT_EQ(ControlNamed(form, "ScrollBarW").height, 13);
  EXPECT_EQ(ControlNamed(form, "ScrollBarH").width, 68);
  EXPECT_EQ(ControlNamed(form, "ScrollBarH").height, 13);
  EXPECT_EQ(ControlNamed(form, "cmdclose").options & kDefaultButton, kDefaultButton);
}

TEST(SettingsLayout, EachGroupHoldsItsHeadingAndButtonsTopToBottom) {
  const FormLayout& form = SettingsForm();
  const std::vector<std::pair<const char*, std::vector<std::pair<const char*, const char*>>>> groups{
      {"Panel1", {{"Label4", "Sound On/Off"}, {"Radsndon", "Sound ON"}, {"Radsndof", "Sound OFF"}}},
      {"Panel4", {{"Label6", "Picture Display Order"}, {"Radseq", "In Order"}, {"Radran", "Random"}}},
      {"Panel3",
       {{"Label7", "Background Colors"},
        {"Radcol1", "Black - Gray - Silver - White"},
        {"Radcol2", "Navy - Black - Purple - Maroon"},
        {"Radcol3", "Green - Aqua - Fuschia - Yellow"},
        {"Radcol4", "Black Only"}}},
      {"GroupBox6",
       {{"radpicst", "Stretch Picture Full Size"},
        {"radpicde", "Default Picture Size (Clearest Image)"},
        {"radpicin", "Picture in a Picture"},
        {"radpicti", "Tiled Pictures"},
        {"Radoverlap", "Picture Overlapping"},
        {"Radslide", "Slide"},
        {"Radpictcust", "Customize Picture Size Below "},
        {"GroupBox7", "Customize Your Picture Size"}}},
  };
  for (const auto& [parent, members] : groups) {
    int previousBottom = 0;
    for (const auto& [name, caption] : members) {
      const ControlLayout& control = ControlNamed(form, name);
      EXPECT_EQ(ParentName(form, control), parent) << name;
      EXPECT_STREQ(control.caption, caption) << name;
      EXPECT_GE(control.top, previousBottom) << name;
      previousBottom = control.top + control.height;
    }
  }
}

TEST(SettingsLayout, DelayButtonsStandInTwoColumns) {
  const FormLayout& form = SettingsForm();
  EXPECT_STREQ(ControlNamed(form, "Label5").caption, "Time Delay Between Pictures");
  const char* left[] = {"Rad8", "Radtime2", "Radtime4"};
  const char* right[] = {"Radtime1", "Radtime3", "Rad120"};
  for (int row = 0; row < 3; ++row) {
    const ControlLayout& l = ControlNamed(form, left[row]);
    const ControlLayout& r = ControlNamed(form, right[row]);
    EXPECT_EQ(ParentName(form, l), "Panel2");
    EXPECT_EQ(ParentName(form, r), "Panel2");
    EXPECT_EQ(l.top, r.top);
    EXPECT_LT(l.left + l.width, r.left + 1);
    if (row > 0) {
      EXPECT_GT(l.top, ControlNamed(form, left[row - 1]).top);
    }
  }
}

// Every option's radio group holds exactly the buttons of its code rows.
TEST(SettingsLayout, EachOptionsCodeRowsAreTheButtonsOfOneRadioGroup) {
  const FormLayout& form = SettingsForm();
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
  const FormLayout& form = SettingsForm();
  EXPECT_STREQ(ControlNamed(form, "Label3").caption, "Picture Width");
  EXPECT_STREQ(ControlNamed(form, "Label2").caption, "Picture Height");
  for (const char* name : {"Label3", "ScrollBarW", "Lblwidth", "Label2", "ScrollBarH", "Lblheight"})
    EXPECT_EQ(ParentName(form, ControlNamed(form, name)), "GroupBox7") << name;
  EXPECT_LT(ControlNamed(form, "ScrollBarW").left, ControlNamed(form, "ScrollBarH").left);
  EXPECT_GT(ControlNamed(form, "Lblwidth").top, ControlNamed(form, "ScrollBarW").top);
  EXPECT_GT(ControlNamed(form, "Lblheight").top, ControlNamed(form, "ScrollBarH").top);
  for (const char* bar : {"ScrollBarW", "ScrollBarH"}) {
    const ScrollRange& range = ControlNamed(form, bar).scroll;
    EXPECT_EQ(range.min, 25);
    EXPECT_EQ(range.max, 1000);
    EXPECT_EQ(range.position, 25);
    EXPECT_EQ(range.smallChange, 1);
    EXPECT_EQ(range.largeChange, 1);
  }
  EXPECT_STREQ(ControlNamed(form, "ScrollBarW").hint, "Set picture width when customizing");
  EXPECT_STREQ(ControlNamed(form, "ScrollBarH").hint, "Set picture height when customizing");
}

TEST(SettingsLayout, TabFollowsTheRequiredKeyboardOrder) {
  const FormLayout& form = SettingsForm();
  std::vector<std::string> topLevel;
  for (const ControlLayout* control : ChildrenInTabOrder(form, kFormItself))
    if (control->visible) topLevel.push_back(control->name);
  EXPECT_THAT(topLevel, ElementsAre("cmdclose", "GroupBox6", "Panel1", "Panel2", "Panel3", "Panel4"));
  std::vector<std::string> order;
  AppendKeyboardOrder(form, kFormItself, order);
  EXPECT_THAT(order, ElementsAreArray<std::string>({"cmdclose",   "radpicst",   "radpicde",    "radpicin",   "radpicti",
                                                    "ScrollBarH", "ScrollBarW", "Radpictcust", "Radoverlap", "Radslide",
                                                    "Radsndon",   "Radsndof",   "Rad8",        "Radtime2",   "Radtime4",
                                                    "Radtime1",   "Radtime3",   "Rad120",      "Radcol1",    "Radcol2",
                                                    "Radcol3",    "Radcol4",    "Radseq",      "Radran"}));
}

TEST(SettingsLayout, RadioGroupsAreTheButtonsOfOneParent) {
  const FormLayout& form = SettingsForm();
  std::vector<std::string> displayGroup;
  for (const ControlLayout* radio : RadioGroupOf(form, Id(OptionRadio::Radslide))) displayGroup.push_back(radio->name);
  EXPECT_THAT(displayGroup,
              ElementsAre("radpicst", "radpicde", "radpicin", "radpicti", "Radpictcust", "Radoverlap", "Radslide"));
  EXPECT_EQ(RadioGroupOf(form, Id(OptionRadio::Radsndon)).size(), 2u);
  EXPECT_EQ(RadioGroupOf(form, Id(OptionRadio::Rad8)).size(), 6u);
  EXPECT_EQ(RadioGroupOf(form, Id(OptionRadio::Radcol2)).size(), 4u);
  EXPECT_EQ(RadioGroupOf(form, Id(OptionRadio::Radran)).size(), 2u);
}

TEST(SettingsLayout, HiddenControlsArePresentAndNeverVisible) {
  const FormLayout& form = SettingsForm();
  const std::vector<std::pair<const char*, const char*>> hidden{
      {"Label1", "Listed below is your pictures.                               Listed below is your sound files."},
      {"ListBox1", ""},
      {"ListBox2", ""},
      {"GroupBox2", "Picture Options"},
      {"Button2", "Add Picture"},
      {"Button3", "Remove Picture"},
      {"GroupBox4", "Sound Options"},
      {"cmdwav", "Add Sound File"},
      {"cmdwavd", "Remove Sound File"},
      {"cmdhelp", "About"}};
  for (const auto& [name, caption] : hidden) {
    const ControlLayout& control = ControlNamed(form, name);
    EXPECT_FALSE(control.visible) << name;
    EXPECT_STREQ(control.caption, caption) << name;
  }
  EXPECT_EQ(ParentName(form, ControlNamed(form, "Button2")), "GroupBox2");
  EXPECT_EQ(ParentName(form, ControlNamed(form, "cmdwavd")), "GroupBox4");
  EXPECT_EQ(ControlNamed(form, "Label1").font, FontStyle::Bold);
}

void ExpectWellFormed(const FormLayout& form) {
  std::set<std::string> names;
  std::set<int> ids;
  for (const ControlLayout& control : form.controls) {
    EXPECT_TRUE(names.insert(control.name).second) << control.name;
    EXPECT_TRUE(ids.insert(control.id).second) << control.name;
    int parentWidth = form.clientWidth, parentHeight = form.clientHeight;
    if (control.parent != kFormItself) {
      const ControlLayout& parent = FindControl(form, control.parent);
      EXPECT_TRUE(parent.kind == ControlKind::Panel || parent.kind == ControlKind::GroupBox) << control.name;
      parentWidth = parent.width;
      parentHeight = parent.height;
    }
    EXPECT_GE(control.left, 0) << control.name;
    EXPECT_GE(control.top, 0) << control.name;
    EXPECT_LE(control.left + control.width, parentWidth) << control.name;
    EXPECT_LE(control.top + control.height, parentHeight) << control.name;
  }
}

TEST(SettingsLayout, NamesAndIdsAreUniqueAndEveryControlFitsItsParent) { ExpectWellFormed(SettingsForm()); }

TEST(DisclaimerLayout, BorderlessWindowWithTheDisclaimerGroupAndReturn) {
  const FormLayout& form = DisclaimerForm();
  ExpectWellFormed(form);
  EXPECT_STREQ(form.className, "Tfrmdisc");
  EXPECT_EQ(form.clientWidth, 514);
  EXPECT_EQ(form.clientHeight, 312);
  EXPECT_EQ(form.border, FormBorder::None);
  EXPECT_EQ(form.colour, (Rgb{65, 168, 190}));
  ExpectPlace(form, {"GroupBox1", nullptr, 8, 16, 489, 244, ""});
  ExpectPlace(form, {"Button1", nullptr, 420, 276, 75, 25, "Return"});
  const ControlLayout& disclaimer = ControlNamed(form, "GroupBox2");
  EXPECT_EQ(ParentName(form, disclaimer), "GroupBox1");
  EXPECT_STREQ(disclaimer.caption, "Disclaimer");
  EXPECT_EQ(disclaimer.font, FontStyle::Terminal);
  std::vector<std::string> captions;
  for (const ControlLayout* label : ChildrenInTabOrder(form, ControlNamed(form, "GroupBox2").id)) {
    EXPECT_EQ(label->kind, ControlKind::Label);
    EXPECT_EQ(label->options & kWordWrap, kWordWrap);
    captions.push_back(label->caption);
  }
  EXPECT_THAT(captions, ElementsAre("", "  ", ""));
}

}  // namespace
}  // namespace lumora
