#include "image/Orientation.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

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
  return {std::min(first.left, first.right), std::min(first.top, first.bottom),
          std::max(first.left, first.right) + 1, std::max(first.top, first.bottom) + 1};
}

RowList Orientation::StoredRows(const RowList& rows) const {
  RowList stored;
  stored.reserve(rows.size());
  for (const int y : rows) stored.push_back(StoredY(0, y));
  if (mirrorsY_) std::reverse(stored.begin(), stored.end());
  return stored;
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

// Along an upright row the stored pixels lie on one stored row (or, transposed, one stored column), so each row
// is a run of pixels a fixed step apart.
PictureData Orientation::Upright(const PictureData& stored, const PixelRect& region, const RowList* rows) const {
  const int height = rows != nullptr ? static_cast<int>(rows->size()) : region.Height();
  PictureData upright = AllocatePicture(region.Width(), height, stored.bitCount);
  upright.palette = stored.palette;
  const PixelRect from = StoredRegion(region);
  const bool listed = rows != nullptr && !transposes_;
  const size_t bytes = static_cast<size_t>(stored.bitCount / 8);
  const ptrdiff_t stride = static_cast<ptrdiff_t>(stored.stride), pixel = static_cast<ptrdiff_t>(bytes);
  const ptrdiff_t step = transposes_ ? (mirrorsY_ ? -stride : stride) : (mirrorsX_ ? -pixel : pixel);
  for (int i = 0; i < height; ++i) {
    const int y = rows != nullptr ? (*rows)[static_cast<size_t>(i)] : region.top + i;
    const int row = listed ? (mirrorsY_ ? height - 1 - i : i) : StoredY(region.left, y) - from.top;
    const int column = StoredX(region.left, y) - from.left;
    CopyPixels(stored.bits.get(), row * stride + column * pixel, step, upright.Row(i), region.Width(), bytes);
  }
  return upright;
}

}  // namespace lumora
