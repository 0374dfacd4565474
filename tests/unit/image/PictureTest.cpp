#include <gtest/gtest.h>

#include <stdexcept>

#include "image/Stretch.h"
#include "support/PictureFiles.h"

namespace lumora {
namespace {

using lumora::MakePicture;

Rgb Grey(int value) {
  return Rgb{static_cast<uint8_t>(value), static_cast<uint8_t>(value), static_cast<uint8_t>(value)};
}

// A picture whose pixel (x, y) has red x and green y, so every sample tells where it came from.
Picture Coordinates(int width, int height) {
  return MakePicture(width, height, [](int x, int y) {
    return Rgb{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 0};
  });
}

TEST(StretchedPart, TakesThePixelUnderEachCentre) {
  const Picture source = Coordinates(4, 2);
  const Picture doubled = StretchedPart(source, 8, 4, PixelRect{0, 0, 8, 4});
  for (int x = 0; x < 8; ++x) EXPECT_EQ(doubled.PixelAt(x, 3).r, x / 2);
  const Picture halved = StretchedPart(source, 2, 1, PixelRect{0, 0, 2, 1});
  EXPECT_EQ(halved.PixelAt(0, 0), (Rgb{1, 1, 0}));
  EXPECT_EQ(halved.PixelAt(1, 0), (Rgb{3, 1, 0}));
  const Picture thirds = StretchedPart(Coordinates(10, 1), 3, 1, PixelRect{0, 0, 3, 1});
  EXPECT_EQ(thirds.PixelAt(0, 0).r, 1);  // centres at 1.67, 5, 8.33 of ten columns
  EXPECT_EQ(thirds.PixelAt(1, 0).r, 5);
  EXPECT_EQ(thirds.PixelAt(2, 0).r, 8);
}

TEST(StretchedPart, APartIsTheSameAsTheWholeCut) {
  const Picture source = Coordinates(37, 23);
  const Picture whole = StretchedPart(source, 301, 199, PixelRect{0, 0, 301, 199});
  const Picture part = StretchedPart(source, 301, 199, PixelRect{100, 50, 180, 120});
  ASSERT_EQ(part.Width(), 80);
  ASSERT_EQ(part.Height(), 70);
  for (int y = 0; y < 70; ++y)
    for (int x = 0; x < 80; ++x) ASSERT_EQ(part.PixelAt(x, y), whole.PixelAt(100 + x, 50 + y));
}

TEST(StretchedPart, PalettePicturesComeOutAs24Bit) {
  PictureData data = AllocatePicture(2, 1, 8);
  data.palette = {Grey(10), Grey(200)};
  data.Row(0)[0] = 1;
  data.Row(0)[1] = 0;
  const Picture stretched = StretchedPart(Picture(std::move(data)), 4, 1, PixelRect{0, 0, 4, 1});
  EXPECT_EQ(stretched.BitCount(), 24);
  EXPECT_EQ(stretched.PixelAt(1, 0), Grey(200));
  EXPECT_EQ(stretched.PixelAt(2, 0), Grey(10));
}

TEST(CroppedPart, CopiesTheRectangleUnscaled) {
  const Picture part = CroppedPart(Coordinates(50, 40), PixelRect{10, 20, 15, 22});
  ASSERT_EQ(part.Width(), 5);
  EXPECT_EQ(part.PixelAt(0, 0), (Rgb{10, 20, 0}));
  EXPECT_EQ(part.PixelAt(4, 1), (Rgb{14, 21, 0}));
}

TEST(PictureLimit, RefusesPicturesBeyondTheLimitBeforeAllocating) {
  EXPECT_TRUE(FitsPictureLimit(6000, 4000, 24));
  EXPECT_FALSE(FitsPictureLimit(65500, 65500, 24));
  EXPECT_FALSE(FitsPictureLimit(0, 10, 24));
  EXPECT_FALSE(FitsPictureLimit(10, -1, 24));
  EXPECT_THROW(AllocatePicture(65500, 65500, 24), std::length_error);
}

// Stands in for a JPEG file: pixel (x, y) of the picture at eighths/8 has red x and green y; asked parts are
// counted. A source that fails throws as the JPEG source does.
class CoordinateSource : public PictureSource {
 public:
  explicit CoordinateSource(bool fails = false) : fails_(fails) {}
  PictureData DecodePart(const PixelNeed& need, DecodeWatch*) const override {
    if (fails_) throw std::runtime_error("decoding JPEG rows: corrupt data");
    asked.push_back(need);
    PictureData data = AllocatePicture(need.Width(), need.Height(), 24);
    for (int y = 0; y < need.Height(); ++y)
      for (int x = 0; x < need.Width(); ++x) {
        uint8_t* pixel = data.Row(y) + x * 3;
        pixel[0] = 0;
        pixel[1] = static_cast<uint8_t>(need.rows.empty() ? need.region.top + y : need.rows[y]);
        pixel[2] = static_cast<uint8_t>(need.columns.empty() ? need.region.left + x : need.columns[x]);
      }
    return data;
  }
  mutable std::vector<PixelNeed> asked;

