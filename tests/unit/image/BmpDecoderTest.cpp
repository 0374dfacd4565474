#include "image/BmpDecoder.h"

#include <gtest/gtest.h>

#include "support/BmpBuilder.h"

namespace lumora {
namespace {

using namespace test;
using Rows = std::vector<std::vector<Rgb>>;

const Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255};

Rows DecodedRows(const BmpFields& fields) {
  DecodeResult picture = DecodeBuilt(fields);
  if (!picture) {
    ADD_FAILURE() << "bitmap was rejected";
    return {};
  }
  EXPECT_EQ(picture->BitCount(), 24);
  EXPECT_EQ(picture->Width(), fields.width);
  EXPECT_EQ(picture->Height(), fields.height < 0 ? -fields.height : fields.height);
  return PixelRows(*picture);
}

TEST(BmpDecoder, OneBitRowsReadMostSignificantBitFirstAndIgnoreTheirPadding) {
  BmpFields fields{.width = 10, .height = 2, .bitCount = 1, .palette = {kTeal, kOchre}};
  fields.pixels = PaddedRows({{0x80, 0x7F}, {0x55, 0x40}});
  const Rgb t = kTeal, o = kOchre;
  EXPECT_EQ(DecodedRows(fields), (Rows{{t, o, t, o, t, o, t, o, t, o}, {o, t, t, t, t, t, t, t, t, o}}));
}

TEST(BmpDecoder, FourBitRowsReadHighNibbleFirstAndIgnoreThePaddingNibble) {
  // The padding nibble F would lie beyond the three colours in use if it were read as a pixel.
  BmpFields fields{.width = 3, .height = 1, .bitCount = 4, .colorsUsed = 3, .palette = {kTeal, kOchre, kPlum}};
  fields.pixels = PaddedRows({{0x21, 0x0F}});
  EXPECT_EQ(DecodedRows(fields), (Rows{{kPlum, kOchre, kTeal}}));
}

TEST(BmpDecoder, EightBitPaletteHasTwoToTheBitsEntriesWhenColorsUsedIsZero) {
  BmpFields fields{.width = 2, .height = 1, .bitCount = 8};
  for (int i = 0; i < 256; ++i)
    fields.palette.push_back(Rgb{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i / 2)});
  fields.pixels = PaddedRows({{255, 1}});
  EXPECT_EQ(DecodedRows(fields), (Rows{{Rgb{255, 0, 127}, Rgb{1, 254, 0}}}));
}

TEST(BmpDecoder, PaletteIndicesMustLieWithinColorsUsed) {
  BmpFields fields{.width = 2, .height = 1, .bitCount = 8, .colorsUsed = 2, .palette = {kTeal, kOchre}};
  fields.pixels = PaddedRows({{1, 0}});
  EXPECT_EQ(DecodedRows(fields), (Rows{{kOchre, kTeal}}));
  fields.pixels = PaddedRows({{1, 2}});
  EXPECT_FALSE(DecodeBuilt(fields));
}

TEST(BmpDecoder, TwentyFourBitRowsArePaddedAtOddWidthsAndStoredBottomUp) {
  BmpFields fields{.width = 3, .height = 2, .bitCount = 24};
  // Nonzero padding bytes must not leak into the next row.
  fields.pixels = {0, 0, 255, 0, 255, 0, 255, 0, 0, 9, 9, 9,  //
                   1, 2, 3, 255, 255, 255, 0, 0, 0, 9, 9, 9};
  EXPECT_EQ(DecodedRows(fields), (Rows{{Rgb{3, 2, 1}, kWhite, kBlack}, {kRed, kGreen, kBlue}}));
}

TEST(BmpDecoder, NegativeHeightStoresRowsTopDown) {
  BmpFields fields{.width = 1, .height = -3, .bitCount = 24};
  fields.pixels = PaddedRows({{0, 0, 255}, {0, 255, 0}, {255, 0, 0}});
  EXPECT_EQ(DecodedRows(fields), (Rows{{kRed}, {kGreen}, {kBlue}}));
  fields.height = 3;
  EXPECT_EQ(DecodedRows(fields), (Rows{{kBlue}, {kGreen}, {kRed}}));
}

