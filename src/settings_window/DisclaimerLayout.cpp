#include "settings_window/DisclaimerLayout.h"

#include <array>

#include "platform/WindowNames.h"

namespace lumora {

namespace {

using enum ControlKind;
using enum FontStyle;
using enum DisclaimerControl;

constexpr auto kDisclaimerControls = std::to_array<ControlLayout>({
    // kind, parent, id, left, top, width, height, caption, font, visible, tab order
    {GroupBox, kFormItself, Id(Frame), 8, 16, 489, 244, "", Regular, true, 0},
    {GroupBox, Id(Frame), Id(DisclaimerGroup), 8, 8, 473, 228, "Disclaimer", Terminal, true, 0},
    {Label, Id(DisclaimerGroup), Id(FirstParagraph), 10, 20, 453, 64, "", Terminal, true, 0, nullptr, {}, kWordWrap},
    {Label, Id(DisclaimerGroup), Id(SecondParagraph), 10, 88, 453, 64, "  ", Terminal, true, 1, nullptr, {}, kWordWrap},
    {Label, Id(DisclaimerGroup), Id(ThirdParagraph), 10, 156, 453, 64, "", Terminal, true, 2, nullptr, {}, kWordWrap},
    {Button, kFormItself, Id(ReturnButton), 420, 276, 75, 25, "Return", Regular, true, 1, nullptr, {}, kDefaultButton},
});

constexpr FormLayout kDisclaimerFormLayout{kDisclaimerWindowClass, "Disclaimer",       514, 312, Rgb{65, 168, 190},
                                           FormBorder::None,       kDisclaimerControls};

}  // namespace

const FormLayout& DisclaimerFormLayout() { return kDisclaimerFormLayout; }

}  // namespace lumora
