#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace lumora {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The largest pixel buffer a decoder may allocate; larger pictures are refused before any allocation.
inline constexpr uint64_t kMaxPictureBytes = 256ull << 20;

// Pixels of a picture while a decoder fills them: rows top-down, each `stride` bytes (a multiple of 4, as
// Windows device-independent bitmaps lay them out). 24-bit rows hold blue, green, red; 8-bit rows hold indices
// into `palette`.
struct PictureData {
  int width = 0;
  int height = 0;
  int bitCount = 24;
  size_t stride = 0;
  std::unique_ptr<uint8_t[]> bits;
  size_t capacity = 0;  // bytes behind `bits`, at least stride * height
  std::vector<Rgb> palette;

  uint8_t* Row(int y) { return bits.get() + static_cast<size_t>(y) * stride; }
};

// Stride of a row of `width` pixels of `bitCount` bits, padded to 4 bytes.
size_t RowStride(int width, int bitCount);
// True when a `width` x `height` picture of `bitCount` bits fits within kMaxPictureBytes.
bool FitsPictureLimit(int64_t width, int64_t height, int bitCount);
// Allocates the pixels, uninitialised, reusing the buffer of a picture released earlier when it fits. Throws
// std::length_error beyond the limit or for sizes below 1.
PictureData AllocatePicture(int width, int height, int bitCount);

// A decoded picture: immutable, so copies share their pixels.
class Picture {
 public:
  Picture() = default;
  explicit Picture(PictureData data);

  bool Empty() const { return !data_; }
  int Width() const { return data_ ? data_->width : 0; }
  int Height() const { return data_ ? data_->height : 0; }
  int BitCount() const { return data_ ? data_->bitCount : 0; }
  size_t Stride() const { return data_ ? data_->stride : 0; }
  const uint8_t* Row(int y) const { return data_->bits.get() + static_cast<size_t>(y) * data_->stride; }
  const std::vector<Rgb>& Palette() const { return data_->palette; }
  Rgb PixelAt(int x, int y) const;
  // Copies of one picture share their pixels; this tells them apart from other pictures.
  const void* Identity() const { return data_.get(); }

 private:
  std::shared_ptr<const PictureData> data_;
};

}  // namespace lumora
