#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "image/DecodeWatch.h"
#include "image/JpegDecoder.h"
#include "support/JpegEncoder.h"

namespace lumora {
namespace {

// Six colours far apart, named by letters in the tables below.
Rgb ColourOf(char letter) {
  switch (letter) {
    case 'A': return {200, 30, 40};
    case 'B': return {30, 200, 60};
    case 'C': return {40, 50, 210};
    case 'D': return {220, 180, 40};
    case 'E': return {240, 240, 240};
    default: return {20, 20, 20};
  }
}

// Stored rows "ABC" over "DEF", kept as RGB at full chroma and quality 100, so each pixel keeps its colour.
std::vector<uint8_t> LettersJpeg(std::vector<uint8_t> app1) {
  SampleImage image{3, 2, SampleLayout::Rgb, {}};
  for (const char letter : std::string("ABCDEF")) {
    const Rgb colour = ColourOf(letter);
    image.samples.insert(image.samples.end(), {colour.r, colour.g, colour.b});
  }
  return EncodeJpeg(image, {.quality = 100, .fullChroma = true, .storeAsRgb = true, .app1 = std::move(app1)});
}

bool Near(Rgb actual, Rgb expected, int tolerance) {
  return std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
         std::abs(actual.b - expected.b) <= tolerance;
}

// Pixel (x, y) of a part, through its palette when it has one.
Rgb PixelOf(const Picture& part, int x, int y) {
  const uint8_t* row = part.ScaledRow(y);
  return part.BitCount() == 8 ? part.Palette().at(row[x]) : GetBgr(row + x * 3);
}

// An Exif block whose first field list lies 65,500 bytes into it: past the first piece the decoder reads.
std::vector<uint8_t> FarExif(uint16_t orientation) {
  const std::vector<uint8_t> near = ExifWithOrientation(orientation);  // IFD0 at 8, from byte 14 on
  std::vector<uint8_t> far(6 + 65500 + (near.size() - 14));
  std::copy(near.begin(), near.begin() + 14, far.begin());
  far[10] = 0xDC, far[11] = 0xFF;  // IFD0 at 65500 from the TIFF header, which starts 6 bytes in
  std::copy(near.begin() + 14, near.end(), far.begin() + 6 + 65500);
  return far;
}

struct Case {
  const char* what;
  std::vector<uint8_t> app1;
  int width, height;
  const char* upright;  // the upright picture's letters, row by row
};

TEST(JpegOrientation, EachOrientationShowsThePhotoUpright) {
  // clang-format off
  const Case cases[] = {
      {"1", ExifWithOrientation(1), 3, 2, "ABC" "DEF"},
      {"2: mirrored left-right", ExifWithOrientation(2), 3, 2, "CBA" "FED"},
      {"3: turned 180", ExifWithOrientation(3), 3, 2, "FED" "CBA"},
      {"4: mirrored top-bottom", ExifWithOrientation(4), 3, 2, "DEF" "ABC"},
      {"5: transposed", ExifWithOrientation(5), 2, 3, "AD" "BE" "CF"},
      {"6: turned clockwise", ExifWithOrientation(6), 2, 3, "DA" "EB" "FC"},
      {"7: transversed", ExifWithOrientation(7), 2, 3, "FC" "EB" "DA"},
      {"8: turned anticlockwise", ExifWithOrientation(8), 2, 3, "CF" "BE" "AD"},
      {"6, in an Exif block read in two pieces of the file", FarExif(6), 2, 3,
       "DA" "EB" "FC"},
      {"no Exif block", {}, 3, 2, "ABC" "DEF"},
      {"broken Exif block: IFD0 past its end",
       {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 0x40, 0, 0, 0, 1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0, 6, 0, 0, 0},
       3, 2, "ABC" "DEF"},
      {"no orientation field",
       {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x0F, 0x01, 3, 0, 1, 0, 0, 0, 6, 0, 0, 0},
       3, 2, "ABC" "DEF"},
  };
  // clang-format on
  for (const Case& c : cases) {
    for (const JpegColours colours : {JpegColours::Full24Bit, JpegColours::Quantised236}) {
      SCOPED_TRACE(std::string(c.what) + (colours == JpegColours::Full24Bit ? ", 24-bit" : ", quantised"));
      const DecodeResult opened = OpenJpeg(LettersJpeg(c.app1), colours);
      ASSERT_TRUE(opened);
      ASSERT_EQ(opened->Width(), c.width);
      ASSERT_EQ(opened->Height(), c.height);
      const PixelRect all{0, 0, c.width, c.height};
      const RowList endRows = {0, c.height - 1};
      const Picture whole = opened->Part(8, all), ends = opened->Part(8, all, &endRows);
      for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
          const Rgb expected = ColourOf(c.upright[y * c.width + x]);
          EXPECT_TRUE(Near(PixelOf(whole, x, y), expected, 6)) << "at " << x << "," << y;
          if (y == 0 || y == c.height - 1) {
            EXPECT_TRUE(Near(PixelOf(ends, x, y), expected, 6)) << "listed, at " << x << "," << y;
          }
        }
    }
  }
}

// Stored 32 x 15 in flat 8 x 8 blocks (the lower ones 7 high), "ABCD" over "EFAB"; tagged 6, it stands 15 x 32 as
// "EA" "FB" "AC" "BD".
TEST(JpegOrientation, ATurnedPhotoDecodesAPartAtAReducedScale) {
  const std::string blocks = "ABCDEFAB";
  SampleImage image{32, 15, SampleLayout::Rgb, {}};
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 32; ++x) {
      const Rgb colour = ColourOf(blocks[static_cast<size_t>(y / 8 * 4 + x / 8)]);
      image.samples.insert(image.samples.end(), {colour.r, colour.g, colour.b});
    }
  const DecodeResult opened =
      OpenJpeg(EncodeJpeg(image, {.fullChroma = true, .storeAsRgb = true, .app1 = ExifWithOrientation(6)}),
               JpegColours::Full24Bit);
  ASSERT_TRUE(opened);
  ASSERT_EQ(opened->Width(), 15);
  // At half size the upright picture is 8 x 16 (7.5 rounded up) in 4 x 4 blocks; the part is columns 3 to 6 of
  // rows 2 to 13.
  const char* uprightBlocks =
      "EA"
      "FB"
      "AC"
      "BD";
  const RowList rows = {2, 5, 9, 13};
  for (const RowList* listed : {static_cast<const RowList*>(nullptr), &rows}) {
    SCOPED_TRACE(listed ? "listed rows" : "every row");
    const Picture part = opened->Part(4, PixelRect{3, 2, 7, 14}, listed);
    EXPECT_EQ(part.Window(), (PixelRect{3, 2, 7, 14}));
    for (const int y : rows)
      for (int x = 3; x < 7; ++x) {
        const Rgb expected = ColourOf(uprightBlocks[y / 4 * 2 + x / 4]);
        EXPECT_TRUE(Near(PixelOf(part, x - 3, y), expected, 8)) << "at " << x << "," << y;
      }
  }
}

