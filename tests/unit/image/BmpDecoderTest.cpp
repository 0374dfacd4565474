#include "image/BmpDecoder.h"

#include <gtest/gtest.h>

#include "support/BmpBuilder.h"

namespace lumora {
namespace {

using namespace test;
using Rows = std::vector<std::vector<Rgb>>;

const Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255};
const Rgb t = kTeal, o = kOchre;

struct DecodeRow {
  std::string what;
  BmpFields fields;
  Rows expected;  // top row first
};

std::vector<Rgb> FullEightBitPalette() {
  std::vector<Rgb> palette;
  for (int i = 0; i < 256; ++i)
    palette.push_back(Rgb{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i / 2)});
  return palette;
}

// clang-format off
std::vector<DecodeRow> DecodeRows() {
  std::vector<DecodeRow> rows = {
      {"1 bit: most significant bit first, padding ignored",
       {.width = 10, .height = 2, .bitCount = 1, .palette = {t, o}, .pixels = PaddedRows({{0x80, 0x7F}, {0x55, 0x40}})},
       {{t, o, t, o, t, o, t, o, t, o}, {o, t, t, t, t, t, t, t, t, o}}},
      // The padding nibble F would lie beyond the three colours in use if it were read as a pixel.
      {"4 bits: high nibble first, padding nibble ignored",
       {.width = 3, .height = 1, .bitCount = 4, .colorsUsed = 3, .palette = {t, o, kPlum},
        .pixels = PaddedRows({{0x21, 0x0F}})},
       {{kPlum, o, t}}},
      {"8 bits: 2^8 palette entries when no colours used are given",
       {.width = 2, .height = 1, .bitCount = 8, .palette = FullEightBitPalette(), .pixels = PaddedRows({{255, 1}})},
       {{Rgb{255, 0, 127}, Rgb{1, 254, 0}}}},
      {"8 bits: indices within the colours used",
       {.width = 2, .height = 1, .bitCount = 8, .colorsUsed = 2, .palette = {t, o}, .pixels = PaddedRows({{1, 0}})},
       {{o, t}}},
      // Nonzero padding bytes must not leak into the next row.
      {"24 bits: padded at odd widths, stored bottom-up",
       {.width = 3, .height = 2, .bitCount = 24,
        .pixels = {0, 0, 255, 0, 255, 0, 255, 0, 0, 9, 9, 9, 1, 2, 3, 255, 255, 255, 0, 0, 0, 9, 9, 9}},
       {{Rgb{3, 2, 1}, kWhite, kBlack}, {kRed, kGreen, kBlue}}},
      {"negative height: top-down",
       {.width = 1, .height = -3, .bitCount = 24, .pixels = PaddedRows({{0, 0, 255}, {0, 255, 0}, {255, 0, 0}})},
       {{kRed}, {kGreen}, {kBlue}}},
      {"positive height: bottom-up",
       {.width = 1, .height = 3, .bitCount = 24, .pixels = PaddedRows({{0, 0, 255}, {0, 255, 0}, {255, 0, 0}})},
       {{kBlue}, {kGreen}, {kRed}}},
      // 0x7C00, 0x03E0, 0x001F, 0xFC00, 0x0210 (green and blue 16 of 31).
      {"16 bits without bit fields: 555, top bit ignored",
       {.width = 5, .height = 1, .bitCount = 16,
        .pixels = PaddedRows({{0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x00, 0xFC, 0x10, 0x02}})},
       {{kRed, kGreen, kBlue, kRed, Rgb{0, 132, 132}}}},
      // 0xF800, 0x07E0, 0x0420 (green 33 of 63), 0x0001 (blue 1 of 31).
      {"16 bits: 565 bit fields after the info header",
       {.width = 4, .height = 1, .bitCount = 16, .compression = kBitFields, .masks = {0xF800, 0x07E0, 0x001F},
        .pixels = PaddedRows({{0x00, 0xF8, 0xE0, 0x07, 0x20, 0x04, 0x01, 0x00}})},
       {{kRed, kGreen, Rgb{0, 134, 0}, Rgb{0, 0, 8}}}},
      // Masks of 1, 3 and 12 bits; 0xABCB: red 1, green 101b, blue 0xABC.
      {"narrow channels repeat their bits, wide ones keep their top bits",
       {.width = 2, .height = 1, .bitCount = 16, .compression = kBitFields, .masks = {0x0001, 0x000E, 0xFFF0},
        .pixels = PaddedRows({{0xCB, 0xAB, 0x00, 0x00}})},
       {{Rgb{255, 182, 0xAB}, kBlack}}},
      {"32 bits without bit fields: the fourth byte ignored",
       {.width = 2, .height = 1, .bitCount = 32, .pixels = {1, 2, 3, 0xFF, 30, 20, 10, 0x00}},
       {{Rgb{3, 2, 1}, Rgb{10, 20, 30}}}},
      // 0x3FF80001: red 1023, green 512, blue 1.
      {"32 bits: bit fields ten bits wide",
       {.width = 2, .height = 1, .bitCount = 32, .compression = kBitFields,
        .masks = {0x3FF00000, 0x000FFC00, 0x000003FF}, .pixels = {0x01, 0x00, 0xF8, 0x3F, 0xFF, 0xFF, 0xFF, 0xFF}},
       {{Rgb{255, 128, 0}, kWhite}}},
      {"32 bits: a missing bit field",
       {.width = 2, .height = 1, .bitCount = 32, .compression = kBitFields, .masks = {0xFF0000, 0, 0xFF},
        .pixels = {0x01, 0x00, 0xF8, 0x3F, 0xFF, 0xFF, 0xFF, 0xFF}},
       {{Rgb{0xF8, 0, 0x01}, Rgb{255, 0, 255}}}},
      {"16 bits: an alpha mask beyond the pixel's bits",
       {.headerSize = 124, .width = 1, .height = 1, .bitCount = 16, .compression = kBitFields,
        .masks = {0xF800, 0x07E0, 0x001F, 0xFF000000}, .pixels = PaddedRows({{0x1F, 0x00}})},
       {{kBlue}}},
      {"masks inside the header ignored without bit fields compression",
       {.headerSize = 124, .width = 1, .height = 1, .bitCount = 16, .masks = {0x0001, 0x0001, 0x0001, 0x0001},
        .pixels = PaddedRows({{0x00, 0x7C}})},
       {{kRed}}},
      {"core header: 16-bit sizes, 3-byte palette entries",
       {.headerSize = 12, .width = 2, .height = 1, .bitCount = 4,
        .palette = {kBlack, t, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack,
                    kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, o},
        .pixels = PaddedRows({{0x1F}})},
       {{t, o}}},
      {"core header: 24 bits",
       {.headerSize = 12, .width = 1, .height = 2, .bitCount = 24, .pixels = PaddedRows({{0, 0, 255}, {255, 0, 0}})},
       {{kBlue}, {kRed}}},
  };
  for (uint32_t headerSize : {40u, 108u})
    rows.push_back({"alpha bit fields: a fourth mask not shown, header " + std::to_string(headerSize),
                    {.headerSize = headerSize, .width = 1, .height = 1, .bitCount = 32, .compression = kAlphaBitFields,
                     .masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000}, .pixels = {10, 20, 30, 0x80}},
                    {{Rgb{10, 20, 30}}}});
  for (uint32_t headerSize : {40u, 52u, 56u, 64u, 108u, 124u})
    rows.push_back({"the same pixels under an info header of " + std::to_string(headerSize),
                    {.headerSize = headerSize, .width = 2, .height = -2, .bitCount = 8, .colorsUsed = 3,
                     .palette = {t, o, kPlum}, .pixels = PaddedRows({{0, 1}, {2, 2}})},
                    {{t, o}, {kPlum, kPlum}}});
  for (uint32_t headerSize : {52u, 56u, 108u, 124u})  // 0x0420: green 33 of 63
    rows.push_back({"bit fields inside an info header of " + std::to_string(headerSize),
                    {.headerSize = headerSize, .width = 1, .height = 1, .bitCount = 16, .compression = kBitFields,
                     .masks = {0xF800, 0x07E0, 0x001F}, .pixels = PaddedRows({{0x20, 0x04}})},
                    {{Rgb{0, 134, 0}}}});
  return rows;
  // clang-format on
}

