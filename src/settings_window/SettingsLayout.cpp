#include "settings_window/SettingsLayout.h"

#include <array>

namespace lumora {

namespace {

using enum ControlKind;
using enum FontStyle;
using C = SettingsControl;
using R = OptionRadio;

constexpr ScrollRange kSizeBar{25, 1000, 25, 1, 1};

// The hidden controls stand where the display group is; nothing ever shows them.
constexpr auto kControls = std::to_array<ControlLayout>({
    // kind, name, parent, id, left, top, width, height, caption, font, visible, tab order
    {Button, "cmdclose", kFormItself, Id(C::cmdclose), 461, 335, 136, 20, "OK", Bold, true, 0, nullptr, {}, kDefaultButton},
    {GroupBox, "GroupBox6", kFormItself, Id(C::GroupBox6), 316, 12, 269, 235, "Picture Displays", Bold, true, 1},
    {RadioButton, "radpicst", Id(C::GroupBox6), Id(R::radpicst), 16, 18, 240, 17, "Stretch Picture Full Size", Bold, true, 0},
    {RadioButton, "radpicde", Id(C::GroupBox6), Id(R::radpicde), 16, 36, 240, 17, "Default Picture Size (Clearest Image)", Bold, true,
     1},
    {RadioButton, "radpicin", Id(C::GroupBox6), Id(R::radpicin), 16, 54, 240, 17, "Picture in a Picture", Bold, true, 2},
    {RadioButton, "radpicti", Id(C::GroupBox6), Id(R::radpicti), 16, 72, 240, 17, "Tiled Pictures", Bold, true, 3},
    {GroupBox, "GroupBox7", Id(C::GroupBox6), Id(C::GroupBox7), 18, 144, 223, 84, "Customize Your Picture Size", Bold, true, 4},
    {RadioButton, "Radpictcust", Id(C::GroupBox6), Id(R::Radpictcust), 16, 126, 240, 17, "Customize Picture Size Below ", Bold, true, 5},
    {RadioButton, "Radoverlap", Id(C::GroupBox6), Id(R::Radoverlap), 16, 90, 240, 17, "Picture Overlapping", Bold, true, 6},
    {RadioButton, "Radslide", Id(C::GroupBox6), Id(R::Radslide), 16, 108, 240, 17, "Slide", Bold, true, 7},
    {Label, "Label3", Id(C::GroupBox7), Id(C::Label3), 14, 20, 90, 13, "Picture Width", Bold, true, 0},
    {Label, "Label2", Id(C::GroupBox7), Id(C::Label2), 124, 20, 90, 13, "Picture Height", Bold, true, 1},
    {ScrollBar, "ScrollBarH", Id(C::GroupBox7), Id(C::ScrollBarH), 124, 38, 68, 13, "", Regular, true, 2,
     "Set picture height when customizing", kSizeBar},
    {ScrollBar, "ScrollBarW", Id(C::GroupBox7), Id(C::ScrollBarW), 14, 38, 68, 13, "", Regular, true, 3,
     "Set picture width when customizing", kSizeBar},
    {Label, "Lblwidth", Id(C::GroupBox7), Id(C::Lblwidth), 14, 58, 60, 13, "25", Regular, true, 4},
    {Label, "Lblheight", Id(C::GroupBox7), Id(C::Lblheight), 124, 58, 60, 13, "25", Regular, true, 5},

    {Panel, "Panel1", kFormItself, Id(C::Panel1), 11, 8, 270, 63, "", Bold, true, 2},
    {Label, "Label4", Id(C::Panel1), Id(C::Label4), 8, 4, 250, 13, "Sound On/Off", Bold, true, 0},
    {RadioButton, "Radsndon", Id(C::Panel1), Id(R::Radsndon), 16, 22, 113, 17, "Sound ON", Bold, true, 1},
    {RadioButton, "Radsndof", Id(C::Panel1), Id(R::Radsndof), 16, 40, 113, 17, "Sound OFF", Bold, true, 2},

    {Panel, "Panel2", kFormItself, Id(C::Panel2), 11, 79, 270, 79, "", Bold, true, 3},
    {Label, "Label5", Id(C::Panel2), Id(C::Label5), 8, 4, 250, 13, "Time Delay Between Pictures", Bold, true, 0},
    {RadioButton, "Rad8", Id(C::Panel2), Id(R::Rad8), 16, 22, 113, 17, "8 Seconds", Bold, true, 1},
    {RadioButton, "Radtime2", Id(C::Panel2), Id(R::Radtime2), 16, 40, 113, 17, "30 Seconds", Bold, true, 2},
    {RadioButton, "Radtime4", Id(C::Panel2), Id(R::Radtime4), 16, 58, 113, 17, "1 Minute", Bold, true, 3},
    {RadioButton, "Radtime1", Id(C::Panel2), Id(R::Radtime1), 144, 22, 113, 17, "15 Seconds", Bold, true, 4},
    {RadioButton, "Radtime3", Id(C::Panel2), Id(R::Radtime3), 144, 40, 113, 17, "45 Seconds", Bold, true, 5},
    {RadioButton, "Rad120", Id(C::Panel2), Id(R::Rad120), 144, 58, 113, 17, "2 Minutes", Bold, true, 6},

    {Panel, "Panel3", kFormItself, Id(C::Panel3), 11, 247, 270, 102, "", Bold, true, 4},
    {Label, "Label7", Id(C::Panel3), Id(C::Label7), 8, 4, 250, 13, "Background Colors", Bold, true, 0},
    {RadioButton, "Radcol1", Id(C::Panel3), Id(R::Radcol1), 16, 22, 245, 17, "Black - Gray - Silver - White", Bold, true, 1},
    {RadioButton, "Radcol2", Id(C::Panel3), Id(R::Radcol2), 16, 40, 245, 17, "Navy - Black - Purple - Maroon", Bold, true, 2},
    {RadioButton, "Radcol3", Id(C::Panel3), Id(R::Radcol3), 16, 58, 245, 17, "Green - Aqua - Fuschia - Yellow", Bold, true, 3},
    {RadioButton, "Radcol4", Id(C::Panel3), Id(R::Radcol4), 16, 76, 245, 17, "Black Only", Bold, true, 4},

    {Panel, "Panel4", kFormItself, Id(C::Panel4), 11, 169, 270, 66, "", Bold, true, 5},
    {Label, "Label6", Id(C::Panel4), Id(C::Label6), 8, 4, 250, 13, "Picture Display Order", Bold, true, 0},
    {RadioButton, "Radseq", Id(C::Panel4), Id(R::Radseq), 16, 22, 113, 17, "In Order", Bold, true, 1},
    {RadioButton, "Radran", Id(C::Panel4), Id(R::Radran), 16, 40, 113, 17, "Random", Bold, true, 2},

    {Label, "Label1", kFormItself, Id(C::Label1), 316, 12, 269, 13,
     "Listed below is your pictures.                               Listed below is your sound files.", Bold, false, 6},
    {ListBox, "ListBox1", kFormItself, Id(C::ListBox1), 316, 28, 130, 120, "", Regular, false, 7},
    {ListBox, "ListBox2", kFormItself, Id(C::ListBox2), 455, 28, 130, 120, "", Regular, false, 8},
    {GroupBox, "GroupBox2", kFormItself, Id(C::GroupBox2), 316, 152, 130, 70, "Picture Options", Bold, false, 9},
    {Button, "Button2", Id(C::GroupBox2), Id(C::Button2), 8, 16, 114, 22, "Add Picture", Bold, false, 0},
    {Button, "Button3", Id(C::GroupBox2), Id(C::Button3), 8, 42, 114, 22, "Remove Picture", Bold, false, 1},
    {GroupBox, "GroupBox4", kFormItself, Id(C::GroupBox4), 455, 152, 130, 70, "Sound Options", Bold, false, 10},
    {Button, "cmdwav", Id(C::GroupBox4), Id(C::cmdwav), 8, 16, 114, 22, "Add Sound File", Bold, false, 0},
    {Button, "cmdwavd", Id(C::GroupBox4), Id(C::cmdwavd), 8, 42, 114, 22, "Remove Sound File", Bold, false, 1},
    {Button, "cmdhelp", kFormItself, Id(C::cmdhelp), 316, 226, 75, 20, "About", Bold, false, 11},
});

constexpr FormLayout kSettingsForm{
    "TForm2", "Screensaver Settings/Options", 607, 374, kSettingsLayoutColour, FormBorder::SingleFixed, kControls};

}  // namespace

const FormLayout& SettingsForm() { return kSettingsForm; }

}  // namespace lumora
