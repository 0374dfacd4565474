#include "image/DecodeWatch.h"
#include "image/JpegDecoder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>

#include "image/Stretch.h"
#include "support/JpegEncoder.h"

namespace lumora {
namespace {

using lumora::EncodeJpeg;
using lumora::JpegOptions;
using lumora::SampleImage;
using lumora::SampleLayout;
using lumora::ScanScript;

const Rgb kRed{220, 30, 40}, kGreen{30, 200, 60}, kBlue{40, 50, 210}, kOchre{200, 150, 40};
// Lossy coding moves the colour of a flat block by a few steps at most.
constexpr int kJpegTolerance = 8;

SampleImage RgbImage(int width, int height, const std::function<Rgb(int x, int y)>& colourAt) {
  SampleImage image{width, height, SampleLayout::Rgb, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      Rgb colour = colourAt(x, y);
      image.samples.insert(image.samples.end(), {colour.r, colour.g, colour.b});
    }
  }
  return image;
}

// Four blocks, each a whole number of 16-pixel coding units, so no block bleeds into its neighbours' centres.
SampleImage Quadrants(int width, int height, Rgb topLeft, Rgb topRight, Rgb bottomLeft, Rgb bottomRight) {
  return RgbImage(width, height, [=](int x, int y) {
    bool right = x >= width / 2, bottom = y >= height / 2;
    return bottom ? (right ? bottomRight : bottomLeft) : (right ? topRight : topLeft);
  });
}

std::string Describe(Rgb c) {
  return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
}

testing::AssertionResult ColourNear(Rgb actual, Rgb expected, int tolerance) {
  if (std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
      std::abs(actual.b - expected.b) <= tolerance)
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << Describe(actual) << " is not within " << tolerance << " of "
                                     << Describe(expected);
}

// The mean colour of a region, which dithering and JPEG noise leave close to the colour it stands for.
Rgb MeanColour(const Picture& picture, int left, int top, int width, int height) {
  long r = 0, g = 0, b = 0, count = static_cast<long>(width) * height;
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) {
      Rgb c = picture.PixelAt(x, y);
      r += c.r, g += c.g, b += c.b;
    }
  }
  return Rgb{static_cast<uint8_t>(r / count), static_cast<uint8_t>(g / count), static_cast<uint8_t>(b / count)};
}

void ExpectQuadrants(const Picture& picture, Rgb topLeft, Rgb topRight, Rgb bottomLeft, Rgb bottomRight,
                     int tolerance) {
  int w = picture.Width(), h = picture.Height();
  EXPECT_TRUE(ColourNear(MeanColour(picture, w / 8, h / 8, w / 4, h / 4), topLeft, tolerance));
  EXPECT_TRUE(ColourNear(MeanColour(picture, w * 5 / 8, h / 8, w / 4, h / 4), topRight, tolerance));
  EXPECT_TRUE(ColourNear(MeanColour(picture, w / 8, h * 5 / 8, w / 4, h / 4), bottomLeft, tolerance));
  EXPECT_TRUE(ColourNear(MeanColour(picture, w * 5 / 8, h * 5 / 8, w / 4, h / 4), bottomRight, tolerance));
}

// The whole picture at natural size as the saver gets it: opened from its header, then decoded when drawn.
std::optional<Picture> Decoded(std::vector<uint8_t> file, JpegColours colours) {
  const DecodeResult opened = OpenJpeg(std::move(file), colours);
  if (!opened) return std::nullopt;
  try {
    return opened->Part(8, PixelRect{0, 0, opened->Width(), opened->Height()});
  } catch (const std::runtime_error&) { return std::nullopt; }
}

// Deterministic grain, so that the coded data outweighs the headers.
uint8_t Grain(int x, int y, uint8_t base) {
  unsigned hash = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u;
  hash = (hash ^ (hash >> 13)) * 1274126177u;
  int value = base + static_cast<int>(hash >> 27) - 16;
  return static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
}

