#include <gtest/gtest.h>

#include "samples/PictureFiles.h"
#include "image/Stretch.h"

namespace lumora {
namespace {

using lumora::MakePicture;

Rgb Grey(int value) { return Rgb{static_cast<uint8_t>(value), static_cast<uint8_t>(value), static_cast<uint8_t>(value)}; }

// A picture whose pixel (x, y) has red x and green y, so every sample tells where it came from.
Picture Coordinates(int width, int height) {
  return MakePicture(width, height, [](int x, int y) { return Rgb{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 0}; });
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

TEST(PictureBuffers, ALargeReleasedBufferServesTheNextPictureOfSimilarSize) {
  const void* first;
  {
    PictureData data = AllocatePicture(1000, 1000, 24);
    first = data.bits.get();
    Picture picture(std::move(data));
    Picture copy = picture;  // copies share pixels; the buffer goes back only when the last one goes
  }
  PictureData again = AllocatePicture(999, 1000, 24);
  EXPECT_EQ(again.bits.get(), first);
  PictureData other = AllocatePicture(1000, 1000, 24);
  EXPECT_NE(other.bits.get(), first);
}

TEST(PictureBuffers, AMuchLargerBufferIsNotUsedForASmallPicture) {
  { Picture large(AllocatePicture(3000, 1000, 24)); }
  const PictureData small = AllocatePicture(600, 600, 24);
  EXPECT_EQ(small.capacity, small.stride * 600);
}

}  // namespace
}  // namespace lumora
