#include "settings_window/SettingsLayout.h"

#include <array>

#include "platform/WindowNames.h"

namespace lumora {

namespace {

using enum ControlKind;
using enum FontStyle;
using C = SettingsControl;
using R = OptionRadio;

constexpr ScrollRange kSizeBar{25, 1000, 25, 1, 1};

// The hidden controls stand where the display group is; nothing ever shows them.
constexpr auto kSettingsControls = std::to_array<ControlLayout>({
    // kind, parent, id, left, top, width, height, caption, font, visible, tab order
    {Button, kFormItself, Id(C::OkButton), 461, 335, 136, 20, "OK", Bold, true, 0, nullptr, {}, kDefaultButton},
    {GroupBox, kFormItself, Id(C::DisplayGroup), 316, 12, 269, 235, "Picture Displays", Bold, true, 1},
    {RadioButton, Id(C::DisplayGroup), Id(R::Stretched), 16, 18, 240, 17, "Stretch Picture Full Size", Bold, true, 0},
    {RadioButton, Id(C::DisplayGroup), Id(R::NaturalSize), 16, 36, 240, 17, "Default Picture Size (Clearest Image)",
     Bold, true, 1},
    {RadioButton, Id(C::DisplayGroup), Id(R::PictureInPicture), 16, 54, 240, 17, "Picture in a Picture", Bold, true, 2},
    {RadioButton, Id(C::DisplayGroup), Id(R::Tiled), 16, 72, 240, 17, "Tiled Pictures", Bold, true, 3},
    {GroupBox, Id(C::DisplayGroup), Id(C::CustomSizeGroup), 18, 144, 223, 84, "Customize Your Picture Size", Bold, true,
     4},
    {RadioButton, Id(C::DisplayGroup), Id(R::CustomSize), 16, 126, 240, 17, "Customize Picture Size Below ", Bold, true,
     5},
    {RadioButton, Id(C::DisplayGroup), Id(R::Overlapping), 16, 90, 240, 17, "Picture Overlapping", Bold, true, 6},
    {RadioButton, Id(C::DisplayGroup), Id(R::Slide), 16, 108, 240, 17, "Slide", Bold, true, 7},
    {Label, Id(C::CustomSizeGroup), Id(C::WidthHeading), 14, 20, 90, 13, "Picture Width", Bold, true, 0},
    {Label, Id(C::CustomSizeGroup), Id(C::HeightHeading), 124, 20, 90, 13, "Picture Height", Bold, true, 1},
    {ScrollBar, Id(C::CustomSizeGroup), Id(C::HeightScrollBar), 124, 38, 68, 13, "", Regular, true, 2,
     "Set picture height when customizing", kSizeBar},
    {ScrollBar, Id(C::CustomSizeGroup), Id(C::WidthScrollBar), 14, 38, 68, 13, "", Regular, true, 3,
     "Set picture width when customizing", kSizeBar},
    {Label, Id(C::CustomSizeGroup), Id(C::WidthValue), 14, 58, 60, 13, "25", Regular, true, 4},
    {Label, Id(C::CustomSizeGroup), Id(C::HeightValue), 124, 58, 60, 13, "25", Regular, true, 5},

    {Panel, kFormItself, Id(C::SoundPanel), 11, 8, 270, 63, "", Bold, true, 2},
    {Label, Id(C::SoundPanel), Id(C::SoundHeading), 8, 4, 250, 13, "Sound On/Off", Bold, true, 0},
    {RadioButton, Id(C::SoundPanel), Id(R::SoundOn), 16, 22, 113, 17, "Sound ON", Bold, true, 1},
    {RadioButton, Id(C::SoundPanel), Id(R::SoundOff), 16, 40, 113, 17, "Sound OFF", Bold, true, 2},

    {Panel, kFormItself, Id(C::DelayPanel), 11, 79, 270, 79, "", Bold, true, 3},
    {Label, Id(C::DelayPanel), Id(C::DelayHeading), 8, 4, 250, 13, "Time Delay Between Pictures", Bold, true, 0},
    {RadioButton, Id(C::DelayPanel), Id(R::Delay8s), 16, 22, 113, 17, "8 Seconds", Bold, true, 1},
    {RadioButton, Id(C::DelayPanel), Id(R::Delay30s), 16, 40, 113, 17, "30 Seconds", Bold, true, 2},
    {RadioButton, Id(C::DelayPanel), Id(R::Delay60s), 16, 58, 113, 17, "1 Minute", Bold, true, 3},
    {RadioButton, Id(C::DelayPanel), Id(R::Delay15s), 144, 22, 113, 17, "15 Seconds", Bold, true, 4},
    {RadioButton, Id(C::DelayPanel), Id(R::Delay45s), 144, 40, 113, 17, "45 Seconds", Bold, true, 5},
    {RadioButton, Id(C::DelayPanel), Id(R::Delay120s), 144, 58, 113, 17, "2 Minutes", Bold, true, 6},

    {Panel, kFormItself, Id(C::ColoursPanel), 11, 247, 270, 102, "", Bold, true, 4},
    {Label, Id(C::ColoursPanel), Id(C::ColoursHeading), 8, 4, 250, 13, "Background Colors", Bold, true, 0},
    {RadioButton, Id(C::ColoursPanel), Id(R::GreyColours), 16, 22, 245, 17, "Black - Gray - Silver - White", Bold, true,
     1},
    {RadioButton, Id(C::ColoursPanel), Id(R::DarkColours), 16, 40, 245, 17, "Navy - Black - Purple - Maroon", Bold,
     true, 2},
    {RadioButton, Id(C::ColoursPanel), Id(R::BrightColours), 16, 58, 245, 17, "Green - Aqua - Fuschia - Yellow", Bold,
     true, 3},
    {RadioButton, Id(C::ColoursPanel), Id(R::BlackOnly), 16, 76, 245, 17, "Black Only", Bold, true, 4},

    {Panel, kFormItself, Id(C::OrderPanel), 11, 169, 270, 66, "", Bold, true, 5},
    {Label, Id(C::OrderPanel), Id(C::OrderHeading), 8, 4, 250, 13, "Picture Display Order", Bold, true, 0},
    {RadioButton, Id(C::OrderPanel), Id(R::InOrder), 16, 22, 113, 17, "In Order", Bold, true, 1},
    {RadioButton, Id(C::OrderPanel), Id(R::AtRandom), 16, 40, 113, 17, "Random", Bold, true, 2},

    {Label, kFormItself, Id(C::ListsHeading), 316, 12, 269, 13,
     "Listed below is your pictures.                               Listed below is your sound files.", Bold, false, 6},
    {ListBox, kFormItself, Id(C::PictureList), 316, 28, 130, 120, "", Regular, false, 7},
    {ListBox, kFormItself, Id(C::SoundList), 455, 28, 130, 120, "", Regular, false, 8},
    {GroupBox, kFormItself, Id(C::PictureButtons), 316, 152, 130, 70, "Picture Options", Bold, false, 9},
    {Button, Id(C::PictureButtons), Id(C::AddPictureButton), 8, 16, 114, 22, "Add Picture", Bold, false, 0},
    {Button, Id(C::PictureButtons), Id(C::RemovePictureButton), 8, 42, 114, 22, "Remove Picture", Bold, false, 1},
    {GroupBox, kFormItself, Id(C::SoundButtons), 455, 152, 130, 70, "Sound Options", Bold, false, 10},
    {Button, Id(C::SoundButtons), Id(C::AddSoundButton), 8, 16, 114, 22, "Add Sound File", Bold, false, 0},
    {Button, Id(C::SoundButtons), Id(C::RemoveSoundButton), 8, 42, 114, 22, "Remove Sound File", Bold, false, 1},
    {Button, kFormItself, Id(C::AboutButton), 316, 226, 75, 20, "About", Bold, false, 11},
});

constexpr FormLayout kSettingsFormLayout{kSettingsWindowClass,    kSettingsWindowTitle, 607, 374, kSettingsLayoutColour,
                                         FormBorder::SingleFixed, kSettingsControls};

}  // namespace

const FormLayout& SettingsFormLayout() { return kSettingsFormLayout; }

}  // namespace lumora