TEST(JpegDecoder, DecodesAtFullSizeWithTheColoursOfEachBlock) {
  for (bool storedAsRgb : {false, true}) {
    SCOPED_TRACE(storedAsRgb ? "stored as RGB" : "stored as YCbCr");
    SampleImage image = Quadrants(64, 48, kRed, kGreen, kBlue, kOchre);
    const std::optional<Picture> picture =
        Decoded(EncodeJpeg(image, {.storeAsRgb = storedAsRgb}), JpegColours::Full24Bit);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width(), 64);
    EXPECT_EQ(picture->Height(), 48);
    EXPECT_EQ(picture->BitCount(), 24);
    EXPECT_EQ(picture->Stride(), RowStride(64, 24));
    ExpectQuadrants(*picture, kRed, kGreen, kBlue, kOchre, kJpegTolerance);
  }
}

TEST(JpegDecoder, WritesRowsBlueGreenRedTopDownAtThePaddedStride) {
  // 37 pixels make 111 bytes, padded to 112: rows written 111 apart would move the red/blue edge on lower rows.
  SampleImage image = RgbImage(37, 40, [](int x, int y) { return y < 16 ? kOchre : x < 16 ? kRed : kBlue; });
  std::optional<Picture> picture = Decoded(EncodeJpeg(image, {.fullChroma = true}), JpegColours::Full24Bit);
  ASSERT_TRUE(picture);
  ASSERT_EQ(picture->Stride(), 112u);
  for (int y : {20, 39}) {
    SCOPED_TRACE("row " + std::to_string(y));
    const uint8_t* red = picture->Row(y) + 12 * 3;
    const uint8_t* blue = picture->Row(y) + 20 * 3;
    EXPECT_TRUE(ColourNear(Rgb{red[2], red[1], red[0]}, kRed, kJpegTolerance));
    EXPECT_TRUE(ColourNear(Rgb{blue[2], blue[1], blue[0]}, kBlue, kJpegTolerance));
  }
  const uint8_t* top = picture->Row(4) + 30 * 3;
  EXPECT_TRUE(ColourNear(Rgb{top[2], top[1], top[0]}, kOchre, kJpegTolerance));
}

// Grey growing by `step` a column.
SampleImage GreyRamp(int width, int height, int step) {
  SampleImage image{width, height, SampleLayout::Grayscale, {}};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.samples.push_back(static_cast<uint8_t>(x * step));
  return image;
}

TEST(JpegDecoder, GreyscaleDecodesToEqualChannels) {
  std::optional<Picture> picture = Decoded(EncodeJpeg(GreyRamp(64, 32, 4)), JpegColours::Full24Bit);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->BitCount(), 24);
  for (int x : {3, 20, 41, 60}) {
    Rgb pixel = picture->PixelAt(x, 17);
    EXPECT_EQ(pixel.r, pixel.g);
    EXPECT_EQ(pixel.g, pixel.b);
    EXPECT_NEAR(pixel.g, x * 4, kJpegTolerance) << "at x " << x;
  }
}

// Inks as Adobe stores them, inverted: 255 is no ink.
SampleImage InkQuadrants() {
  const uint8_t cyan[4] = {0, 255, 255, 255}, red[4] = {255, 0, 0, 255};
  const uint8_t halfBlack[4] = {255, 255, 255, 128}, none[4] = {255, 255, 255, 255};
  SampleImage image{32, 32, SampleLayout::InvertedCmyk, {}};
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const uint8_t* inks = y < 16 ? (x < 16 ? cyan : red) : (x < 16 ? halfBlack : none);
      image.samples.insert(image.samples.end(), inks, inks + 4);
    }
  }
  return image;
}

const Rgb kCyan{0, 255, 255}, kPureRed{255, 0, 0}, kMidGrey{128, 128, 128}, kWhite{255, 255, 255};

