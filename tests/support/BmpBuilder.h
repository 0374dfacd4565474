#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "image/DecodeResult.h"
#include "image/Picture.h"

namespace lumora::test {

// Compression codes of the info header.
inline constexpr uint32_t kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;
// Palette colours that tell their entries apart.
inline constexpr Rgb kTeal{10, 120, 130}, kOchre{200, 150, 40}, kPlum{90, 30, 80};

// A bitmap file described field by field, so that a test can write a consistent file or break one on purpose.
struct BmpFields {
  uint32_t headerSize = 40;
  int32_t width = 1;
  int32_t height = 1;  // written as 16 bits in a 12-byte header
  uint16_t planes = 1;
  uint16_t bitCount = 24;
  uint32_t compression = 0;
  uint32_t sizeImage = 0;
  uint32_t colorsUsed = 0;
  std::vector<uint32_t> masks{};          // inside the header as far as it holds them, the rest after it
  std::vector<Rgb> palette{};             // 3-byte entries after a 12-byte header, 4-byte entries otherwise
  std::vector<uint8_t> pixels{};          // exactly as stored
  std::optional<uint32_t> pixelOffset{};  // right after the palette unless given
};

std::vector<uint8_t> BuildBmp(const BmpFields& fields);
// The file built from `fields`, decoded.
DecodeResult DecodeBuilt(const BmpFields& fields);
// Any bytes through the decoder: true when it refuses them with a reason, or makes a picture within the size limit
// whose rows' padding is cleared.
bool DecodesSanely(std::span<const uint8_t> file);

// Stored rows, in the order given, each padded with zeros to a multiple of 4 bytes.
std::vector<uint8_t> PaddedRows(const std::vector<std::vector<uint8_t>>& rows);

// The decoded pixels, top row first.
std::vector<std::vector<Rgb>> PixelRows(const Picture& picture);

}  // namespace lumora::test
