#include "image/Stretch.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "image/DecodeWatch.h"
#include "image/Placeholder.h"

namespace lumora {

namespace {

// libjpeg-turbo's fastest scales, in eighths: 3/8 and the others decode more slowly than the next larger one.
constexpr int kStretchScales[] = {1, 2, 4, 8};

int SourceIndex(int destination, int sourceSize, int destinationSize) {
  return static_cast<int>(((2 * int64_t{destination} + 1) * sourceSize) / (2 * int64_t{destinationSize}));
}

// The sampled pixels of a 24-bit row lie side by side, as in a crop at natural size: each row is one copy.
bool SideBySide(const Picture& source, const std::vector<size_t>& offsets) {
  if (source.BitCount() != 24 || offsets.empty()) return false;
  for (size_t x = 1; x < offsets.size(); ++x)
    if (offsets[x] != offsets[0] + 3 * x) return false;
  return true;
}

// One row of the result from one row of the source: `offsets` are the sampled pixels' byte offsets in it.
void SampleRow(const Picture& source, const uint8_t* sourceRow, const std::vector<size_t>& offsets, bool sideBySide,
               uint8_t* out) {
  if (sideBySide) {
    std::memcpy(out, sourceRow + offsets[0], 3 * offsets.size());
    return;
  }
  if (source.BitCount() == 8) {
    const std::vector<Rgb>& palette = source.Palette();
    for (size_t offset : offsets) {
      PutBgr(out, palette[sourceRow[offset] < palette.size() ? sourceRow[offset] : 0]);
      out += 3;
    }
    return;
  }
  // A tight loop: a stretched photo samples every pixel of the screen here, once per tick.
  for (size_t offset : offsets) {
    const uint8_t* pixel = sourceRow + offset;
    out[0] = pixel[0];
    out[1] = pixel[1];
    out[2] = pixel[2];
    out += 3;
  }
}

// The pixels held by `source` are exactly those at the columns and rows given, in order: nothing to copy.
bool SamplesAllHeld(const Picture& source, const std::vector<int>& columns, const std::vector<int>& rows) {
  if (source.BitCount() != 24 || static_cast<int>(columns.size()) != source.HeldPixels().Width() ||
      static_cast<int>(rows.size()) != source.HeldPixels().Height())
    return false;
  for (size_t x = 0; x < columns.size(); ++x)
    if (source.ScaledColumn(columns[x]) != static_cast<int>(x)) return false;
  for (size_t y = 0; y < rows.size(); ++y)
    if (source.ScaledRow(rows[y]) != source.Row(static_cast<int>(y))) return false;
  return true;
}

// Fills the result from the pixels held by `source` at the columns and rows given, in pixels of its scale.
Picture Sample(const Picture& source, const std::vector<int>& columns, const std::vector<int>& rows) {
  if (SamplesAllHeld(source, columns, rows)) return source.HeldPixels();
  PictureData result = AllocatePicture(static_cast<int>(columns.size()), static_cast<int>(rows.size()), 24);
  const size_t bytesPerPixel = source.BitCount() == 8 ? 1 : 3;
  std::vector<size_t> offsets(columns.size());
  for (size_t x = 0; x < columns.size(); ++x)
    offsets[x] = static_cast<size_t>(source.ScaledColumn(columns[x])) * bytesPerPixel;
  const bool sideBySide = SideBySide(source, offsets);
  for (size_t y = 0; y < rows.size(); ++y) {
    uint8_t* out = result.Row(static_cast<int>(y));
    if (y > 0 && rows[y] == rows[y - 1]) {
      std::memcpy(out, result.Row(static_cast<int>(y - 1)), result.stride);
      continue;
    }
    SampleRow(source, source.ScaledRow(rows[y]), offsets, sideBySide, out);
  }
  return Picture(std::move(result));
}

struct SampleMap {
  std::vector<int> columns, rows;
};

SampleMap StretchMap(const Picture& source, int eighths, int width, int height, const PixelRect& visible) {
  const int scaledWidth = ScaledSize(source.Width(), eighths), scaledHeight = ScaledSize(source.Height(), eighths);
  SampleMap map{std::vector<int>(visible.Width()), std::vector<int>(visible.Height())};
  for (int x = 0; x < visible.Width(); ++x) map.columns[x] = SourceIndex(visible.left + x, scaledWidth, width);
  for (int y = 0; y < visible.Height(); ++y) map.rows[y] = SourceIndex(visible.top + y, scaledHeight, height);
  return map;
}

Picture StretchedPlaceholder(int width, int height, const PixelRect& visible) {
  const Picture placeholder = PlaceholderPicture();
  const SampleMap map = StretchMap(placeholder, 8, width, height, visible);
  return Sample(placeholder, map.columns, map.rows);
}

}  // namespace

int StretchScale(const Picture& source, int width, int height) {
  if (source.Decoded()) return 8;
  const int neededWidth = std::min(width, source.Width()), neededHeight = std::min(height, source.Height());
  for (int eighths : kStretchScales)
    if (ScaledSize(source.Width(), eighths) >= neededWidth && ScaledSize(source.Height(), eighths) >= neededHeight)
      return eighths;
  return 8;
}

namespace {

// The lines sampled, each once, when some of those between the first and the last are not.
std::vector<int> ListedWhenSomeDropped(std::vector<int> sampled) {
  sampled.erase(std::unique(sampled.begin(), sampled.end()), sampled.end());
  if (sampled.back() - sampled.front() + 1 == static_cast<int>(sampled.size())) return {};
  return sampled;
}

}  // namespace

PixelNeed StretchNeed(const Picture& source, int width, int height, const PixelRect& visible) {
  const int eighths = StretchScale(source, width, height);
  const SampleMap map = StretchMap(source, eighths, width, height, visible);
  // Source indices grow with the destination's, so the first and last ones bound the region.
  return PixelNeed{eighths,
                   PixelRect{map.columns.front(), map.rows.front(), map.columns.back() + 1, map.rows.back() + 1},
                   ListedWhenSomeDropped(map.rows), ListedWhenSomeDropped(map.columns)};
}

Picture StretchedPart(const Picture& source, int width, int height, const PixelRect& visible, DecodeWatch* watch) {
  if (source.Empty() || visible.Empty() || width <= 0 || height <= 0) return Picture();
  const PixelNeed need = StretchNeed(source, width, height, visible);
  Picture pixels;
  try {
    pixels = source.Part(need, watch);
  } catch (const std::runtime_error&) {
    // Stopped from outside: nothing is drawn of it.
    if (watch != nullptr && watch->Cancelled()) return Picture();
    // A JPEG whose data fails only now that it is drawn shows the placeholder in its place.
    return StretchedPlaceholder(width, height, visible);
  }
  const SampleMap map = StretchMap(source, need.eighths, width, height, visible);
  return Sample(pixels, map.columns, map.rows);
}

Picture CroppedPart(const Picture& source, const PixelRect& visible) {
  if (source.Empty() || visible.Empty()) return Picture();
  Picture pixels;
  try {
    pixels = source.Part(8, visible);
  } catch (const std::runtime_error&) { return StretchedPlaceholder(source.Width(), source.Height(), visible); }
  SampleMap map{std::vector<int>(visible.Width()), std::vector<int>(visible.Height())};
  for (int x = 0; x < visible.Width(); ++x) map.columns[x] = visible.left + x;
  for (int y = 0; y < visible.Height(); ++y) map.rows[y] = visible.top + y;
  return Sample(pixels, map.columns, map.rows);
}

}  // namespace lumora