TEST(BmpDecoder, SixteenBitsWithoutBitFieldsAre555WithTheTopBitIgnored) {
  BmpFields fields{.width = 5, .height = 1, .bitCount = 16};
  // 0x7C00, 0x03E0, 0x001F, 0xFC00, 0x0210 (green and blue 16 of 31).
  fields.pixels = PaddedRows({{0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x00, 0xFC, 0x10, 0x02}});
  EXPECT_EQ(DecodedRows(fields), (Rows{{kRed, kGreen, kBlue, kRed, Rgb{0, 132, 132}}}));
}

TEST(BmpDecoder, SixteenBit565BitFieldsFollowTheInfoHeader) {
  BmpFields fields{.width = 4, .height = 1, .bitCount = 16, .compression = kBitFields};
  fields.masks = {0xF800, 0x07E0, 0x001F};
  // 0xF800, 0x07E0, 0x0420 (green 33 of 63), 0x0001 (blue 1 of 31).
  fields.pixels = PaddedRows({{0x00, 0xF8, 0xE0, 0x07, 0x20, 0x04, 0x01, 0x00}});
  EXPECT_EQ(DecodedRows(fields), (Rows{{kRed, kGreen, Rgb{0, 134, 0}, Rgb{0, 0, 8}}}));
}

TEST(BmpDecoder, NarrowChannelsRepeatTheirBitsAndWideChannelsKeepTheirTopBits) {
  BmpFields fields{.width = 2, .height = 1, .bitCount = 16, .compression = kBitFields};
  fields.masks = {0x0001, 0x000E, 0xFFF0};  // 1, 3 and 12 bits
  // 0xABCB: red 1, green 101b, blue 0xABC.
  fields.pixels = PaddedRows({{0xCB, 0xAB, 0x00, 0x00}});
  EXPECT_EQ(DecodedRows(fields), (Rows{{Rgb{255, 182, 0xAB}, kBlack}}));
}

TEST(BmpDecoder, ThirtyTwoBitsWithoutBitFieldsIgnoreTheFourthByte) {
  BmpFields fields{.width = 2, .height = 1, .bitCount = 32};
  fields.pixels = {1, 2, 3, 0xFF, 30, 20, 10, 0x00};
  EXPECT_EQ(DecodedRows(fields), (Rows{{Rgb{3, 2, 1}, Rgb{10, 20, 30}}}));
}

TEST(BmpDecoder, ThirtyTwoBitBitFieldsMayBeTenBitsWideOrMissing) {
  BmpFields fields{.width = 2, .height = 1, .bitCount = 32, .compression = kBitFields};
  fields.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
  fields.pixels = {0x01, 0x00, 0xF8, 0x3F, 0xFF, 0xFF, 0xFF, 0xFF};  // 0x3FF80001: red 1023, green 512, blue 1
  EXPECT_EQ(DecodedRows(fields), (Rows{{Rgb{255, 128, 0}, kWhite}}));
  fields.masks = {0xFF0000, 0, 0xFF};
  EXPECT_EQ(DecodedRows(fields), (Rows{{Rgb{0xF8, 0, 0x01}, Rgb{255, 0, 255}}}));
}

TEST(BmpDecoder, AlphaBitFieldsCarryAFourthMaskThatIsNotShown) {
  BmpFields fields{.width = 1, .height = 1, .bitCount = 32, .compression = kAlphaBitFields};
  fields.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
  fields.pixels = {10, 20, 30, 0x80};
  EXPECT_EQ(DecodedRows(fields), (Rows{{Rgb{10, 20, 30}}}));
  fields.headerSize = 108;
  EXPECT_EQ(DecodedRows(fields), (Rows{{Rgb{10, 20, 30}}}));
}

