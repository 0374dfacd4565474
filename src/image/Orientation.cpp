#include "image/Orientation.h"

#include <algorithm>
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

PictureData Orientation::Upright(const PictureData& stored, const PixelRect& region, const RowList* rows) const {
  const int height = rows != nullptr ? static_cast<int>(rows->size()) : region.Height();
  PictureData upright = AllocatePicture(region.Width(), height, stored.bitCount);
  upright.palette = stored.palette;
  const PixelRect from = StoredRegion(region);
  const bool listed = rows != nullptr && !transposes_;
  const size_t bytes = static_cast<size_t>(stored.bitCount / 8);
  for (int i = 0; i < height; ++i) {
    const int y = rows != nullptr ? (*rows)[static_cast<size_t>(i)] : region.top + i;
    const int listedRow = mirrorsY_ ? height - 1 - i : i;
    uint8_t* out = upright.Row(i);
    for (int x = region.left; x < region.right; ++x, out += bytes) {
      const int row = listed ? listedRow : StoredY(x, y) - from.top;
      const size_t column = static_cast<size_t>(StoredX(x, y) - from.left);
      std::memcpy(out, stored.bits.get() + static_cast<size_t>(row) * stored.stride + column * bytes, bytes);
    }
  }
  return upright;
}

}  // namespace lumora
