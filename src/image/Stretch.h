#pragma once
#include "image/Picture.h"

namespace lumora {

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

// The scale a picture drawn stretched to `width` x `height` is read at: for a picture whose pixels are decoded
// as they are drawn, the smallest of 1/8, 1/4, 1/2 and 1 that still gives at least the drawn size (or the
// natural size, when that is smaller); for a picture held whole, its natural size.
int StretchScale(const Picture& source, int width, int height);
// What the part `visible` of `source` stretched to `width` x `height` needs of it: the rows and columns it
// samples, listed when it drops any, so that what is held for it is no larger than what it draws.
PixelNeed StretchNeed(const Picture& source, int width, int height, const PixelRect& visible);

// The part `visible` (in destination pixels, within 0..width and 0..height) of `source` stretched to
// `width` x `height` by repeating or dropping whole pixels, without smoothing; always 24-bit. Destination pixel
// x takes column (2x + 1) * scaled width / (2 * width) of the picture at its stretch scale, the column under its
// centre. A picture whose pixels cannot be decoded gives the placeholder, stretched the same way. Where the
// pixels held are just those drawn, the result shares them. A decode is watched by `watch`, when given.
Picture StretchedPart(const Picture& source, int width, int height, const PixelRect& visible,
                      DecodeWatch* watch = nullptr);

// The part `visible` (in natural pixels) of `source` at natural size, 24-bit; the placeholder stretched over the
// picture's natural size when its pixels cannot be decoded. Where the pixels held are just those, it shares them.
Picture CroppedPart(const Picture& source, const PixelRect& visible);

}  // namespace lumora
