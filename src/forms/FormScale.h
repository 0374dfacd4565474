#pragma once
#include "forms/FormLayout.h"

namespace lumora {

// The forms are designed at 96 DPI. On a display of another DPI every length of the form (places, sizes, the
// client area) and its fonts' point sizes are scaled when the window is made, so the form looks as designed.
inline constexpr int kDesignDpi = 96;

// A length designed at 96 DPI, at `dpi`: to the nearest pixel, halves away from zero, as MulDiv rounds.
int ScaledToDpi(int designed, int dpi);
// The control's place and size at `dpi`; everything else as designed.
ControlLayout ScaledToDpi(const ControlLayout& control, int dpi);
// The font height for CreateFont of a form's font at `dpi`: negative, the character height without the internal
// leading, for the style's point size (MS Sans Serif 8 pt, Terminal 9 pt).
int FontHeightAt(FontStyle style, int dpi);

}  // namespace lumora
