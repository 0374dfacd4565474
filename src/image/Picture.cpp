#include "image/Picture.h"

#include <stdexcept>

namespace lumora {

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
  data.bits = std::make_unique_for_overwrite<uint8_t[]>(data.stride * height);
  return data;
}

Picture::Picture(PictureData data) : data_(std::make_shared<const PictureData>(std::move(data))) {}

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
