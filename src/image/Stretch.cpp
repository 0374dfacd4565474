#include "image/Stretch.h"

#include <cstring>
#include <vector>

namespace lumora {

namespace {

int SourceIndex(int destination, int sourceSize, int destinationSize) {
  return static_cast<int>(((2 * int64_t{destination} + 1) * sourceSize) / (2 * int64_t{destinationSize}));
}

void CopyPixel(const Picture& source, const uint8_t* sourceRow, int x, uint8_t* out) {
  if (source.BitCount() == 8) {
    const Rgb& colour = source.Palette()[sourceRow[x] < source.Palette().size() ? sourceRow[x] : 0];
    out[0] = colour.b;
    out[1] = colour.g;
    out[2] = colour.r;
    return;
  }
  std::memcpy(out, sourceRow + static_cast<size_t>(x) * 3, 3);
}

// Fills `result` from source rows and columns chosen by the two maps.
Picture Sample(const Picture& source, const std::vector<int>& columns, const std::vector<int>& rows) {
  PictureData result = AllocatePicture(static_cast<int>(columns.size()), static_cast<int>(rows.size()), 24);
  for (size_t y = 0; y < rows.size(); ++y) {
    uint8_t* out = result.Row(static_cast<int>(y));
    if (y > 0 && rows[y] == rows[y - 1]) {
      std::memcpy(out, result.Row(static_cast<int>(y - 1)), result.stride);
      continue;
    }
    const uint8_t* sourceRow = source.Row(rows[y]);
    for (size_t x = 0; x < columns.size(); ++x) CopyPixel(source, sourceRow, columns[x], out + x * 3);
  }
  return Picture(std::move(result));
}

}  // namespace

Picture StretchedPart(const Picture& source, int width, int height, const PixelRect& visible) {
  if (source.Empty() || visible.Empty() || width <= 0 || height <= 0) return Picture();
  std::vector<int> columns(visible.Width()), rows(visible.Height());
  for (int x = 0; x < visible.Width(); ++x) columns[x] = SourceIndex(visible.left + x, source.Width(), width);
  for (int y = 0; y < visible.Height(); ++y) rows[y] = SourceIndex(visible.top + y, source.Height(), height);
  return Sample(source, columns, rows);
}

Picture CroppedPart(const Picture& source, const PixelRect& visible) {
  if (source.Empty() || visible.Empty()) return Picture();
  std::vector<int> columns(visible.Width()), rows(visible.Height());
  for (int x = 0; x < visible.Width(); ++x) columns[x] = visible.left + x;
  for (int y = 0; y < visible.Height(); ++y) rows[y] = visible.top + y;
  return Sample(source, columns, rows);
}

}  // namespace lumora
