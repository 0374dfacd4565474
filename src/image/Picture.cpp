#include "image/Picture.h"

#include <algorithm>
#include <cstring>
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
  data.bits = std::make_unique_for_overwrite<uint8_t[]>(data.stride * static_cast<size_t>(height));
  return data;
}

Picture::Picture(PictureData data)
    : width_(data.width), height_(data.height), window_{0, 0, data.width, data.height} {
  data_ = std::make_shared<const PictureData>(std::move(data));
}

Picture::Picture(int width, int height, std::shared_ptr<const PictureSource> source)
    : source_(std::move(source)), width_(width), height_(height) {}

Picture::Picture(int width, int height, int eighths, const PixelRect& window, std::shared_ptr<const RowList> rows,
                 PictureData data)
    : width_(width), height_(height), eighths_(eighths), window_(window), rows_(std::move(rows)) {
  data_ = std::make_shared<const PictureData>(std::move(data));
}

bool Picture::Decoded() const {
  return data_ && eighths_ == 8 && window_ == PixelRect{0, 0, width_, height_} && !rows_;
}

const uint8_t* Picture::ScaledRow(int y) const {
  if (!rows_) return Row(y - window_.top);
  return Row(static_cast<int>(std::lower_bound(rows_->begin(), rows_->end(), y) - rows_->begin()));
}

Rgb Picture::PixelAt(int x, int y) const {
  const uint8_t* row = Row(y);
  if (data_->bitCount == 8) {
    uint8_t index = row[x];
    return index < data_->palette.size() ? data_->palette[index] : Rgb{};
  }
  return GetBgr(row + static_cast<size_t>(x) * 3);
}

const void* Picture::Identity() const {
  return data_ ? static_cast<const void*>(data_.get()) : static_cast<const void*>(source_.get());
}

bool Picture::Holds(int eighths, const PixelRect& region, const RowList* rows) const {
  if (!data_ || eighths != eighths_ || !window_.Contains(region)) return false;
  if (!rows_) return true;
  return rows != nullptr && std::includes(rows_->begin(), rows_->end(), rows->begin(), rows->end());
}

Picture Picture::Part(int eighths, const PixelRect& region, const RowList* rows, DecodeWatch* watch) const {
  if (Holds(eighths, region, rows)) {
    Picture part = *this;
    part.source_.reset();
    return part;
  }
  if (!source_) throw std::runtime_error("the picture holds no such pixels and has nothing to decode them from");
  return WithPixels(eighths, region, rows, source_->DecodePart(eighths, region, rows, watch));
}

Picture Picture::WithPixels(int eighths, const PixelRect& window, const RowList* rows, PictureData data) const {
  return Picture(width_, height_, eighths, window, rows ? std::make_shared<const RowList>(*rows) : nullptr,
                 std::move(data));
}

}  // namespace lumora