TEST(JpegDecoder, CmykAndYcckShowTheColoursTheirInksMake) {
  for (bool ycck : {false, true}) {
    SCOPED_TRACE(ycck ? "YCCK" : "CMYK");
    std::optional<Picture> picture = Decoded(EncodeJpeg(InkQuadrants(), {.storeAsYcck = ycck}), JpegColours::Full24Bit);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->BitCount(), 24);
    ExpectQuadrants(*picture, kCyan, kPureRed, kMidGrey, kWhite, kJpegTolerance);
  }
}

TEST(JpegDecoder, ProgressiveFileDecodesLikeASequentialOne) {
  std::vector<uint8_t> file =
      EncodeJpeg(Quadrants(48, 64, kOchre, kBlue, kGreen, kRed), {.scans = ScanScript::Progressive});
  ASSERT_GT(lumora::CountScans(file), 1);
  std::optional<Picture> picture = Decoded(file, JpegColours::Full24Bit);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Width(), 48);
  EXPECT_EQ(picture->Height(), 64);
  ExpectQuadrants(*picture, kOchre, kBlue, kGreen, kRed, kJpegTolerance);
}

// Red across, green down: 90 x 90 distinct colours, far more than a palette holds.
SampleImage ColourRamp() {
  return RgbImage(90, 90, [](int x, int y) {
    return Rgb{static_cast<uint8_t>(x * 255 / 89), static_cast<uint8_t>(y * 255 / 89), 100};
  });
}

// A square of the picture and the mean colour expected there.
struct Region {
  int left, top, size;
  Rgb colour;
};

// On a display of 256 colours a picture comes with a palette of at most 236, close to the source's colours.
TEST(JpegDecoder, QuantisedPictureHasAtMost236ColoursCloseToTheSource) {
  const struct {
    const char* what;
    SampleImage image;
    bool greyPalette;
    std::vector<Region> regions;
    int tolerance;
  } rows[] = {
      {"colour",
       ColourRamp(),
       false,
       {{5, 5, 5, {20, 20, 100}},
        {65, 25, 5, {191, 77, 100}},
        {25, 65, 5, {77, 191, 100}},
        {65, 65, 5, {191, 191, 100}}},
       12},
      {"greyscale",
       GreyRamp(50, 20, 5),
       true,
       {{4, 10, 1, {20, 20, 20}}, {25, 10, 1, {125, 125, 125}}, {46, 10, 1, {230, 230, 230}}},
       kJpegTolerance},
      {"CMYK",
       InkQuadrants(),
       false,
       {{4, 4, 8, kCyan}, {20, 4, 8, kPureRed}, {4, 20, 8, kMidGrey}, {20, 20, 8, kWhite}},
       12},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const std::optional<Picture> picture = Decoded(EncodeJpeg(row.image), JpegColours::Quantised236);
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->Width(), row.image.width);
    EXPECT_EQ(picture->BitCount(), 8);
    EXPECT_EQ(picture->Stride(), RowStride(picture->Width(), 8));
    EXPECT_GT(picture->Palette().size(), 1u);
    EXPECT_LE(picture->Palette().size(), 236u);
    std::set<uint8_t> used;
    for (int y = 0; y < picture->Height(); ++y)
      for (int x = 0; x < picture->Width(); ++x) used.insert(picture->Row(y)[x]);
    EXPECT_LT(*used.rbegin(), picture->Palette().size());
    for (Rgb entry : picture->Palette())
      EXPECT_TRUE(!row.greyPalette || (entry.r == entry.g && entry.g == entry.b)) << Describe(entry);
    for (const Region& at : row.regions)
      EXPECT_TRUE(ColourNear(MeanColour(*picture, at.left, at.top, at.size, at.size), at.colour, row.tolerance))
          << "at " << at.left << ", " << at.top;
  }
}