TEST(BmpDecoder, CoreHeaderHasSixteenBitSizesAndThreeBytePaletteEntries) {
  BmpFields fields{.headerSize = 12, .width = 2, .height = 1, .bitCount = 4};
  fields.palette.assign(16, kBlack);
  fields.palette[1] = kTeal;
  fields.palette[15] = kOchre;
  fields.pixels = PaddedRows({{0x1F}});
  EXPECT_EQ(DecodedRows(fields), (Rows{{kTeal, kOchre}}));

  BmpFields trueColour{.headerSize = 12, .width = 1, .height = 2, .bitCount = 24};
  trueColour.pixels = PaddedRows({{0, 0, 255}, {255, 0, 0}});
  EXPECT_EQ(DecodedRows(trueColour), (Rows{{kBlue}, {kRed}}));
}

TEST(BmpDecoder, EveryInfoHeaderSizeDecodesTheSamePixels) {
  for (uint32_t headerSize : {40u, 52u, 56u, 64u, 108u, 124u}) {
    SCOPED_TRACE(headerSize);
    BmpFields fields{.headerSize = headerSize, .width = 2, .height = -2, .bitCount = 8, .colorsUsed = 3};
    fields.palette = {kTeal, kOchre, kPlum};
    fields.pixels = PaddedRows({{0, 1}, {2, 2}});
    EXPECT_EQ(DecodedRows(fields), (Rows{{kTeal, kOchre}, {kPlum, kPlum}}));
  }
}

TEST(BmpDecoder, LaterHeadersHoldTheirBitFieldsInside) {
  for (uint32_t headerSize : {52u, 56u, 108u, 124u}) {
    SCOPED_TRACE(headerSize);
    BmpFields fields{.headerSize = headerSize, .width = 1, .height = 1, .bitCount = 16, .compression = kBitFields};
    fields.masks = {0xF800, 0x07E0, 0x001F};
    fields.pixels = PaddedRows({{0x20, 0x04}});  // 0x0420: green 33 of 63
    EXPECT_EQ(DecodedRows(fields), (Rows{{Rgb{0, 134, 0}}}));
  }
}

TEST(BmpDecoder, SixteenBitPicturesMayCarryAnAlphaMaskBeyondTheirBits) {
  BmpFields fields{.headerSize = 124, .width = 1, .height = 1, .bitCount = 16, .compression = kBitFields};
  fields.masks = {0xF800, 0x07E0, 0x001F, 0xFF000000};
  fields.pixels = PaddedRows({{0x1F, 0x00}});
  EXPECT_EQ(DecodedRows(fields), (Rows{{kBlue}}));
}

TEST(BmpDecoder, MasksInsideTheHeaderAreIgnoredWithoutBitFieldsCompression) {
  BmpFields fields{.headerSize = 124, .width = 1, .height = 1, .bitCount = 16};
  fields.masks = {0x0001, 0x0001, 0x0001, 0x0001};
  fields.pixels = PaddedRows({{0x00, 0x7C}});
  EXPECT_EQ(DecodedRows(fields), (Rows{{kRed}}));
}

// A preparation cancelled while it decodes a bitmap stops between two rows, run-length coded or not.
TEST(BmpDecoder, ACancelledWatchStopsTheDecode) {
  DecodeWatch watch;
  watch.Cancel();
  const BmpFields plain{.width = 1, .height = 2, .pixels = PaddedRows({{1, 2, 3}, {4, 5, 6}})};
  const BmpFields rle8{.width = 2, .height = 2, .bitCount = 8, .compression = 1, .colorsUsed = 2,
                       .palette = {kRed, kBlue}, .pixels = {0x02, 0x00, 0x00, 0x00, 0x02, 0x01, 0x00, 0x01}};
  for (const BmpFields& fields : {plain, rle8}) {
    const DecodeResult result = DecodeBmp(BuildBmp(fields), &watch);
    ASSERT_FALSE(result) << fields.compression;
    EXPECT_EQ(result.error().reason, "cancelled");
  }
}

}  // namespace
}  // namespace lumora