// A late turned photo draws its rows as they decode: the copy of the rows decoded so far (the decoder's first
// strip) stands upright like the photo, those pixels at their final place, from the edge where the stored first
// row stands, and the rest in the colour asked for.
TEST(JpegOrientation, RowsDecodedSoFarShowAtTheirUprightPlace) {
  enum Edge { kTop, kBottom, kLeft, kRight };
  const struct {
    int exif;
    Edge firstRow;
  } rows[] = {{1, kTop}, {2, kTop}, {3, kBottom}, {4, kBottom}, {5, kLeft}, {6, kRight}, {7, kRight}, {8, kLeft}};
  constexpr Rgb kFill{1, 2, 3};
  SampleImage image{32, 32, SampleLayout::Rgb, {}};
  for (int i = 0; i < 32 * 32 * 3; ++i) image.samples.push_back(static_cast<uint8_t>(40 + i * 37 % 170));
  for (const auto& row : rows) {
    SCOPED_TRACE("orientation " + std::to_string(row.exif));
    const DecodeResult opened =
        OpenJpeg(EncodeJpeg(image, {.app1 = ExifWithOrientation(row.exif)}), JpegColours::Full24Bit);
    ASSERT_TRUE(opened);
    DecodeWatch watch;
    watch.RequestRows(kFill);
    const Picture whole = opened->Part(8, PixelRect{0, 0, 32, 32}, nullptr, &watch);
    const std::unique_ptr<PictureData> copy = watch.TakeRows();
    ASSERT_NE(copy, nullptr);
    // Line `i` counted from that edge is decoded (as in the whole picture) or filled, all along.
    const auto lineIs = [&](int i, bool decoded) {
      for (int along = 0; along < 32; ++along) {
        const int x = row.firstRow == kLeft ? i : row.firstRow == kRight ? 31 - i : along;
        const int y = row.firstRow == kTop ? i : row.firstRow == kBottom ? 31 - i : along;
        if (!(GetBgr(copy->Row(y) + x * 3) == (decoded ? whole.PixelAt(x, y) : kFill))) return false;
      }
      return true;
    };
    int decodedLines = 0;
    while (decodedLines < 32 && lineIs(decodedLines, true)) ++decodedLines;
    EXPECT_GT(decodedLines, 0);
    for (int i = decodedLines; i < 32; ++i) ASSERT_TRUE(lineIs(i, false)) << "line " << i << " of " << decodedLines;
    EXPECT_LT(decodedLines, 32);
  }
}

}  // namespace
}  // namespace lumora
