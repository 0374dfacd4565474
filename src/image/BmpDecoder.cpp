#include "image/BmpDecoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <new>
#include <vector>

#include "image/DecodeResult.h"

namespace lumora {

namespace {

using Bytes = std::span<const uint8_t>;
// Nothing when a step went well; otherwise why the file is refused.
using Refusal = std::optional<DecodeError>;

Refusal BadHeader(const char* reason) { return DecodeError{DecodeFailure::BadHeader, reason}; }

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kV2HeaderSize = 52;
constexpr uint32_t kV3HeaderSize = 56;
constexpr uint32_t kOs2HeaderSize = 64;
constexpr uint32_t kV4HeaderSize = 108;
constexpr uint32_t kV5HeaderSize = 124;
// 16 million pixels: 48 MB once decoded.
constexpr uint64_t kLargeRlePicture = 16u << 20;

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

enum MaskIndex { kRed, kGreen, kBlue, kAlpha };
using Masks = std::array<uint32_t, 4>;

uint16_t U16(Bytes bytes, size_t at) { return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8); }

uint32_t U32(Bytes bytes, size_t at) {
  return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
         static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

// What the headers say about the pixels, checked for consistency before any pixel is read.
struct BmpLayout {
  uint32_t headerSize = 0;
  int64_t width = 0;
  int64_t height = 0;  // as stored: negative for top-down rows
  int planes = 0;
  int bitCount = 0;
  uint32_t compression = kRgb;
  uint32_t sizeImage = 0;
  uint32_t colorsUsed = 0;
  Masks masks{};
  std::vector<Rgb> palette;
  size_t pixelOffset = 0;

  bool IsCore() const { return headerSize == kCoreHeaderSize; }
  bool IsRle() const { return compression == kRle8 || compression == kRle4; }
  bool HasBitFields() const { return compression == kBitFields || compression == kAlphaBitFields; }
  int Width() const { return static_cast<int>(width); }
  int Height() const { return static_cast<int>(height < 0 ? -height : height); }
  bool TopDown() const { return height < 0; }
};

bool IsKnownHeaderSize(uint32_t size) {
  switch (size) {
    case kCoreHeaderSize:
    case kInfoHeaderSize:
    case kV2HeaderSize:
    case kV3HeaderSize:
    case kOs2HeaderSize:
    case kV4HeaderSize:
    case kV5HeaderSize: return true;
    default: return false;
  }
}

void ReadCoreFields(Bytes header, BmpLayout& layout) {
  layout.width = U16(header, 4);
  layout.height = U16(header, 6);
  layout.planes = U16(header, 8);
  layout.bitCount = U16(header, 10);
}

void ReadInfoFields(Bytes header, BmpLayout& layout) {
  layout.width = static_cast<int32_t>(U32(header, 4));
  layout.height = static_cast<int32_t>(U32(header, 8));
  layout.planes = U16(header, 12);
  layout.bitCount = U16(header, 14);
  layout.compression = U32(header, 16);
  layout.sizeImage = U32(header, 20);
  layout.colorsUsed = U32(header, 32);
}

bool IsSupportedBitCount(const BmpLayout& layout) {
  const int bits = layout.bitCount;
  if (layout.IsCore()) return bits == 1 || bits == 4 || bits == 8 || bits == 24;
  switch (layout.compression) {
    case kRgb: return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kRle8: return bits == 8;
    case kRle4: return bits == 4;
    case kBitFields:
    case kAlphaBitFields:
      // In the OS/2 header these codes stand for Huffman and RLE24 compression.
      return layout.headerSize != kOs2HeaderSize && (bits == 16 || bits == 32);
    default: return false;
  }
}

Refusal CheckGeometry(const BmpLayout& layout) {
  if (layout.width <= 0 || layout.height == 0 || layout.height == INT32_MIN)
    return BadHeader("no pixels: width or height 0 or less");
  if (layout.planes != 1) return BadHeader("planes other than 1");
  if (layout.IsRle() && layout.TopDown()) return BadHeader("run-length data with top-down rows");
  if (!FitsPictureLimit(layout.width, layout.Height(), 24))
    return DecodeError{DecodeFailure::TooLarge, "pixels beyond the picture size limit"};
  return std::nullopt;
}

bool IsContiguous(uint32_t mask) {
  if (mask == 0) return true;
  uint32_t shifted = mask >> std::countr_zero(mask);
  return (shifted & (shifted + 1)) == 0;
}

bool AreValidMasks(Masks& masks, int bitCount) {
  const uint32_t pixelBits = bitCount == 32 ? UINT32_MAX : (1u << bitCount) - 1;
  // Alpha is never shown; writers of 16-bit pictures sometimes leave a 32-bit alpha mask, which is harmless.
  masks[kAlpha] &= pixelBits;
  uint32_t taken = 0;
  for (uint32_t mask : masks) {
    if ((mask & ~pixelBits) != 0 || !IsContiguous(mask) || (mask & taken) != 0) return false;
    taken |= mask;
  }
  return true;
}

// Reads the masks from the header or from the table after it; `tablesAt` moves past a table it reads.
Refusal ReadMasks(Bytes file, size_t& tablesAt, BmpLayout& layout) {
  if (!layout.HasBitFields()) {
    layout.masks = layout.bitCount == 16 ? Masks{0x7C00, 0x03E0, 0x001F, 0} : Masks{0xFF0000, 0xFF00, 0xFF, 0};
    return std::nullopt;
  }
  size_t count = layout.compression == kAlphaBitFields ? 4 : 3;
  size_t at = tablesAt;
  if (layout.headerSize >= kV2HeaderSize) {
    at = kFileHeaderSize + kInfoHeaderSize;
    count = layout.headerSize >= kV3HeaderSize ? 4 : 3;
  } else {
    if (file.size() - tablesAt < count * 4) return BadHeader("colour masks cut off");
    tablesAt += count * 4;
  }
  for (size_t i = 0; i < count; ++i) layout.masks[i] = U32(file, at + i * 4);
  if (!AreValidMasks(layout.masks, layout.bitCount))
    return BadHeader("colour masks overlap, have gaps or exceed the pixel");
  return std::nullopt;
}

Refusal ReadPalette(Bytes file, size_t& tablesAt, BmpLayout& layout) {
  if (layout.bitCount > 8) return std::nullopt;
  const uint32_t fullSize = 1u << layout.bitCount;
  const uint32_t entries = layout.IsCore() || layout.colorsUsed == 0 ? fullSize : layout.colorsUsed;
  if (entries > fullSize) return BadHeader("more palette entries than the bit count can index");
  const size_t entrySize = layout.IsCore() ? 3 : 4;
  if (file.size() - tablesAt < entries * entrySize) return BadHeader("palette cut off");
  for (uint32_t i = 0; i < entries; ++i, tablesAt += entrySize)
    layout.palette.push_back(Rgb{file[tablesAt + 2], file[tablesAt + 1], file[tablesAt]});
  return std::nullopt;
}

Refusal ReadLayout(Bytes file, BmpLayout& layout) {
  if (file.size() < kFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M') return BadHeader("no bitmap file header");
  layout.pixelOffset = U32(file, 10);
  layout.headerSize = U32(file, kFileHeaderSize);
  if (!IsKnownHeaderSize(layout.headerSize)) return BadHeader("unknown bitmap header size");
  if (file.size() - kFileHeaderSize < layout.headerSize) return BadHeader("bitmap header cut off");
  Bytes header = file.subspan(kFileHeaderSize, layout.headerSize);
  if (layout.IsCore()) ReadCoreFields(header, layout);
  else ReadInfoFields(header, layout);
  if (!IsSupportedBitCount(layout)) return BadHeader("unsupported bit count or compression");
  if (Refusal refusal = CheckGeometry(layout)) return refusal;
  size_t tablesAt = kFileHeaderSize + layout.headerSize;
  if (Refusal refusal = ReadMasks(file, tablesAt, layout)) return refusal;
  if (Refusal refusal = ReadPalette(file, tablesAt, layout)) return refusal;
  if (layout.pixelOffset < tablesAt || layout.pixelOffset >= file.size())
    return BadHeader("pixel data offset outside the file or inside the headers");
  return std::nullopt;
}

// Widens an n-bit channel value to 8 bits by repeating its bits, so that full scale stays full scale.
uint8_t Replicated(uint32_t value, int bits) {
  uint32_t result = 0;
  for (int shift = 8 - bits; shift > -bits; shift -= bits) result |= shift >= 0 ? value << shift : value >> -shift;
  return static_cast<uint8_t>(result);
}

class ChannelExpander {
 public:
  explicit ChannelExpander(uint32_t mask) : mask_(mask) {
    if (mask == 0) return;
    shift_ = std::countr_zero(mask);
    bits_ = std::popcount(mask);
    if (bits_ <= 8)
      for (uint32_t value = 0; value < (1u << bits_); ++value) table_[value] = Replicated(value, bits_);
  }

  uint8_t operator()(uint32_t pixel) const {
    uint32_t value = (pixel & mask_) >> shift_;
    return bits_ > 8 ? static_cast<uint8_t>(value >> (bits_ - 8)) : table_[value];
  }

 private:
  uint32_t mask_;
  int shift_ = 0;
  int bits_ = 0;
  std::array<uint8_t, 256> table_{};
};

// Turns one stored row of an uncompressed bitmap into a row of 24-bit pixels.
class RowConverter {
 public:
  explicit RowConverter(const BmpLayout& layout)
      : layout_(layout), red_(layout.masks[kRed]), green_(layout.masks[kGreen]), blue_(layout.masks[kBlue]) {}

  bool Convert(const uint8_t* source, uint8_t* target) const {
    switch (layout_.bitCount) {
      case 24: std::memcpy(target, source, static_cast<size_t>(layout_.Width()) * 3); return true;
      case 16:
      case 32: ConvertBitFields(source, target); return true;
      default: return ConvertIndexed(source, target);
    }
  }

 private:
  bool ConvertIndexed(const uint8_t* source, uint8_t* target) const {
    const int bits = layout_.bitCount;
    const unsigned indexMask = (1u << bits) - 1;
    for (int x = 0; x < layout_.Width(); ++x, target += 3) {
      const size_t bit = static_cast<size_t>(x) * bits;
      const unsigned index = (source[bit / 8] >> (8 - bits - static_cast<int>(bit % 8))) & indexMask;
      if (index >= layout_.palette.size()) return false;
      PutBgr(target, layout_.palette[index]);
    }
    return true;
  }

  void ConvertBitFields(const uint8_t* source, uint8_t* target) const {
    const size_t bytesPerPixel = static_cast<size_t>(layout_.bitCount) / 8;
    for (int x = 0; x < layout_.Width(); ++x, source += bytesPerPixel, target += 3) {
      uint32_t pixel = source[0] | source[1] << 8;
      if (bytesPerPixel == 4) pixel |= static_cast<uint32_t>(source[2]) << 16 | static_cast<uint32_t>(source[3]) << 24;
      PutBgr(target, Rgb{red_(pixel), green_(pixel), blue_(pixel)});
    }
  }

  const BmpLayout& layout_;
  ChannelExpander red_, green_, blue_;
};

bool HoldsAllRows(const BmpLayout& layout, Bytes data) {
  return data.size() / RowStride(layout.Width(), layout.bitCount) >= static_cast<size_t>(layout.Height());
}

bool Stopped(const DecodeWatch* watch) { return watch != nullptr && watch->Cancelled(); }

const char* DecodeRows(const BmpLayout& layout, Bytes data, PictureData& picture, const DecodeWatch* watch) {
  const size_t sourceStride = RowStride(layout.Width(), layout.bitCount);
  const size_t pixelBytes = static_cast<size_t>(layout.Width()) * 3;
  const RowConverter converter(layout);
  for (int row = 0; row < layout.Height(); ++row) {
    if (Stopped(watch)) return "cancelled";
    uint8_t* target = picture.Row(layout.TopDown() ? row : layout.Height() - 1 - row);
    if (!converter.Convert(data.data() + row * sourceStride, target)) return "palette index beyond the palette";
    std::fill(target + pixelBytes, target + picture.stride, uint8_t{0});
  }
  return nullptr;
}

// Plays RLE8 or RLE4 codes onto a picture cleared to black; rows count from the bottom. Codes may fill a row up
// to its padding, as some encoders compress whole stored rows; pixels in the padding are dropped.
class RleDecoder {
 public:
  // Without a picture it only checks the codes and counts the pixels they set. With one, a `watch` may stop it
  // between two rows.
  RleDecoder(const BmpLayout& layout, Bytes data, PictureData* picture, const DecodeWatch* watch = nullptr)
      : layout_(layout),
        data_(data),
        picture_(picture),
        watch_(watch),
        fourBits_(layout.compression == kRle4),
        paddedWidth_(static_cast<int>(RowStride(layout.Width(), layout.bitCount) * 8 / layout.bitCount)) {}

  // False when the codes are inconsistent; Failure() then says how.
  bool Decode() {
    while (at_ < data_.size()) {
      if (data_.size() - at_ < 2) return Fail("run-length code cut off");
      const uint8_t count = data_[at_], value = data_[at_ + 1];
      at_ += 2;
      if (count > 0) {
        if (!EncodedRun(count, value)) return false;
      } else if (value == 1) {
        return true;
      } else if (!Escape(value)) {
        return false;
      }
    }
    // The data ended between two codes without an end-of-bitmap code: what it drew stands.
    return true;
  }
  const char* Failure() const { return failure_; }
  uint64_t PixelsSet() const { return pixelsSet_; }

 private:
  bool Fail(const char* reason) {
    failure_ = reason;
    return false;
  }

  bool EncodedRun(int count, uint8_t value) {
    if (!HasRoom(count)) return Fail("run past the end of a row or below the last row");
    for (int i = 0; i < count; ++i) {
      const uint8_t index = fourBits_ ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value;
      if (!Put(index)) return false;
    }
    return true;
  }

  bool Escape(uint8_t code) {
    if (Stopped(watch_)) return Fail("cancelled");
    if (code == 0) {  // end of line
      if (row_ >= layout_.Height()) return Fail("end of line below the last row");
      x_ = 0;
      ++row_;
      return true;
    }
    if (code == 2) {  // delta
      if (data_.size() - at_ < 2) return Fail("run-length delta cut off");
      x_ += data_[at_];
      row_ += data_[at_ + 1];
      at_ += 2;
      if (x_ > paddedWidth_ || row_ >= layout_.Height()) return Fail("run-length delta beyond the picture");
      return true;
    }
    return AbsoluteRun(code);
  }

  bool AbsoluteRun(int count) {
    const size_t bytes = fourBits_ ? (static_cast<size_t>(count) + 1) / 2 : static_cast<size_t>(count);
    const size_t padded = bytes + bytes % 2;
    if (data_.size() - at_ < padded) return Fail("absolute run cut off");
    if (!HasRoom(count)) return Fail("run past the end of a row or below the last row");
    const uint8_t* source = data_.data() + at_;
    for (int i = 0; i < count; ++i) {
      const uint8_t index = fourBits_ ? (i % 2 == 0 ? source[i / 2] >> 4 : source[i / 2] & 0x0F) : source[i];
      if (!Put(index)) return false;
    }
    at_ += padded;
    return true;
  }

  bool HasRoom(int count) const { return row_ < layout_.Height() && count <= paddedWidth_ - x_; }

  bool Put(uint8_t index) {
    if (index >= layout_.palette.size()) return Fail("palette index beyond the palette");
    if (x_ < layout_.Width()) {
      ++pixelsSet_;
      if (picture_)
        PutBgr(picture_->Row(layout_.Height() - 1 - row_) + static_cast<size_t>(x_) * 3, layout_.palette[index]);
    }
    ++x_;
    return true;
  }

  const BmpLayout& layout_;
  Bytes data_;
  PictureData* picture_;
  const DecodeWatch* watch_;
  const bool fourBits_;
  const int paddedWidth_;
  size_t at_ = 0;
  int x_ = 0;
  int row_ = 0;
  const char* failure_ = nullptr;
  uint64_t pixelsSet_ = 0;
};

// The pixel bytes, or nothing when they are truncated. RLE codes run to the end of the file, or over the size
// the header gives when it gives one.
std::optional<Bytes> PixelData(const BmpLayout& layout, Bytes file) {
  Bytes data = file.subspan(layout.pixelOffset);
  if (!layout.IsRle()) return HoldsAllRows(layout, data) ? std::optional(data) : std::nullopt;
  if (layout.sizeImage > data.size()) return std::nullopt;
  return layout.sizeImage == 0 ? data : data.first(layout.sizeImage);
}

// Checks run-length codes before a pixel is allocated. A large picture whose codes set under an eighth of its
// pixels is refused: the few bytes of a file cannot justify clearing hundreds of megabytes of black.
Refusal CheckRleCodes(const BmpLayout& layout, Bytes data) {
  RleDecoder checker(layout, data, nullptr);
  if (!checker.Decode()) return DecodeError{DecodeFailure::BadData, checker.Failure()};
  const uint64_t declared = uint64_t(layout.Width()) * uint64_t(layout.Height());
  if (declared >= kLargeRlePicture && checker.PixelsSet() * 8 < declared)
    return DecodeError{DecodeFailure::TooLarge, "run-length codes set too few of the pixels declared"};
  return std::nullopt;
}

DecodeResult DecodePixels(const BmpLayout& layout, Bytes data, const DecodeWatch* watch) {
  if (layout.IsRle())
    if (Refusal refusal = CheckRleCodes(layout, data)) return *refusal;
  PictureData picture = AllocatePicture(layout.Width(), layout.Height(), 24);
  if (layout.IsRle()) {
    std::memset(picture.bits.get(), 0, picture.stride * static_cast<size_t>(picture.height));
    RleDecoder decoder(layout, data, &picture, watch);
    if (!decoder.Decode()) return DecodeError{DecodeFailure::BadData, decoder.Failure()};
  } else if (const char* failure = DecodeRows(layout, data, picture, watch)) {
    return DecodeError{DecodeFailure::BadData, failure};
  }
  return Picture(std::move(picture));
}

}  // namespace

DecodeResult DecodeBmp(std::span<const uint8_t> file, const DecodeWatch* watch) {
  BmpLayout layout;
  if (Refusal refusal = ReadLayout(file, layout)) return *refusal;
  const std::optional<Bytes> data = PixelData(layout, file);
  if (!data) return DecodeError{DecodeFailure::BadData, "pixel data cut off"};
  try {
    return DecodePixels(layout, *data, watch);
  } catch (const std::bad_alloc&) { return DecodeError{DecodeFailure::OutOfMemory, "no memory for the pixels"}; }
}

}  // namespace lumora
