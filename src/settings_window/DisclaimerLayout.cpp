#include "settings_window/DisclaimerLayout.h"

#include <array>

namespace lumora {

namespace {

using enum ControlKind;
using enum FontStyle;
using D = DisclaimerControl;

constexpr auto kDisclaimerControls = std::to_array<ControlLayout>({
    // kind, name, parent, id, left, top, width, height, caption, font, visible, tab order
    {GroupBox, "GroupBox1", kFormItself, Id(D::Frame), 8, 16, 489, 244, "", Regular, true, 0},
    {GroupBox, "GroupBox2", Id(D::Frame), Id(D::DisclaimerGroup), 8, 8, 473, 228, "Disclaimer", Terminal, true, 0},
    {Label, "Label1", Id(D::DisclaimerGroup), Id(D::FirstParagraph), 10, 20, 453, 64, "", Terminal, true, 0, nullptr, {}, kWordWrap},
    {Label, "Label2", Id(D::DisclaimerGroup), Id(D::SecondParagraph), 10, 88, 453, 64, "  ", Terminal, true, 1, nullptr, {}, kWordWrap},
    {Label, "Label3", Id(D::DisclaimerGroup), Id(D::ThirdParagraph), 10, 156, 453, 64, "", Terminal, true, 2, nullptr, {}, kWordWrap},
    {Button, "Button1", kFormItself, Id(D::ReturnButton), 420, 276, 75, 25, "Return", Regular, true, 1, nullptr, {}, kDefaultButton},
});

constexpr FormLayout kDisclaimerFormLayout{
    kDisclaimerWindowClass, "Disclaimer", 514, 312, Rgb{65, 168, 190}, FormBorder::None, kDisclaimerControls};

}  // namespace

const FormLayout& DisclaimerFormLayout() { return kDisclaimerFormLayout; }

}  // namespace lumora