std::vector<uint8_t> WithFrameSize(std::vector<uint8_t> file, int width, int height) {
  EXPECT_TRUE(lumora::PatchFrameSize(file, width, height));
  return file;
}

TEST(JpegDecoder, FilesItCannotDecodeGiveNothing) {
  const std::vector<uint8_t> valid = EncodeJpeg(Quadrants(32, 32, kRed, kGreen, kBlue, kOchre));
  ASSERT_TRUE(Decoded(valid, JpegColours::Full24Bit));
  std::vector<uint8_t> noStartOfImage = valid;
  noStartOfImage[1] = 0x00;
  const std::vector<uint8_t> thousandsOfScans =
      EncodeJpeg(Quadrants(16, 16, kRed, kGreen, kBlue, kOchre), {.scans = ScanScript::EveryBitAlone});
  ASSERT_GT(lumora::CountScans(thousandsOfScans), 2000);
  const std::pair<const char*, std::vector<uint8_t>> files[] = {
      {"no bytes", {}},
      {"a bitmap's signature", {'B', 'M', 0, 0, 0, 0}},
      {"a start of image alone", {0xFF, 0xD8}},
      {"start and end of image", {0xFF, 0xD8, 0xFF, 0xD9}},
      {"4 KB of one byte", std::vector<uint8_t>(4096, 0x5A)},
      {"a frame of width 0", WithFrameSize(valid, 0, 32)},
      {"the first 100 bytes", std::vector<uint8_t>(valid.begin(), valid.begin() + 100)},
      {"no start of image", noStartOfImage},
      {"a progressive file of thousands of scans", thousandsOfScans},
      {"a frame beyond the picture size limit, whole", WithFrameSize(valid, 65500, 65500)},
  };
  for (const auto& [what, file] : files) {
    SCOPED_TRACE(what);
    EXPECT_FALSE(Decoded(file, JpegColours::Full24Bit));
    EXPECT_FALSE(Decoded(file, JpegColours::Quantised236));
  }
}

TEST(JpegDecoder, TruncatedFileStillGivesThePictureDecodedSoFar) {
  SampleImage image = RgbImage(64, 128, [](int x, int y) {
    return y < 64 ? Rgb{Grain(x, y, 200), Grain(y, x, 40), 40} : Rgb{40, Grain(x, y, 40), Grain(y, x, 200)};
  });
  for (ScanScript scans : {ScanScript::Sequential, ScanScript::Progressive}) {
    SCOPED_TRACE(scans == ScanScript::Sequential ? "sequential" : "progressive");
    std::vector<uint8_t> file = EncodeJpeg(image, {.scans = scans});
    file.resize(file.size() * 7 / 10);
    std::optional<Picture> picture = Decoded(file, JpegColours::Full24Bit);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width(), 64);
    EXPECT_EQ(picture->Height(), 128);
    EXPECT_TRUE(ColourNear(MeanColour(*picture, 0, 0, 64, 32), Rgb{200, 40, 40}, kJpegTolerance));
  }
}

TEST(JpegDecoder, FrameTooLargeForThePictureLimitOpensToBeDrawnSmaller) {
  std::vector<uint8_t> file = EncodeJpeg(Quadrants(32, 32, kRed, kGreen, kBlue, kOchre));
  ASSERT_TRUE(lumora::PatchFrameSize(file, 65500, 65500));
  const DecodeResult opened = OpenJpeg(file, JpegColours::Full24Bit);
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->Width(), 65500);
  try {
    opened->Part(8, PixelRect{0, 0, 65500, 65500});
    ADD_FAILURE() << "decoded whole";
  } catch (const std::runtime_error& error) { EXPECT_STREQ(error.what(), "pixels beyond the picture size limit"); }
  EXPECT_NO_THROW(opened->Part(1, PixelRect{0, 0, 100, 100})) << "the data ends early: decoded as far as it goes";
}

