#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <set>

#include "forms/FormScale.h"
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
  const FormLayout& form = SettingsFormLayout();
  EXPECT_EQ(form.clientWidth, 607);
  EXPECT_EQ(form.clientHeight, 374);
  EXPECT_EQ(form.border, FormBorder::SingleFixed);
  EXPECT_EQ(form.colour, (Rgb{0, 128, 128}));
}

TEST(SettingsLayout, KeyControlsStandInTheirPlacesWithTheirCaptions) {
  const FormLayout& form = SettingsFormLayout();
  for (const Place& place :
       {Place{"Panel1", nullptr, 11, 8, 270, 63, ""}, Place{"Panel2", nullptr, 11, 79, 270, 79, ""},
        Place{"Panel4", nullptr, 11, 169, 270, 66, ""}, Place{"Panel3", nullptr, 11, 247, 270, 102, ""},
        Place{"GroupBox6", nullptr, 316, 12, 269, 235, "Picture Displays"},
        Place{"GroupBox7", "GroupBox6", 18, 144, 223, 84, "Customize Your Picture Size"},
        Place{"cmdclose", nullptr, 461, 335, 136, 20, "OK"}, Place{"Label4", "Panel1", 8, 4, 250, 13, "Sound On/Off"},
        Place{"Radsndon", "Panel1", 16, 22, 113, 17, "Sound ON"},
        Place{"Label5", "Panel2", 8, 4, 250, 13, "Time Delay Between Pictures"},
        Place{"Rad120", "Panel2", 144, 58, 113, 17, "2 Minutes"},
        Place{"Label7", "Panel3", 8, 4, 250, 13, "Background Colors"},
        Place{"Radcol3", "Panel3", 16, 58, 245, 17, "Green - Aqua - Fuschia - Yellow"},
        Place{"Label6", "Panel4", 8, 4, 250, 13, "Picture Display Order"},
        Place{"Radran", "Panel4", 16, 40, 113, 17, "Random"},
        Place{"radpicst", "GroupBox6", 16, 18, 240, 17, "Stretch Picture Full Size"},
        Place{"Radpictcust", "GroupBox6", 16, 126, 240, 17, "Customize Picture Size Below "},
        Place{"ScrollBarW", "GroupBox7", 14, 38, 68, 13, ""}, Place{"ScrollBarH", "GroupBox7", 124, 38, 68, 13, ""}})
    ExpectPlace(form, place);
  EXPECT_EQ(ControlNamed(form, "cmdclose").options & kDefaultButton, kDefaultButton);
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
        EXPECT_FALSE(Overlap(*shown[i], *shown[j])) << shown[i]->name << " and " << shown[j]->name;
  }
  for (const char* heading : {"Label4", "Label5", "Label7", "Label6"}) {
    const ControlLayout& label = ControlNamed(form, heading);
    for (const ControlLayout* control : ChildrenInTabOrder(form, label.parent)) {
      if (control == &label) continue;
      EXPECT_GE(control->top, label.top + label.height) << heading << " over " << control->name;
    }
  }
}

