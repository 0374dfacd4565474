#pragma once
#include <algorithm>

#include "image/Picture.h"

namespace lumora {

// A rectangle of whole pixels, right and bottom exclusive.
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

inline PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

// Where something drawn at `bounds` lands within `screen`: the part of the screen it covers, and the same part
// in its own pixels, counted from its top-left corner. Both are empty when it lies off the screen.
struct VisiblePart {
  PixelRect onScreen;
  PixelRect inBounds;
};
inline VisiblePart VisiblePartOf(const PixelRect& bounds, const PixelRect& screen) {
  const PixelRect onScreen = Intersect(bounds, screen);
  if (onScreen.Empty()) return {};
  return {onScreen, PixelRect{onScreen.left - bounds.left, onScreen.top - bounds.top, onScreen.right - bounds.left,
                              onScreen.bottom - bounds.top}};
}

// The part `visible` (in destination pixels, within 0..width and 0..height) of `source` stretched to
// `width` x `height` by repeating or dropping whole pixels, without smoothing; always 24-bit. Destination pixel
// x takes source column (2x + 1) * source width / (2 * width), the column under its centre.
Picture StretchedPart(const Picture& source, int width, int height, const PixelRect& visible);

// The part `visible` (in source pixels) of `source` at natural size, 24-bit.
Picture CroppedPart(const Picture& source, const PixelRect& visible);

}  // namespace lumora
