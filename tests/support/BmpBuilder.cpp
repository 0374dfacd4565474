#include "support/BmpBuilder.h"

#include <algorithm>

#include "image/BmpDecoder.h"

namespace lumora::test {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kMasksInHeaderAt = 40;

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t value) {
  out[at] = static_cast<uint8_t>(value);
  out[at + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
  Put16(out, at, value & 0xFFFF);
  Put16(out, at + 2, value >> 16);
}

// Headers of unusual sizes get the info header's fields as far as they reach.
std::vector<uint8_t> InfoHeader(const BmpFields& fields) {
  std::vector<uint8_t> header(kMasksInHeaderAt);
  Put32(header, 0, fields.headerSize);
  if (fields.headerSize == 12) {
    Put16(header, 4, static_cast<uint32_t>(fields.width));
    Put16(header, 6, static_cast<uint32_t>(fields.height));
    Put16(header, 8, fields.planes);
    Put16(header, 10, fields.bitCount);
    header.resize(12);
    return header;
  }
  Put32(header, 4, static_cast<uint32_t>(fields.width));
  Put32(header, 8, static_cast<uint32_t>(fields.height));
  Put16(header, 12, fields.planes);
  Put16(header, 14, fields.bitCount);
  Put32(header, 16, fields.compression);
  Put32(header, 20, fields.sizeImage);
  Put32(header, 24, 2835);  // 72 dots per inch
  Put32(header, 28, 2835);
  Put32(header, 32, fields.colorsUsed);
  header.resize(fields.headerSize);
  return header;
}

}  // namespace

std::vector<uint8_t> BuildBmp(const BmpFields& fields) {
  std::vector<uint8_t> header = InfoHeader(fields);
  const size_t masksInHeader =
      fields.headerSize > kMasksInHeaderAt ? std::min<size_t>((fields.headerSize - kMasksInHeaderAt) / 4, 4) : 0;
  std::vector<uint8_t> tables;
  for (size_t i = 0; i < fields.masks.size(); ++i) {
    if (i < masksInHeader) {
      Put32(header, kMasksInHeaderAt + i * 4, fields.masks[i]);
    } else {
      tables.resize(tables.size() + 4);
      Put32(tables, tables.size() - 4, fields.masks[i]);
    }
  }
  for (const Rgb& color : fields.palette) {
    tables.insert(tables.end(), {color.b, color.g, color.r});
    if (fields.headerSize != 12) tables.push_back(0);
  }
  std::vector<uint8_t> file(kFileHeaderSize);
  file[0] = 'B';
  file[1] = 'M';
  file.insert(file.end(), header.begin(), header.end());
  file.insert(file.end(), tables.begin(), tables.end());
  Put32(file, 10, fields.pixelOffset.value_or(static_cast<uint32_t>(file.size())));
  file.insert(file.end(), fields.pixels.begin(), fields.pixels.end());
  Put32(file, 2, static_cast<uint32_t>(file.size()));
  return file;
}

DecodeResult DecodeBuilt(const BmpFields& fields) { return DecodeBmp(BuildBmp(fields)); }

bool DecodesSanely(std::span<const uint8_t> file) {
  const DecodeResult picture = DecodeBmp(file);
  if (!picture) return !picture.error().reason.empty();
  if (picture->Width() < 1 || picture->Height() < 1 ||
      picture->Stride() * static_cast<uint64_t>(picture->Height()) > kMaxPictureBytes)
    return false;
  const size_t pixelBytes = static_cast<size_t>(picture->Width()) * 3;
  for (int y = 0; y < picture->Height(); ++y)
    for (size_t at = pixelBytes; at < picture->Stride(); ++at)
      if (picture->Row(y)[at] != 0) return false;
  return true;
}

std::vector<uint8_t> PaddedRows(const std::vector<std::vector<uint8_t>>& rows) {
  std::vector<uint8_t> stored;
  for (const auto& row : rows) {
    stored.insert(stored.end(), row.begin(), row.end());
    stored.resize(stored.size() + (4 - row.size() % 4) % 4, 0);
  }
  return stored;
}

std::vector<std::vector<Rgb>> PixelRows(const Picture& picture) {
  std::vector<std::vector<Rgb>> rows(static_cast<size_t>(picture.Height()));
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) rows[static_cast<size_t>(y)].push_back(picture.PixelAt(x, y));
  return rows;
}

}  // namespace lumora::test
