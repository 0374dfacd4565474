#include <gtest/gtest.h>

#include <tuple>

#include "image/BmpDecoder.h"
#include "support/BmpBuilder.h"

namespace lumora {
namespace {

using namespace test;
using Rows = std::vector<std::vector<Rgb>>;

// Palette entry 0 is not black, so that pixels the codes never write can be told from index 0.
const Rgb kBlack{0, 0, 0}, kGrey{128, 128, 128};

// clang-format off
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

BmpFields Changed(BmpFields fields, void (*change)(BmpFields&)) {
  change(fields);
  return fields;
}

const Rgb K = kBlack, G = kGrey, T = kTeal, O = kOchre, P = kPlum;

TEST(BmpRle, CodesDecodeToTheirRows) {
  const std::vector<std::tuple<const char*, BmpFields, Rows>> cases = {
      {"RLE8: runs, absolute runs, line ends and deltas, bottom-up",
       Rle8(6, 3, {0x03, 0x01,                          // three of colour 1
                   0x00, 0x03, 0x02, 0x03, 0x00, 0x00,  // absolute 2, 3, 0, padded to 16 bits
                   0x00, 0x00,                          // end of line
                   0x00, 0x02, 0x02, 0x01,              // two right, one up: row 1 is never written
                   0x02, 0x03, 0x00, 0x01}),            // two of colour 3, end of bitmap
       {{K, K, P, P, K, K}, {K, K, K, K, K, K}, {T, T, T, O, P, G}}},
      {"RLE4: runs alternate their nibbles, absolute nibbles high first",
       Rle4(6, 2, {0x05, 0x12,                    // 1 2 1 2 1
                   0x00, 0x00,                    // end of line
                   0x00, 0x02, 0x01, 0x00,        // one right
                   0x00, 0x03, 0x30, 0x10,        // absolute 3 0 1: two bytes, already even
                   0x01, 0x23,                    // one pixel of the high nibble only
                   0x00, 0x01}),
       {{K, P, G, T, O, K}, {T, O, T, O, T, K}}},
      {"RLE4: an absolute run of three bytes padded to four",
       Rle4(5, 1, {0x00, 0x05, 0x12, 0x30, 0x10, 0x00, 0x00, 0x01}), {{T, O, P, G, T}}},
      {"end of bitmap leaves the rest black", Rle8(3, 2, {0x00, 0x02, 0x01, 0x01, 0x01, 0x02, 0x00, 0x01, 0x01, 0x03}),
       {{K, O, K}, {K, K, K}}},
      {"data ending after a run", Rle8(2, 1, {0x02, 0x01}), {{T, T}}},
      {"data ending after a line end", Rle8(2, 2, {0x02, 0x01, 0x00, 0x00}), {{K, K}, {T, T}}},
      // A run of 255 would overflow the row.
      {"the image size bounds the codes",
       Changed(Rle8(2, 1, {0x02, 0x01, 0xFF, 0x01}), [](BmpFields& f) { f.sizeImage = 2; }), {{T, T}}},
      {"RLE8: runs filling the row's padding, which is dropped",
       Rle8(3, 2, {0x04, 0x01, 0x00, 0x00, 0x03, 0x02, 0x00, 0x02, 0x01, 0x00, 0x00, 0x01}), {{O, O, O}, {T, T, T}}},
      {"RLE4: runs filling the row's padding", Rle4(5, 1, {0x08, 0x12, 0x00, 0x01}), {{T, O, T, O, T}}},
      {"RLE4: the unused nibble of a run need not be a colour", Rle4(1, 1, {0x01, 0x1F, 0x00, 0x01}), {{T}}},
  };
  // clang-format on
  for (const auto& [name, fields, rows] : cases) {
    const DecodeResult picture = DecodeBuilt(fields);
    ASSERT_TRUE(picture) << name;
    EXPECT_EQ(PixelRows(*picture), rows) << name;
  }
}

TEST(BmpRle, CodesThatLeaveTheRowThePictureOrTheDataAreRejected) {
  const std::vector<std::pair<const char*, BmpFields>> cases = {
      {"run past the row", Rle8(4, 1, {0x03, 0x01, 0x02, 0x01, 0x00, 0x01})},
      {"absolute run past the row", Rle8(4, 1, {0x00, 0x05, 0x01, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x01})},
      {"RLE8 run past the padding", Rle8(3, 1, {0x05, 0x01, 0x00, 0x01})},
      {"RLE4 run past the padding", Rle4(5, 1, {0x09, 0x12, 0x00, 0x01})},
      {"delta past the right edge", Rle8(4, 2, {0x00, 0x02, 0x05, 0x00, 0x00, 0x01})},
      {"delta past the top row", Rle8(4, 2, {0x00, 0x02, 0x00, 0x02, 0x00, 0x01})},
      {"end of line past the top row", Rle8(2, 1, {0x00, 0x00, 0x00, 0x00, 0x00, 0x01})},
      {"run above the top row", Rle8(2, 1, {0x00, 0x00, 0x01, 0x01, 0x00, 0x01})},
      {"index beyond the palette", Rle8(2, 1, {0x02, 0x04, 0x00, 0x01})},
      {"nibble beyond the palette", Rle4(2, 1, {0x02, 0x14, 0x00, 0x01})},
      {"padding pixel beyond the palette", Rle8(3, 1, {0x04, 0x07, 0x00, 0x01})},
      {"absolute run past the data", Rle8(4, 1, {0x00, 0x04, 0x01, 0x01})},
      {"delta past the data", Rle8(4, 2, {0x00, 0x02, 0x01})},
      {"data ending inside a code", Rle8(2, 1, {0x02, 0x01, 0x00})},
      {"pixel data at the end of the file", Rle8(2, 1, {})},
      {"the file ending before the image size",
       Changed(Rle8(2, 1, {0x02, 0x01, 0x00, 0x01}), [](BmpFields& f) { f.sizeImage = 6; })},
      {"rows top-down", Rle8(2, -1, {0x02, 0x01, 0x00, 0x01})},
      {"RLE8 of 4 bits", Changed(Rle8(2, 1, {0x02, 0x01, 0x00, 0x01}), [](BmpFields& f) { f.bitCount = 4; })},
      {"RLE4 of 8 bits", Changed(Rle4(2, 1, {0x02, 0x11, 0x00, 0x01}), [](BmpFields& f) { f.bitCount = 8; })},
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

}  // namespace
}  // namespace lumora
