#include "image/Orientation.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

namespace lumora {

// Exif names where the stored first row and column lie upright: 6 has the first row on the right and the first
// column at the top, so upright (x, y) is stored (y, height - 1 - x).
Orientation::Orientation(int exif, int storedWidth, int storedHeight)
    : storedWidth_(storedWidth), storedHeight_(storedHeight) {
  switch (exif) {
    case 2: mirrorsX_ = true; break;
    case 3: mirrorsX_ = mirrorsY_ = true; break;
    case 4: mirrorsY_ = true; break;
    case 5: transposes_ = true; break;
    case 6: transposes_ = mirrorsY_ = true; break;
    case 7: transposes_ = mirrorsX_ = mirrorsY_ = true; break;
    case 8: transposes_ = mirrorsX_ = true; break;
    default: break;
  }
}

int Orientation::StoredX(int x, int y) const {
  const int along = transposes_ ? y : x;
  return mirrorsX_ ? storedWidth_ - 1 - along : along;
}

int Orientation::StoredY(int x, int y) const {
  const int along = transposes_ ? x : y;
  return mirrorsY_ ? storedHeight_ - 1 - along : along;
}

PixelRect Orientation::StoredRegion(const PixelRect& region) const {
  const PixelRect first{StoredX(region.left, region.top), StoredY(region.left, region.top),
                        StoredX(region.right - 1, region.bottom - 1), StoredY(region.right - 1, region.bottom - 1)};
  return {std::min(first.left, first.right), std::min(first.top, first.bottom), std::max(first.left, first.right) + 1,
          std::max(first.top, first.bottom) + 1};
}

namespace {

// `count` pixels of `bytes` each, from `stored` at `at` on, `step` bytes apart, to `out` side by side.
template <size_t kBytes>
void CopyPixels(const uint8_t* stored, ptrdiff_t at, ptrdiff_t step, uint8_t* out, int count) {
  for (int i = 0; i < count; ++i, at += step, out += kBytes) std::memcpy(out, stored + at, kBytes);
}

void CopyPixels(const uint8_t* stored, ptrdiff_t at, ptrdiff_t step, uint8_t* out, int count, size_t bytes) {
  if (bytes == 3) return CopyPixels<3>(stored, at, step, out, count);
  if (bytes == 1) return CopyPixels<1>(stored, at, step, out, count);
  for (int i = 0; i < count; ++i, at += step, out += bytes) std::memcpy(out, stored + at, bytes);
}

}  // namespace

PixelNeed Orientation::StoredNeed(const PixelNeed& upright) const {
  // An upright row lies on one stored row (or, transposed, one stored column) whatever its x, and an upright
  // column likewise whatever its y; mirrored, they come in the opposite order.
  std::vector<int> ofRows, ofColumns;
  for (const int y : upright.rows) ofRows.push_back(transposes_ ? StoredX(0, y) : StoredY(0, y));
  for (const int x : upright.columns) ofColumns.push_back(transposes_ ? StoredY(x, 0) : StoredX(x, 0));
  if (transposes_ ? mirrorsX_ : mirrorsY_) std::reverse(ofRows.begin(), ofRows.end());
  if (transposes_ ? mirrorsY_ : mirrorsX_) std::reverse(ofColumns.begin(), ofColumns.end());
  PixelNeed stored{upright.eighths, StoredRegion(upright.region), {}, {}};
  stored.rows = transposes_ ? ofColumns : ofRows;
  stored.columns = transposes_ ? ofRows : ofColumns;
  return stored;
}

// The stored pixels are the upright ones' lines in ascending stored order, so the turn works on their indices
// alone: along an upright row the stored pixels lie on one stored row (or, transposed, one stored column), a
// fixed step apart.
PictureData Orientation::Upright(const PictureData& stored) const {
  const int width = transposes_ ? stored.height : stored.width;
  const int height = transposes_ ? stored.width : stored.height;
  PictureData upright = AllocatePicture(width, height, stored.bitCount);
  upright.palette = stored.palette;
  const size_t bytes = static_cast<size_t>(stored.bitCount / 8);
  const ptrdiff_t stride = static_cast<ptrdiff_t>(stored.stride), pixel = static_cast<ptrdiff_t>(bytes);
  const ptrdiff_t step = transposes_ ? (mirrorsY_ ? -stride : stride) : (mirrorsX_ ? -pixel : pixel);
  for (int i = 0; i < height; ++i) {
    // The stored row and column of the upright row's first pixel.
    const int row = transposes_ ? (mirrorsY_ ? stored.height - 1 : 0) : (mirrorsY_ ? stored.height - 1 - i : i);
    const int column = transposes_ ? (mirrorsX_ ? stored.width - 1 - i : i) : (mirrorsX_ ? stored.width - 1 : 0);
    CopyPixels(stored.bits.get(), row * stride + column * pixel, step, upright.Row(i), width, bytes);
  }
  return upright;
}

}  // namespace lumora
