#include "image/Picture.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace lumora {

namespace {

// In 64 bits, which every width of a file's header fits.
uint64_t PaddedRowBytes(uint64_t width, int bitCount) { return (width * bitCount + 31) / 32 * 4; }

}  // namespace

size_t RowStride(int width, int bitCount) { return static_cast<size_t>(PaddedRowBytes(width, bitCount)); }

bool FitsPictureLimit(int64_t width, int64_t height, int bitCount) {
  if (width < 1 || height < 1) return false;
  if (width > 0x7FFFFFFF || height > 0x7FFFFFFF) return false;
  return PaddedRowBytes(width, bitCount) * static_cast<uint64_t>(height) <= kMaxPictureBytes;
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

Picture::Picture(PictureData data) : width_(data.width), height_(data.height), window_{0, 0, data.width, data.height} {
  data_ = std::make_shared<const PictureData>(std::move(data));
}

Picture::Picture(int width, int height, std::shared_ptr<const PictureSource> source)
    : source_(std::move(source)), width_(width), height_(height) {}

bool Picture::Decoded() const {
  return data_ && eighths_ == 8 && window_ == PixelRect{0, 0, width_, height_} && !rows_ && !columns_;
}

namespace {

int IndexIn(const std::vector<int>& list, int value) {
  return static_cast<int>(std::lower_bound(list.begin(), list.end(), value) - list.begin());
}

bool Includes(const std::shared_ptr<const std::vector<int>>& held, const std::vector<int>* wanted) {
  if (!held) return true;
  return wanted != nullptr && std::includes(held->begin(), held->end(), wanted->begin(), wanted->end());
}

}  // namespace

const uint8_t* Picture::ScaledRow(int y) const { return Row(rows_ ? IndexIn(*rows_, y) : y - window_.top); }

int Picture::ScaledColumn(int x) const { return columns_ ? IndexIn(*columns_, x) : x - window_.left; }

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

Picture Picture::HeldPixels() const {
  Picture pixels;
  pixels.data_ = data_;
  pixels.width_ = pixels.window_.right = data_->width;
  pixels.height_ = pixels.window_.bottom = data_->height;
  return pixels;
}

bool Picture::Holds(const PixelNeed& need) const {
  return data_ && need.eighths == eighths_ && window_.Contains(need.region) && Includes(rows_, need.Rows()) &&
         Includes(columns_, need.Columns());
}

Picture Picture::Part(const PixelNeed& need, DecodeWatch* watch) const {
  if (Holds(need)) {
    Picture part = *this;
    part.source_.reset();
    return part;
  }
  if (!source_) throw std::runtime_error("the picture holds no such pixels and has nothing to decode them from");
  return WithPixels(need, source_->DecodePart(need, watch));
}

Picture Picture::Part(int eighths, const PixelRect& region, const RowList* rows, DecodeWatch* watch) const {
  return Part(PixelNeed{eighths, region, rows ? *rows : RowList{}, {}}, watch);
}

Picture Picture::WithPixels(const PixelNeed& need, PictureData data) const {
  Picture part;
  part.data_ = std::make_shared<const PictureData>(std::move(data));
  part.width_ = width_;
  part.height_ = height_;
  part.eighths_ = need.eighths;
  part.window_ = need.region;
  if (need.Rows()) part.rows_ = std::make_shared<const RowList>(need.rows);
  if (need.Columns()) part.columns_ = std::make_shared<const ColumnList>(need.columns);
  return part;
}

}  // namespace lumora
