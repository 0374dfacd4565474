#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Rgb.h"

namespace lumora {

// A 24-bit pixel is kept as Windows bitmaps keep it: blue, green, red.
inline void PutBgr(uint8_t* pixel, Rgb colour) {
  pixel[0] = colour.b;
  pixel[1] = colour.g;
  pixel[2] = colour.r;
}
inline Rgb GetBgr(const uint8_t* pixel) { return Rgb{pixel[2], pixel[1], pixel[0]}; }

// A rectangle of whole pixels, right and bottom exclusive.
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool Contains(const PixelRect& other) const {
    return other.left >= left && other.top >= top && other.right <= right && other.bottom <= bottom;
  }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

inline PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// The largest pixel buffer a decoder may allocate; larger parts are refused before any allocation.
inline constexpr uint64_t kMaxPictureBytes = 256ull << 20;

// Pixels while a decoder fills them: rows top-down, each `stride` bytes (a multiple of 4, as Windows
// device-independent bitmaps lay them out). 24-bit rows hold blue, green, red; 8-bit rows hold indices into
// `palette`.
struct PictureData {
  int width = 0;
  int height = 0;
  int bitCount = 24;
  size_t stride = 0;
  std::unique_ptr<uint8_t[]> bits;
  std::vector<Rgb> palette;

  uint8_t* Row(int y) { return bits.get() + static_cast<size_t>(y) * stride; }
};

// Stride of a row of `width` pixels of `bitCount` bits, padded to 4 bytes.
size_t RowStride(int width, int bitCount);
// True when a `width` x `height` picture of `bitCount` bits fits within kMaxPictureBytes.
bool FitsPictureLimit(int64_t width, int64_t height, int bitCount);
// Allocates the pixels, uninitialised. Throws std::length_error beyond the limit or for sizes below 1.
PictureData AllocatePicture(int width, int height, int bitCount);

// Sizes at a scale of eighths of the natural size, as the JPEG decoder makes them: rounded up.
inline int ScaledSize(int size, int eighths) { return static_cast<int>((int64_t{size} * eighths + 7) / 8); }

class DecodeWatch;

// Rows or columns of a picture at some scale, ascending, each once; a part that keeps only these needs no other.
using RowList = std::vector<int>;
using ColumnList = std::vector<int>;

// What drawing a picture takes from it: its pixels at `eighths` of the natural size, within `region` (in
// pixels of that scale), only the rows and the columns listed where a stretch drops some.
struct PixelNeed {
  int eighths = 8;
  PixelRect region;
  RowList rows;        // empty: every row of the region
  ColumnList columns;  // empty: every column of the region
  const RowList* Rows() const { return rows.empty() ? nullptr : &rows; }
  const ColumnList* Columns() const { return columns.empty() ? nullptr : &columns; }
  // The size of the pixels that hold it.
  int Width() const { return columns.empty() ? region.Width() : static_cast<int>(columns.size()); }
  int Height() const { return rows.empty() ? region.Height() : static_cast<int>(rows.size()); }
};

// Where a picture that is not held decoded gets its pixels: the pixels `need` names, of the picture scaled to
// eighths/8 of its natural size (8: natural size), the rows and columns listed side by side. Throws
// std::runtime_error, saying why, when it cannot. A `watch`, when given, may cancel the decode and is told of the
// rows written.
class PictureSource {
 public:
  virtual ~PictureSource() = default;
  virtual PictureData DecodePart(const PixelNeed& need, DecodeWatch* watch) const = 0;
};

// A picture: its natural size, which every geometry rule uses, and pixels. It holds either all of its pixels at
// natural size (Decoded), or the pixels of one region at one scale, and may keep a source that decodes any other
// part when it is drawn. Immutable, so copies share their pixels.
class Picture {
 public:
  Picture() = default;
  // Every pixel at natural size.
  explicit Picture(PictureData data);
  // Pixels decoded as they are needed, by `source`.
  Picture(int width, int height, std::shared_ptr<const PictureSource> source);

  bool Empty() const { return width_ == 0; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // All pixels at natural size are held: Row and PixelAt reach any pixel.
  bool Decoded() const;
  // The pixels held: at Scale() eighths of the natural size, covering Window() in pixels of that scale, every row
  // and column of it or only some.
  int Scale() const { return eighths_; }
  const PixelRect& Window() const { return window_; }

  // Rows and pixels of a picture held whole, counted from its top-left corner.
  int BitCount() const { return data_ ? data_->bitCount : 0; }
  size_t Stride() const { return data_ ? data_->stride : 0; }
  const uint8_t* Row(int y) const { return data_->bits.get() + static_cast<size_t>(y) * data_->stride; }
  // Row `y` of the picture at its scale, one that the window holds; its pixels side by side, of the columns held.
  const uint8_t* ScaledRow(int y) const;
  // Where column `x` of the picture at its scale, one that the window holds, lies in a row: its index there.
  int ScaledColumn(int x) const;
  const std::vector<Rgb>& Palette() const { return data_->palette; }
  Rgb PixelAt(int x, int y) const;
  // Copies of one picture share their pixels; this tells them apart from other pictures.
  const void* Identity() const;
  // The pixels held, as a picture of their own size sharing them.
  Picture HeldPixels() const;

  // The pixels `need` names, held: from those held when they include them, else decoded by the source (watched
  // by `watch`, when given). The result keeps no source. Throws std::runtime_error when neither can give them.
  Picture Part(const PixelNeed& need, DecodeWatch* watch = nullptr) const;
  Picture Part(int eighths, const PixelRect& region, const RowList* rows = nullptr, DecodeWatch* watch = nullptr) const;
  // The same natural size, holding `data`: the pixels `need` names.
  Picture WithPixels(const PixelNeed& need, PictureData data) const;

 private:
  bool Holds(const PixelNeed& need) const;

  std::shared_ptr<const PictureData> data_;
  std::shared_ptr<const PictureSource> source_;
  int width_ = 0;
  int height_ = 0;
  int eighths_ = 8;
  PixelRect window_;
  std::shared_ptr<const RowList> rows_;        // the rows of the window held; every row when there is no list
  std::shared_ptr<const ColumnList> columns_;  // the same for the columns
};

}  // namespace lumora
