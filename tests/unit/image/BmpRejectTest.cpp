#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <random>

#include "image/BmpDecoder.h"
#include "support/BmpBuilder.h"

namespace lumora {
namespace {

using namespace test;

// clang-format off
BmpFields TrueColour() {
  return BmpFields{.width = 2, .height = 2, .bitCount = 24,
                   .pixels = PaddedRows({{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}})};
}

BmpFields Indexed() {
  return BmpFields{.width = 3, .height = 2, .bitCount = 8, .colorsUsed = 2, .palette = {kTeal, kOchre},
                   .pixels = PaddedRows({{0, 1, 0}, {1, 1, 0}})};
}

BmpFields BitFields(uint32_t headerSize, std::vector<uint32_t> masks) {
  return BmpFields{.headerSize = headerSize, .width = 2, .height = 1, .bitCount = 16, .compression = kBitFields,
                   .masks = std::move(masks), .pixels = PaddedRows({{0x12, 0x34, 0x56, 0x78}})};
}

struct BrokenFile {
  const char* what;
  std::function<void(BmpFields&)> breakIt;
};

// Each broken copy of a valid file is refused for the reason given.
void ExpectRejected(const BmpFields& valid, DecodeFailure failure, const std::vector<BrokenFile>& cases) {
  ASSERT_TRUE(DecodeBuilt(valid)) << "the unbroken file must decode";
  for (const BrokenFile& broken : cases) {
    BmpFields fields = valid;
    broken.breakIt(fields);
    const DecodeResult result = DecodeBuilt(fields);
    ASSERT_FALSE(result) << broken.what;
    EXPECT_EQ(result.error().failure, failure) << broken.what << ": " << result.error().reason;
  }
}

TEST(BmpRejection, InconsistentGeometryOrFormatIsRejected) {
  ExpectRejected(TrueColour(), DecodeFailure::BadHeader, {
      {"zero width", [](BmpFields& f) { f.width = 0; }},
      {"negative width", [](BmpFields& f) { f.width = -2; }},
      {"zero height", [](BmpFields& f) { f.height = 0; }},
      {"smallest height", [](BmpFields& f) { f.height = INT32_MIN; }},
      {"no planes", [](BmpFields& f) { f.planes = 0; }},
      {"two planes", [](BmpFields& f) { f.planes = 2; }},
      {"no bit count", [](BmpFields& f) { f.bitCount = 0; }},
      {"two bits", [](BmpFields& f) { f.bitCount = 2; }},
      {"48 bits", [](BmpFields& f) { f.bitCount = 48; }},
      {"JPEG", [](BmpFields& f) { f.compression = 4; }},
      {"PNG", [](BmpFields& f) { f.compression = 5; }},
      {"unknown compression", [](BmpFields& f) { f.compression = 7; }},
      {"bit fields of 24 bits", [](BmpFields& f) { f.compression = kBitFields, f.masks = {0xFF, 0xFF00, 0xFF0000}; }},
      {"RLE8 of 24 bits", [](BmpFields& f) { f.compression = kRle8; }},
      {"RLE4 of 24 bits", [](BmpFields& f) { f.compression = kRle4; }},
      {"core header of 16 bits", [](BmpFields& f) { f.headerSize = 12, f.bitCount = 16; }},
      {"core header of 32 bits", [](BmpFields& f) { f.headerSize = 12, f.bitCount = 32; }},
  });
}

TEST(BmpRejection, UnknownOrTruncatedHeadersAreRejected) {
  ExpectRejected(TrueColour(), DecodeFailure::BadHeader, {
      {"header of 16 bytes", [](BmpFields& f) { f.headerSize = 16; }},
      {"header of 41 bytes", [](BmpFields& f) { f.headerSize = 41; }},
      {"header of 200 bytes", [](BmpFields& f) { f.headerSize = 200; }},
  });
  std::vector<uint8_t> file = BuildBmp(TrueColour());
  file[14] = 0xFF, file[15] = 0xFF, file[16] = 0xFF, file[17] = 0xFF;
  EXPECT_FALSE(DecodeBmp(file)) << "header larger than the file";
  file = BuildBmp(TrueColour());
  file[0] = 'M', file[1] = 'B';
  EXPECT_FALSE(DecodeBmp(file)) << "no BM signature";
  EXPECT_FALSE(DecodeBmp(std::span<const uint8_t>(file.data(), 16))) << "file header only";
  EXPECT_FALSE(DecodeBmp({}));
}

TEST(BmpRejection, BitFieldsMustBeContiguousDisjointAndWithinThePixel) {
  for (uint32_t headerSize : {40u, 56u, 124u}) {
    SCOPED_TRACE(headerSize);
    ExpectRejected(BitFields(headerSize, {0xF800, 0x07E0, 0x001F}), DecodeFailure::BadHeader, {
        {"overlapping", [](BmpFields& f) { f.masks = {0xFC00, 0x07E0, 0x001F}; }},
        {"with a gap", [](BmpFields& f) { f.masks = {0xF800, 0x05E0, 0x001F}; }},
        {"beyond 16 bits", [](BmpFields& f) { f.masks = {0x1F800, 0x07E0, 0x001F}; }},
    });
  }
  ExpectRejected(BitFields(56, {0x7C00, 0x03E0, 0x001F, 0x8000}), DecodeFailure::BadHeader, {
      {"alpha over red", [](BmpFields& f) { f.masks[3] = 0xC000; }},
  });
  ExpectRejected(BitFields(40, {0xF800, 0x07E0, 0x001F}), DecodeFailure::BadHeader, {
      {"masks cut off", [](BmpFields& f) { f.masks.resize(1), f.pixels.clear(); }},
      {"four masks announced, three given", [](BmpFields& f) { f.compression = kAlphaBitFields; }},
      {"Huffman in the OS/2 header", [](BmpFields& f) { f.headerSize = 64; }},
  });
}

TEST(BmpRejection, PaletteAndPixelOffsetMustBeConsistent) {
  ExpectRejected(Indexed(), DecodeFailure::BadHeader, {
      {"more colours than 8 bits hold", [](BmpFields& f) { f.colorsUsed = 257; }},
      {"palette shorter than 2^bits", [](BmpFields& f) { f.colorsUsed = 0; }},
      {"more colours than 1 bit holds",
       [](BmpFields& f) { f.bitCount = 1, f.colorsUsed = 3, f.palette.push_back(kTeal); }},
      {"pixels at the end of the file", [](BmpFields& f) { f.pixelOffset = 14 + 40 + 8 + 8; }},
      {"pixels beyond the file", [](BmpFields& f) { f.pixelOffset = 0xFFFFFFF0; }},
  });
  // Files whose every byte is a valid pixel, so that only the offset tells that the tables overlap the pixels.
  BmpFields twoColours{.width = 2, .height = 2, .bitCount = 1, .palette = {kTeal, kOchre},
                       .pixels = PaddedRows({{0x40}, {0x80}})};
  ExpectRejected(twoColours, DecodeFailure::BadHeader, {{"pixels inside the palette", [](BmpFields& f) { f.pixelOffset = 14 + 40 + 4; }}});
  ExpectRejected(TrueColour(), DecodeFailure::BadHeader, {{"pixels inside the header", [](BmpFields& f) { f.pixelOffset = 14 + 36; }}});
}

TEST(BmpRejection, RowsMustBeCompleteIncludingTheLastRowsPaddingAndIndexOnlyTheColoursUsed) {
  ExpectRejected(TrueColour(), DecodeFailure::BadData, {{"one byte short", [](BmpFields& f) { f.pixels.pop_back(); }}});
  ExpectRejected(Indexed(), DecodeFailure::BadData, {
      {"one row short", [](BmpFields& f) { f.pixels.resize(4); }},
      {"an index beyond the colours used", [](BmpFields& f) { f.pixels[1] = 2; }},
  });
}

TEST(BmpRejection, HugeOrOverflowingSizesAreRefused) {
  const std::vector<std::pair<int32_t, int32_t>> sizes = {
      {65500, 65500}, {65500, -65500}, {INT32_MAX, 1}, {1, INT32_MAX}, {INT32_MAX, INT32_MIN + 1}};
  for (const auto& [width, height] : sizes) {
    for (uint32_t compression : {0u, kRle8}) {
      BmpFields fields = Indexed();
      fields.width = width, fields.height = height, fields.compression = compression;
      EXPECT_FALSE(DecodeBuilt(fields)) << width << " x " << height << ", compression " << compression;
    }
  }
  BmpFields core{.headerSize = 12, .width = 65535, .height = 65535, .bitCount = 24, .pixels = {0, 0, 0, 0}};
  EXPECT_FALSE(DecodeBuilt(core));
}

// Mangled files must be refused or decode sanely, and never crash (run these under AddressSanitizer to see bad
// reads).
void ExpectSaneDecode(std::span<const uint8_t> file) { ASSERT_TRUE(DecodesSanely(file)); }

struct SampleFile {
  std::vector<uint8_t> bytes;
  bool rle = false;
};

// A consistent RLE file may claim a picture up to the limit, which takes long to clear, so fuzzing leaves the
// high bytes of its width and height alone; the low bytes still give it pictures of any shape up to 65535.
bool MayMangle(const SampleFile& file, size_t at) {
  const bool highSizeByte = at == 20 || at == 21 || at == 24 || at == 25;  // width at 18, height at 22
  return !file.rle || !highSizeByte;
}

std::vector<SampleFile> SampleFiles() {
  BmpFields oneBit{.width = 9, .height = 3, .bitCount = 1, .palette = {kTeal, kOchre},
                   .pixels = PaddedRows({{0xA5, 0x80}, {0xFF, 0x00}, {0x0F, 0x80}})};
  BmpFields fourBit{.headerSize = 12, .width = 3, .height = 2, .bitCount = 4,
                    .palette = std::vector<Rgb>(16, kTeal), .pixels = PaddedRows({{0x12, 0x30}, {0xFE, 0xD0}})};
  BmpFields v5 = BitFields(124, {0xF800, 0x07E0, 0x001F});
  v5.height = -1;
  BmpFields rgb32{.width = 2, .height = 2, .bitCount = 32, .pixels = std::vector<uint8_t>(16, 0x7F)};
  BmpFields rle8{.width = 6, .height = 3, .bitCount = 8, .compression = kRle8, .colorsUsed = 2,
                 .palette = {kTeal, kOchre},
                 .pixels = {0x03, 0x01, 0x00, 0x03, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x02, 0x01, 0x01,
                            0x02, 0x01, 0x00, 0x01}};
  BmpFields rle4 = rle8;
  rle4.bitCount = 4, rle4.compression = kRle4;
  rle4.pixels = {0x05, 0x01, 0x00, 0x00, 0x00, 0x05, 0x10, 0x10, 0x10, 0x00, 0x00, 0x02, 0x01, 0x00, 0x00, 0x01};
  std::vector<SampleFile> files;
  for (const BmpFields& fields : {TrueColour(), Indexed(), oneBit, fourBit, v5, rgb32, rle8, rle4})
    files.push_back({BuildBmp(fields), fields.compression == kRle8 || fields.compression == kRle4});
  return files;
}
// clang-format on

TEST(BmpRejection, EveryTruncationOfAnUncompressedFileIsRejected) {
  for (const auto& [file, rle] : SampleFiles()) {
    ASSERT_TRUE(DecodeBmp(file));
    for (size_t length = 0; length < file.size(); ++length) {
      const std::span<const uint8_t> prefix(file.data(), length);
      if (rle) ExpectSaneDecode(prefix);
      else EXPECT_FALSE(DecodeBmp(prefix)) << "length " << length;
    }
  }
}

TEST(BmpRejection, FlippedBytesNeverCrash) {
  for (SampleFile sample : SampleFiles()) {
    std::vector<uint8_t>& file = sample.bytes;
    ASSERT_TRUE(DecodeBmp(file));
    for (size_t at = 0; at < file.size(); ++at) {
      if (!MayMangle(sample, at)) continue;
      for (uint8_t flip : {0x01, 0x02, 0x10, 0x80, 0xFF}) {
        file[at] ^= flip;
        ExpectSaneDecode(file);
        file[at] ^= flip;
      }
    }
  }
}

TEST(BmpRejection, RandomlyMangledFilesNeverCrash) {
  std::mt19937 random(20240611);
  for (const SampleFile& sample : SampleFiles()) {
    for (int round = 0; round < 1000; ++round) {
      std::vector<uint8_t> file = sample.bytes;
      const int changes = 1 + static_cast<int>(random() % 4);
      for (int i = 0; i < changes; ++i) {
        const size_t at = random() % file.size();
        if (MayMangle(sample, at)) file[at] = static_cast<uint8_t>(random());
      }
      file.resize(file.size() - random() % 3);
      ExpectSaneDecode(file);
    }
  }
}

}  // namespace
}  // namespace lumora
