#include "forms/FormScale.h"

#include <cstdint>

namespace lumora {

namespace {

constexpr int kPointsPerInch = 72;

// value * numerator / denominator to the nearest integer, halves away from zero (MulDiv's rounding).
int MultiplyDivideRounded(int value, int numerator, int denominator) {
  const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
  const std::int64_t half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

int PointSizeOf(FontStyle style) { return style == FontStyle::Terminal ? 9 : 8; }

}  // namespace

int ScaledToDpi(int designed, int dpi) { return MultiplyDivideRounded(designed, dpi, kDesignDpi); }

ControlLayout ScaledToDpi(const ControlLayout& control, int dpi) {
  ControlLayout scaled = control;
  scaled.left = ScaledToDpi(control.left, dpi);
  scaled.top = ScaledToDpi(control.top, dpi);
  scaled.width = ScaledToDpi(control.width, dpi);
  scaled.height = ScaledToDpi(control.height, dpi);
  return scaled;
}

int FontHeightAt(FontStyle style, int dpi) { return -MultiplyDivideRounded(PointSizeOf(style), dpi, kPointsPerInch); }

}  // namespace lumora