TEST(SettingsLayout, DelayButtonsStandInTwoColumns) {
  const FormLayout& form = SettingsFormLayout();
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

// Every option radio stands once in the form, with a caption of its own, and the buttons of each option's code
// rows are exactly one radio group.
TEST(SettingsLayout, EveryOptionRadioIsPresentOnceInTheGroupOfItsOption) {
  const FormLayout& form = SettingsFormLayout();
  std::set<std::string> captions;
  int radios = 0;
  for (const ControlLayout& control : form.controls) {
    if (control.kind != ControlKind::RadioButton) continue;
    ++radios;
    EXPECT_TRUE(control.visible) << control.name;
    EXPECT_STRNE(control.caption, "") << control.name;
    EXPECT_TRUE(captions.insert(control.caption).second) << control.name;
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
  const FormLayout& form = SettingsFormLayout();
  EXPECT_STREQ(ControlNamed(form, "Label3").caption, "Picture Width");
  EXPECT_STREQ(ControlNamed(form, "Label2").caption, "Picture Height");
  for (const char* name : {"Label3", "ScrollBarW", "Lblwidth", "Label2", "ScrollBarH", "Lblheight"})
    EXPECT_EQ(ParentName(form, ControlNamed(form, name)), "GroupBox7") << name;
  EXPECT_LT(ControlNamed(form, "ScrollBarW").left, ControlNamed(form, "ScrollBarH").left);
  EXPECT_GT(ControlNamed(form, "Lblwidth").top, ControlNamed(form, "ScrollBarW").top);
  EXPECT_GT(ControlNamed(form, "Lblheight").top, ControlNamed(form, "ScrollBarH").top);
  for (const char* bar : {"ScrollBarW", "ScrollBarH"}) {
    const ScrollRange& range = ControlNamed(form, bar).scroll;
    EXPECT_EQ((std::array{range.min, range.max, range.position, range.smallChange, range.largeChange}),
              (std::array{25, 1000, 25, 1, 1}))
        << bar << ": least, most, start, arrow step, page step";
  }
  EXPECT_STREQ(ControlNamed(form, "ScrollBarW").hint, "Set picture width when customizing");
  EXPECT_STREQ(ControlNamed(form, "ScrollBarH").hint, "Set picture height when customizing");
}

TEST(SettingsLayout, TabFollowsTheRequiredKeyboardOrder) {
  const FormLayout& form = SettingsFormLayout();
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
  const FormLayout& form = SettingsFormLayout();
  std::vector<std::string> displayGroup;
  for (const ControlLayout* radio : RadioGroupOf(form, Id(OptionRadio::Slide))) displayGroup.push_back(radio->name);
  EXPECT_THAT(displayGroup,
              ElementsAre("radpicst", "radpicde", "radpicin", "radpicti", "Radpictcust", "Radoverlap", "Radslide"));
  const std::pair<OptionRadio, size_t> sizes[] = {
      {OptionRadio::SoundOn, 2}, {OptionRadio::Delay8s, 6}, {OptionRadio::DarkColours, 4}, {OptionRadio::AtRandom, 2}};
  for (const auto& [radio, size] : sizes) EXPECT_EQ(RadioGroupOf(form, Id(radio)).size(), size) << Id(radio);
}

TEST(SettingsLayout, HiddenControlsArePresentAndNeverVisible) {
  const FormLayout& form = SettingsFormLayout();
  std::set<std::string> hidden;
  for (const ControlLayout& control : form.controls)
    if (!control.visible) hidden.insert(control.name);
  EXPECT_EQ(hidden, (std::set<std::string>{"Label1", "ListBox1", "ListBox2", "GroupBox2", "Button2", "Button3",
                                           "GroupBox4", "cmdwav", "cmdwavd", "cmdhelp"}));
  EXPECT_STREQ(ControlNamed(form, "Label1").caption,
               "Listed below is your pictures.                               Listed below is your sound files.");
  EXPECT_EQ(ControlNamed(form, "Label1").font, FontStyle::Bold);
  EXPECT_STREQ(ControlNamed(form, "Button2").caption, "Add Picture");
  EXPECT_STREQ(ControlNamed(form, "cmdwavd").caption, "Remove Sound File");
  EXPECT_STREQ(ControlNamed(form, "cmdhelp").caption, "About");
  EXPECT_EQ(ParentName(form, ControlNamed(form, "Button2")), "GroupBox2");
  EXPECT_EQ(ParentName(form, ControlNamed(form, "cmdwavd")), "GroupBox4");
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

TEST(SettingsLayout, NamesAndIdsAreUniqueAndEveryControlFitsItsParent) { ExpectWellFormed(SettingsFormLayout()); }

TEST(DisclaimerLayout, BorderlessWindowWithTheDisclaimerGroupAndReturn) {
  const FormLayout& form = DisclaimerFormLayout();
  ExpectWellFormed(form);
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