 private:
  bool fails_;
};

struct ScaleRow {
  int naturalWidth, naturalHeight, drawnWidth, drawnHeight, eighths;
};

TEST(StretchScale, SmallestOfAnEighthAQuarterAHalfAndWholeThatStillCoversTheDrawnSize) {
  for (const ScaleRow& row :
       {ScaleRow{6000, 4000, 1920, 1080, 4}, ScaleRow{6000, 4000, 1024, 768, 2}, ScaleRow{6000, 4000, 512, 384, 1},
        ScaleRow{16000, 12000, 1920, 1080, 1}, ScaleRow{6000, 4000, 3001, 10, 8}, ScaleRow{300, 200, 1024, 768, 8},
        ScaleRow{4000, 6000, 1024, 768, 4}, ScaleRow{65500, 65500, 1920, 1080, 1}}) {
    const Picture encoded(row.naturalWidth, row.naturalHeight, std::make_shared<CoordinateSource>());
    EXPECT_EQ(StretchScale(encoded, row.drawnWidth, row.drawnHeight), row.eighths)
        << row.naturalWidth << "x" << row.naturalHeight << " drawn " << row.drawnWidth << "x" << row.drawnHeight;
  }
  EXPECT_EQ(StretchScale(Coordinates(600, 400), 100, 100), 8) << "a picture held whole is sampled as it is";
}

TEST(StretchedPart, AnEncodedPictureDecodesOnlyTheScaledRegionItSamples) {
  const auto source = std::make_shared<CoordinateSource>();
  const Picture encoded(2000, 1600, source);
  const Picture part = StretchedPart(encoded, 200, 160, PixelRect{100, 80, 200, 160});
  ASSERT_EQ(source->asked.size(), 1u);
  EXPECT_EQ(source->asked[0].eighths, 1);  // 250 x 200 covers 200 x 160
  EXPECT_EQ(source->asked[0].region, (PixelRect{125, 100, 250, 200}));
  EXPECT_EQ(source->asked[0].rows.size(), 80u) << "of 100: only the rows and columns sampled are decoded";
  EXPECT_EQ(source->asked[0].columns.size(), 100u) << "of 125";
  EXPECT_EQ(part.PixelAt(0, 0), (Rgb{125, 100, 0}));
  const Picture tiny = StretchedPart(encoded, 20, 16, PixelRect{0, 0, 20, 16});
  EXPECT_EQ(source->asked[1].rows.size(), 16u);
  EXPECT_EQ(tiny.PixelAt(0, 15).g, source->asked[1].rows.back());
  StretchedPart(Picture(100, 80, source), 300, 240, PixelRect{0, 0, 300, 240});
  EXPECT_TRUE(source->asked[2].rows.empty() && source->asked[2].columns.empty()) << "enlarged: every one sampled";
}

TEST(SettledPart, DrawsExactlyAsTheEncodedPictureWithoutDecodingAgain) {
  const auto source = std::make_shared<CoordinateSource>();
  const Picture encoded(1800, 1200, source);
  const PixelNeed need = StretchNeed(encoded, 400, 300, PixelRect{0, 0, 400, 300});
  const Picture settled = encoded.Part(need);
  EXPECT_EQ(settled.Width(), 1800) << "geometry keeps the natural size";
  EXPECT_EQ(settled.HeldPixels().Width(), 400) << "of 450 columns at a quarter size, those drawn";
  const PixelRect visible{0, 0, 400, 300};
  const Picture fromEncoded = StretchedPart(encoded, 400, 300, visible);
  const size_t decodes = source->asked.size();
  const Picture fromSettled = StretchedPart(settled, 400, 300, visible);
  EXPECT_EQ(source->asked.size(), decodes);
  EXPECT_EQ(fromSettled.Identity(), settled.Identity()) << "what is drawn is what is held, not a copy";
  for (int y = 0; y < 300; y += 7)
    for (int x = 0; x < 400; x += 7) ASSERT_EQ(fromSettled.PixelAt(x, y), fromEncoded.PixelAt(x, y));
  EXPECT_THROW(settled.Part(8, PixelRect{0, 0, 1, 1}), std::runtime_error) << "no source kept to decode more";
  EXPECT_EQ(source->asked.size(), decodes);
}

TEST(StretchedPart, APictureWhoseDataFailsWhenDrawnShowsThePlaceholderInItsPlace) {
  const Picture broken(600, 400, std::make_shared<CoordinateSource>(true));
  const Picture stretched = StretchedPart(broken, 72, 65, PixelRect{0, 0, 72, 65});
  EXPECT_EQ(stretched.PixelAt(0, 0), (Rgb{255, 255, 255})) << "BAD PIC! is black on white";
  const Picture cropped = CroppedPart(broken, PixelRect{0, 0, 10, 10});
  EXPECT_EQ(cropped.Width(), 10);
  EXPECT_THROW(broken.Part(8, PixelRect{0, 0, 1, 1}), std::runtime_error);
}

}  // namespace
}  // namespace lumora