// Parts decoded on their own (cropped columns, skipped rows, a reduced scale) hold exactly the pixels of the
// whole picture decoded at that scale, also at the edges of the part where 4:2:0 colour is smoothed.
TEST(JpegDecoder, APartDecodedAloneEqualsTheSameRegionOfTheWhole) {
  const SampleImage image = RgbImage(203, 141, [](int x, int y) { return Rgb{Grain(x, y, 120), Grain(y, x, 90), 60}; });
  for (bool progressive : {false, true}) {
    const std::vector<uint8_t> file =
        EncodeJpeg(image, {.scans = progressive ? ScanScript::Progressive : ScanScript::Sequential});
    const DecodeResult opened = OpenJpeg(file, JpegColours::Full24Bit);
    ASSERT_TRUE(opened);
    for (int eighths : {8, 4, 2, 1}) {
      const PixelRect whole{0, 0, ScaledSize(203, eighths), ScaledSize(141, eighths)};
      const Picture all = opened->Part(eighths, whole);
      for (PixelRect region :
           {PixelRect{0, 0, 5, 5}, PixelRect{17, 33, 90, 97}, PixelRect{1, 1, 200, 140}, PixelRect{40, 8, 41, 9}}) {
        region = Intersect(region, whole);
        if (region.Empty()) continue;
        const Picture part = opened->Part(eighths, region);
        for (int y = region.top; y < region.bottom; ++y)
          for (int x = region.left; x < region.right; ++x)
            ASSERT_EQ(part.PixelAt(x - region.left, y - region.top), all.PixelAt(x, y))
                << eighths << "/8, " << (progressive ? "progressive" : "sequential") << ", at " << x << "," << y;
        RowList every3rd;
        for (int y = region.top; y < region.bottom; y += 3) every3rd.push_back(y);
        const Picture rows = opened->Part(eighths, region, &every3rd);
        for (int y : every3rd)
          for (int x = region.left; x < region.right; ++x)
            ASSERT_EQ(rows.ScaledRow(y)[(x - region.left) * 3], all.ScaledRow(y)[x * 3]) << "row " << y;
      }
    }
  }
}

// Found by fuzzing: a frame of 122 x 520 with four components sampled 2x2, 1x1, 1x4 and 2x4, and one empty scan
// of the first. Skipping rows in it once left libjpeg-turbo waiting forever for input; drawn small or cut at
// natural size, it now ends like any damaged file.
TEST(JpegDecoder, AFileOfSeveralScansWithOddSamplingIsDrawnWithoutHanging) {
  const std::vector<uint8_t> file{
      0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x43, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x6E, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63,
      0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63,
      0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x67, 0x94, 0x00, 0x00, 0xC0, 0x60, 0x00, 0x00, 0xFF, 0xC0, 0x00, 0x14,
      0x08, 0x02, 0x08, 0x00, 0x7A, 0x04, 0x01, 0x22, 0x00, 0x02, 0x11, 0x14, 0x14, 0x14, 0x01, 0x03, 0x24, 0x00, 0x04,
      0x22, 0x36, 0x51, 0x81, 0xE1, 0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x06, 0xFF, 0xD9};
  const DecodeResult opened = OpenJpeg(file, JpegColours::Full24Bit);
  ASSERT_TRUE(opened);
  ASSERT_EQ(opened->Width(), 122);
  ASSERT_EQ(opened->Height(), 520);
  const Picture stretched = StretchedPart(*opened, 64, 48, PixelRect{0, 0, 64, 48});
  EXPECT_EQ(stretched.Width(), 64);
  EXPECT_EQ(stretched.Height(), 48);
  EXPECT_EQ(CroppedPart(*opened, PixelRect{10, 400, 50, 450}).Height(), 50);
}

