#include "image/Picture.h"

#include <stdexcept>

namespace lumora {

namespace {

// The show decodes a picture of much the same size every tick, and the pages of a freshly allocated buffer
// each cost a fault on first touch: for a large JPEG a third of the decoding time. So the buffer of the last
// large picture released is kept for the next one. The program is single-threaded.
constexpr size_t kSmallestRecycledBuffer = 1u << 20;

struct RecycledBuffer {
  std::unique_ptr<uint8_t[]> bytes;
  size_t capacity = 0;
};

RecycledBuffer& Recycled() {
  static RecycledBuffer buffer;
  return buffer;
}

std::unique_ptr<uint8_t[]> TakeBuffer(size_t size, size_t& capacity) {
  RecycledBuffer& recycled = Recycled();
  if (size >= kSmallestRecycledBuffer && recycled.capacity >= size && recycled.capacity <= 2 * size) {
    capacity = recycled.capacity;
    recycled.capacity = 0;
    return std::move(recycled.bytes);
  }
  capacity = size;
  return std::make_unique_for_overwrite<uint8_t[]>(size);
}

void ReleasePictureData(const PictureData* released) {
  std::unique_ptr<PictureData> data(const_cast<PictureData*>(released));
  if (data->capacity >= kSmallestRecycledBuffer) {
    Recycled().bytes = std::move(data->bits);
    Recycled().capacity = data->capacity;
  }
}

}  // namespace

size_t RowStride(int width, int bitCount) {
  return ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
}

bool FitsPictureLimit(int64_t width, int64_t height, int bitCount) {
  if (width < 1 || height < 1) return false;
  if (width > 0x7FFFFFFF || height > 0x7FFFFFFF) return false;
  uint64_t stride = ((static_cast<uint64_t>(width) * bitCount + 31) / 32) * 4;
  return stride * static_cast<uint64_t>(height) <= kMaxPictureBytes;
}

PictureData AllocatePicture(int width, int height, int bitCount) {
  if (!FitsPictureLimit(width, height, bitCount)) throw std::length_error("picture too large");
  PictureData data;
  data.width = width;
  data.height = height;
  data.bitCount = bitCount;
  data.stride = RowStride(width, bitCount);
  data.bits = TakeBuffer(data.stride * height, data.capacity);
  return data;
}

Picture::Picture(PictureData data) : data_(new PictureData(std::move(data)), ReleasePictureData) {}

Rgb Picture::PixelAt(int x, int y) const {
  const uint8_t* row = Row(y);
  if (data_->bitCount == 8) {
    uint8_t index = row[x];
    return index < data_->palette.size() ? data_->palette[index] : Rgb{};
  }
  const uint8_t* p = row + static_cast<size_t>(x) * 3;
  return Rgb{p[2], p[1], p[0]};
}

}  // namespace lumora