TEST(BmpDecoder, EachLayoutDecodesToItsPixels) {
  for (const DecodeRow& row : DecodeRows()) {
    SCOPED_TRACE(row.what);
    const DecodeResult picture = DecodeBuilt(row.fields);
    ASSERT_TRUE(picture) << picture.error().reason;
    EXPECT_EQ(picture->BitCount(), 24);
    EXPECT_EQ(picture->Width(), static_cast<int>(row.expected[0].size()));
    EXPECT_EQ(picture->Height(), static_cast<int>(row.expected.size()));
    EXPECT_EQ(PixelRows(*picture), row.expected);
  }
}

// A preparation cancelled while it decodes a bitmap stops between two rows, run-length coded or not.
TEST(BmpDecoder, ACancelledWatchStopsTheDecode) {
  DecodeWatch watch;
  watch.Cancel();
  const BmpFields plain{.width = 1, .height = 2, .pixels = PaddedRows({{1, 2, 3}, {4, 5, 6}})};
  const BmpFields rle8{.width = 2,
                       .height = 2,
                       .bitCount = 8,
                       .compression = 1,
                       .colorsUsed = 2,
                       .palette = {kRed, kBlue},
                       .pixels = {0x02, 0x00, 0x00, 0x00, 0x02, 0x01, 0x00, 0x01}};
  for (const BmpFields& fields : {plain, rle8}) {
    const DecodeResult result = DecodeBmp(BuildBmp(fields), &watch);
    ASSERT_FALSE(result) << fields.compression;
    EXPECT_EQ(result.error().reason, "cancelled");
  }
}

}  // namespace
}  // namespace lumora