// An 11 KB file that repeats its first scan hundreds of times over a frame of 9400 x 9400: each repeat walks
// the whole frame again. The work bound stops it long before the scan count would.
TEST(JpegDecoder, ProgressiveFileAskingMoreWorkThanAnyPhotographIsStopped) {
  std::vector<uint8_t> file =
      EncodeJpeg(Quadrants(16, 16, kRed, kGreen, kBlue, kOchre), {.scans = ScanScript::Progressive});
  ASSERT_TRUE(lumora::RepeatFirstScan(file, 400));
  ASSERT_TRUE(lumora::PatchFrameSize(file, 9400, 9400));
  EXPECT_LT(file.size(), 16000u);
  const DecodeResult opened = OpenJpeg(file, JpegColours::Full24Bit);
  ASSERT_TRUE(opened);
  try {
    opened->Part(1, PixelRect{0, 0, 100, 100});
    ADD_FAILURE() << "decoded";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("more decoding work"), std::string::npos) << error.what();
  }
}

// The worker's decode is watched from the window's thread: a cancel stops it between rows, and the rows
// written so far come as a copy when asked for (only between rows), the rest in the colour given.
TEST(JpegDecoder, AWatchedDecodeStopsWhenCancelledAndCopiesTheRowsSoFar) {
  const std::vector<uint8_t> file = EncodeJpeg(Quadrants(64, 64, kRed, kGreen, kBlue, kOchre));
  const DecodeResult opened = OpenJpeg(file, JpegColours::Full24Bit);
  ASSERT_TRUE(opened);
  DecodeWatch cancelled;
  cancelled.Cancel();
  EXPECT_THROW(opened->Part(8, PixelRect{0, 0, 64, 64}, nullptr, &cancelled), std::runtime_error);

  PictureData target = AllocatePicture(2, 3, 24);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) PutBgr(target.Row(y) + x * 3, Rgb{10, 20, 30});
  DecodeWatch watch;
  watch.NoteRows(target, 1);
  EXPECT_EQ(watch.TakeRows(), nullptr) << "nothing is copied unasked";
  watch.RequestRows(Rgb{0, 0, 255});
  watch.NoteRows(target, 2);
  const std::unique_ptr<PictureData> copy = watch.TakeRows();
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(watch.RowsWritten(), 2);
  EXPECT_EQ(GetBgr(copy->Row(1) + 3), (Rgb{10, 20, 30}));
  EXPECT_EQ(GetBgr(copy->Row(2)), (Rgb{0, 0, 255}));
  EXPECT_EQ(watch.TakeRows(), nullptr) << "one copy per request";
}

// The window's thread asks for rows again right after the decode's thread has copied them for the request
// before: the two share only atomics (the ThreadSanitizer build sees any other access), and each copy is filled
// in the colour asked for. The turns are kept by a relaxed flag, which orders nothing for the sanitizer.
TEST(DecodeWatch, ARequestWhileRowsAreCopiedSharesOnlyAtomics) {
  constexpr Rgb kAsked{0, 0, 200}, kAskedLater{200, 0, 0};
  PictureData target = AllocatePicture(4, 4, 24);
  std::memset(target.bits.get(), 0, target.stride * 4);
  DecodeWatch watch;
  std::atomic<int> turn{0};
  const auto waitFor = [&turn](int wanted) {
    while (turn.load(std::memory_order_relaxed) != wanted) std::this_thread::yield();
  };
  std::thread decode([&] {
    for (int i = 0; i < 50; ++i) {
      waitFor(1);
      watch.NoteRows(target, 2);
      turn.store(2, std::memory_order_relaxed);
    }
  });
  for (int i = 0; i < 50; ++i) {
    watch.RequestRows(kAsked);
    turn.store(1, std::memory_order_relaxed);
    waitFor(2);
    watch.RequestRows(kAskedLater);
    const std::unique_ptr<PictureData> copy = watch.TakeRows();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(GetBgr(copy->Row(3)), kAsked);  // never written: the fill
  }
  decode.join();
}

}  // namespace
}  // namespace lumora
