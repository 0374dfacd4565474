#include "usave2/SettingsLayout.h"

#include <array>

namespace lumora {

namespace {

using enum ControlKind;
using enum FontStyle;

constexpr ScrollRange kSizeBar{25, 1000, 25, 1, 1};

// The hidden controls stand where the display group is; nothing ever shows them.
constexpr auto kControls = std::to_array<ControlLayout>({
    // kind, name, parent, id, left, top, width, height, caption, font, visible, tab order
    {Button, "cmdclose", nullptr, 100, 461, 335, 136, 20, "OK", Bold, true, 0, nullptr, {}, kDefaultButton},
    {GroupBox, "GroupBox6", nullptr, 200, 316, 12, 269, 235, "Picture Displays", Bold, true, 1},
    {RadioButton, "radpicst", "GroupBox6", 201, 16, 18, 240, 17, "Stretch Picture Full Size", Bold, true, 0},
    {RadioButton, "radpicde", "GroupBox6", 202, 16, 36, 240, 17, "Default Picture Size (Clearest Image)", Bold, true,
     1},
    {RadioButton, "radpicin", "GroupBox6", 203, 16, 54, 240, 17, "Picture in a Picture", Bold, true, 2},
    {RadioButton, "radpicti", "GroupBox6", 204, 16, 72, 240, 17, "Tiled Pictures", Bold, true, 3},
    {GroupBox, "GroupBox7", "GroupBox6", 205, 18, 144, 223, 84, "Customize Your Picture Size", Bold, true, 4},
    {RadioButton, "Radpictcust", "GroupBox6", 206, 16, 126, 240, 17, "Customize Picture Size Below ", Bold, true, 5},
    {RadioButton, "Radoverlap", "GroupBox6", 207, 16, 90, 240, 17, "Picture Overlapping", Bold, true, 6},
    {RadioButton, "Radslide", "GroupBox6", 208, 16, 108, 240, 17, "Slide", Bold, true, 7},
    {Label, "Label3", "GroupBox7", 210, 14, 20, 90, 13, "Picture Width", Bold, true, 0},
    {Label, "Label2", "GroupBox7", 211, 124, 20, 90, 13, "Picture Height", Bold, true, 1},
    {ScrollBar, "ScrollBarH", "GroupBox7", 212, 124, 38, 68, 13, "", Regular, true, 2,
     "Set picture height when customizing", kSizeBar},
    {ScrollBar, "ScrollBarW", "GroupBox7", 213, 14, 38, 68, 13, "", Regular, true, 3,
     "Set picture width when customizing", kSizeBar},
    {Label, "Lblwidth", "GroupBox7", 214, 14, 58, 60, 13, "25", Regular, true, 4},
    {Label, "Lblheight", "GroupBox7", 215, 124, 58, 60, 13, "25", Regular, true, 5},

    {Panel, "Panel1", nullptr, 300, 11, 8, 270, 63, "", Bold, true, 2},
    {Label, "Label4", "Panel1", 301, 8, 4, 250, 13, "Sound On/Off", Bold, true, 0},
    {RadioButton, "Radsndon", "Panel1", 302, 16, 22, 113, 17, "Sound ON", Bold, true, 1},
    {RadioButton, "Radsndof", "Panel1", 303, 16, 40, 113, 17, "Sound OFF", Bold, true, 2},

    {Panel, "Panel2", nullptr, 400, 11, 79, 270, 79, "", Bold, true, 3},
    {Label, "Label5", "Panel2", 401, 8, 4, 250, 13, "Time Delay Between Pictures", Bold, true, 0},
    {RadioButton, "Rad8", "Panel2", 402, 16, 22, 113, 17, "8 Seconds", Bold, true, 1},
    {RadioButton, "Radtime2", "Panel2", 403, 16, 40, 113, 17, "30 Seconds", Bold, true, 2},
    {RadioButton, "Radtime4", "Panel2", 404, 16, 58, 113, 17, "1 Minute", Bold, true, 3},
    {RadioButton, "Radtime1", "Panel2", 405, 144, 22, 113, 17, "15 Seconds", Bold, true, 4},
    {RadioButton, "Radtime3", "Panel2", 406, 144, 40, 113, 17, "45 Seconds", Bold, true, 5},
    {RadioButton, "Rad120", "Panel2", 407, 144, 58, 113, 17, "2 Minutes", Bold, true, 6},

    {Panel, "Panel3", nullptr, 500, 11, 247, 270, 102, "", Bold, true, 4},
    {Label, "Label7", "Panel3", 501, 8, 4, 250, 13, "Background Colors", Bold, true, 0},
    {RadioButton, "Radcol1", "Panel3", 502, 16, 22, 245, 17, "Black - Gray - Silver - White", Bold, true, 1},
    {RadioButton, "Radcol2", "Panel3", 503, 16, 40, 245, 17, "Navy - Black - Purple - Maroon", Bold, true, 2},
    {RadioButton, "Radcol3", "Panel3", 504, 16, 58, 245, 17, "Green - Aqua - Fuschia - Yellow", Bold, true, 3},
    {RadioButton, "Radcol4", "Panel3", 505, 16, 76, 245, 17, "Black Only", Bold, true, 4},

    {Panel, "Panel4", nullptr, 600, 11, 169, 270, 66, "", Bold, true, 5},
    {Label, "Label6", "Panel4", 601, 8, 4, 250, 13, "Picture Display Order", Bold, true, 0},
    {RadioButton, "Radseq", "Panel4", 602, 16, 22, 113, 17, "In Order", Bold, true, 1},
    {RadioButton, "Radran", "Panel4", 603, 16, 40, 113, 17, "Random", Bold, true, 2},

    {Label, "Label1", nullptr, 700, 316, 12, 269, 13,
     "Listed below is your pictures.                               Listed below is your sound files.", Bold, false, 6},
    {ListBox, "ListBox1", nullptr, 701, 316, 28, 130, 120, "", Regular, false, 7},
    {ListBox, "ListBox2", nullptr, 702, 455, 28, 130, 120, "", Regular, false, 8},
    {GroupBox, "GroupBox2", nullptr, 703, 316, 152, 130, 70, "Picture Options", Bold, false, 9},
    {Button, "Button2", "GroupBox2", 704, 8, 16, 114, 22, "Add Picture", Bold, false, 0},
    {Button, "Button3", "GroupBox2", 705, 8, 42, 114, 22, "Remove Picture", Bold, false, 1},
    {GroupBox, "GroupBox4", nullptr, 706, 455, 152, 130, 70, "Sound Options", Bold, false, 10},
    {Button, "cmdwav", "GroupBox4", 707, 8, 16, 114, 22, "Add Sound File", Bold, false, 0},
    {Button, "cmdwavd", "GroupBox4", 708, 8, 42, 114, 22, "Remove Sound File", Bold, false, 1},
    {Button, "cmdhelp", nullptr, 709, 316, 226, 75, 20, "About", Bold, false, 11},
});

constexpr FormLayout kSettingsForm{
    "TForm2", "Screensaver Settings/Options", 607, 374, kSettingsLayoutColour, FormBorder::SingleFixed, kControls};

}  // namespace

const FormLayout& SettingsForm() { return kSettingsForm; }

}  // namespace lumora
