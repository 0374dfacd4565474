#include <gtest/gtest.h>

#include "support/BmpBuilder.h"
#include "image/BmpDecoder.h"

namespace lumora {
namespace {

using namespace test;
using Rows = std::vector<std::vector<Rgb>>;

// Palette entry 0 is not black, so that pixels the codes never write can be told from index 0.
const Rgb kBlack{0, 0, 0}, kGrey{128, 128, 128};

BmpFields Rle8(int width, int height, std::vector<uint8_t> codes) {
  return BmpFields{.width = width, .height = height, .bitCount = 8, .compression = kRle8, .colorsUsed = 4,
                   .palette = {kGrey, kTeal, kOchre, kPlum}, .pixels = std::move(codes)};
}

BmpFields Rle4(int width, int height, std::vector<uint8_t> codes) {
  BmpFields fields = Rle8(width, height, std::move(codes));
  fields.bitCount = 4;
  fields.compression = kRle4;
  return fields;
}

Rows DecodedRows(const BmpFields& fields) {
  DecodeResult picture = DecodeBuilt(fields);
  if (!picture) {
    ADD_FAILURE() << "bitmap was rejected";
    return {};
  }
  return PixelRows(*picture);
}

const Rgb K = kBlack, G = kGrey, T = kTeal, O = kOchre, P = kPlum;

TEST(BmpRle, Rle8PlaysRunsAbsoluteRunsLineEndsAndDeltasBottomUp) {
  const BmpFields fields = Rle8(6, 3,
                                {0x03, 0x01,                    // three of colour 1
                                 0x00, 0x03, 0x02, 0x03, 0x00, 0x00,  // absolute 2, 3, 0, padded to 16 bits
                                 0x00, 0x00,                    // end of line
                                 0x00, 0x02, 0x02, 0x01,        // two right, one up: row 1 is never written
                                 0x02, 0x03, 0x00, 0x01});      // two of colour 3, end of bitmap
  EXPECT_EQ(DecodedRows(fields), (Rows{{K, K, P, P, K, K}, {K, K, K, K, K, K}, {T, T, T, O, P, G}}));
}

TEST(BmpRle, Rle4AlternatesTheNibblesOfRunsAndReadsAbsoluteNibblesHighFirst) {
  const BmpFields fields = Rle4(6, 2,
                                {0x05, 0x12,                    // 1 2 1 2 1
                                 0x00, 0x00,                    // end of line
                                 0x00, 0x02, 0x01, 0x00,        // one right
                                 0x00, 0x03, 0x30, 0x10,        // absolute 3 0 1: two bytes, already even
                                 0x01, 0x23,                    // one pixel of the high nibble only
                                 0x00, 0x01});
  EXPECT_EQ(DecodedRows(fields), (Rows{{K, P, G, T, O, K}, {T, O, T, O, T, K}}));
}

TEST(BmpRle, Rle4AbsoluteRunOfThreeBytesIsPaddedToFour) {
  const BmpFields fields = Rle4(5, 1, {0x00, 0x05, 0x12, 0x30, 0x10, 0x00, 0x00, 0x01});
  EXPECT_EQ(DecodedRows(fields), (Rows{{T, O, P, G, T}}));
}

TEST(BmpRle, EndOfBitmapLeavesTheRestBlack) {
  EXPECT_EQ(DecodedRows(Rle8(3, 2, {0x00, 0x02, 0x01, 0x01, 0x01, 0x02, 0x00, 0x01, 0x01, 0x03})),
            (Rows{{K, O, K}, {K, K, K}}));
}

TEST(BmpRle, DataMayEndBetweenCodesWithoutEndOfBitmap) {
  EXPECT_EQ(DecodedRows(Rle8(2, 1, {0x02, 0x01})), (Rows{{T, T}}));
  EXPECT_EQ(DecodedRows(Rle8(2, 2, {0x02, 0x01, 0x00, 0x00})), (Rows{{K, K}, {T, T}}));
  EXPECT_FALSE(DecodeBuilt(Rle8(2, 1, {0x02, 0x01, 0x00}))) << "ends inside a code";
  EXPECT_FALSE(DecodeBuilt(Rle8(2, 1, {}))) << "pixel data at the end of the file";
}

TEST(BmpRle, SizeImageBoundsTheCodes) {
  BmpFields fields = Rle8(2, 1, {0x02, 0x01, 0xFF, 0x01});  // a run of 255 would overflow the row
  fields.sizeImage = 2;
  EXPECT_EQ(DecodedRows(fields), (Rows{{T, T}}));
  BmpFields truncated = Rle8(2, 1, {0x02, 0x01, 0x00, 0x01});
  truncated.sizeImage = 6;
  EXPECT_FALSE(DecodeBuilt(truncated)) << "the file ends before the size given";
}

TEST(BmpRle, CodesThatLeaveTheRowOrThePictureAreRejected) {
  const std::vector<std::pair<const char*, BmpFields>> cases = {
      {"run past the row", Rle8(4, 1, {0x03, 0x01, 0x02, 0x01, 0x00, 0x01})},
      {"absolute run past the row", Rle8(4, 1, {0x00, 0x05, 0x01, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x01})},
      {"delta past the right edge", Rle8(4, 2, {0x00, 0x02, 0x05, 0x00, 0x00, 0x01})},
      {"delta past the top row", Rle8(4, 2, {0x00, 0x02, 0x00, 0x02, 0x00, 0x01})},
      {"end of line past the top row", Rle8(2, 1, {0x00, 0x00, 0x00, 0x00, 0x00, 0x01})},
      {"run above the top row", Rle8(2, 1, {0x00, 0x00, 0x01, 0x01, 0x00, 0x01})},
      {"index beyond the palette", Rle8(2, 1, {0x02, 0x04, 0x00, 0x01})},
      {"nibble beyond the palette", Rle4(2, 1, {0x02, 0x14, 0x00, 0x01})},
      {"absolute run past the data", Rle8(4, 1, {0x00, 0x04, 0x01, 0x01})},
      {"delta past the data", Rle8(4, 2, {0x00, 0x02, 0x01})},
  };
  for (const auto& [name, fields] : cases) EXPECT_FALSE(DecodeBuilt(fields)) << name;
}

// A few bytes of codes cannot justify a picture of tens of millions of pixels; codes that set them all can.
TEST(BmpRle, ALargePictureIsOnlyAllocatedWhenItsCodesSetAnEighthOfItsPixels) {
  const DecodeResult bomb = DecodeBuilt(Rle8(4096, 4096, {0x10, 0x01, 0x00, 0x01}));
  ASSERT_FALSE(bomb);
  EXPECT_EQ(bomb.error().failure, DecodeFailure::TooLarge);
  std::vector<uint8_t> everyRow;
  for (int row = 0; row < 4096; ++row) {
    for (int run = 0; run < 16; ++run) everyRow.insert(everyRow.end(), {0xFF, 0x01});
    everyRow.insert(everyRow.end(), {0x10, 0x01, 0x00, 0x00});  // 16 x 255 + 16 = 4096, then end of line
  }
  EXPECT_TRUE(DecodeBuilt(Rle8(4096, 4096, everyRow)));
}

TEST(BmpRle, RunsMayFillTheRowsPaddingWhichIsDropped) {
  EXPECT_EQ(DecodedRows(Rle8(3, 2, {0x04, 0x01, 0x00, 0x00, 0x03, 0x02, 0x00, 0x02, 0x01, 0x00, 0x00, 0x01})),
            (Rows{{O, O, O}, {T, T, T}}));
  EXPECT_EQ(DecodedRows(Rle4(5, 1, {0x08, 0x12, 0x00, 0x01})), (Rows{{T, O, T, O, T}}));
  EXPECT_FALSE(DecodeBuilt(Rle8(3, 1, {0x05, 0x01, 0x00, 0x01}))) << "run past the padding";
  EXPECT_FALSE(DecodeBuilt(Rle4(5, 1, {0x09, 0x12, 0x00, 0x01}))) << "run past the padding";
  EXPECT_FALSE(DecodeBuilt(Rle8(3, 1, {0x04, 0x07, 0x00, 0x01}))) << "padding pixel beyond the palette";
}

TEST(BmpRle, UnusedNibbleOfARunNeedNotBeAColour) {
  EXPECT_EQ(DecodedRows(Rle4(1, 1, {0x01, 0x1F, 0x00, 0x01})), (Rows{{T}}));
}

TEST(BmpRle, CompressionMustMatchTheBitCountAndRowsMustBeBottomUp) {
  BmpFields topDown = Rle8(2, -1, {0x02, 0x01, 0x00, 0x01});
  EXPECT_FALSE(DecodeBuilt(topDown));
  BmpFields rle8WithFourBits = Rle8(2, 1, {0x02, 0x01, 0x00, 0x01});
  rle8WithFourBits.bitCount = 4;
  EXPECT_FALSE(DecodeBuilt(rle8WithFourBits));
  BmpFields rle4WithEightBits = Rle4(2, 1, {0x02, 0x11, 0x00, 0x01});
  rle4WithEightBits.bitCount = 8;
  EXPECT_FALSE(DecodeBuilt(rle4WithEightBits));
}

}  // namespace
}  // namespace lumora
