#include <gtest/gtest.h>

#include "support/JpegEncoder.h"
#include "support/ShowFixture.h"

namespace lumora {
namespace {

using test::ContentBounds;
using test::ShowFixture;

constexpr Rgb kRed{200, 0, 0}, kBlue{0, 0, 200};

// Stored 40 x 20, red on the left half and blue on the right, tagged as turned clockwise: upright it is 20 x 40,
// red on top.
std::vector<uint8_t> TurnedJpeg() {
  SampleImage image{40, 20, SampleLayout::Rgb, {}};
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      const Rgb colour = x < 20 ? kRed : kBlue;
      image.samples.insert(image.samples.end(), {colour.r, colour.g, colour.b});
    }
  return EncodeJpeg(image, {.fullChroma = true, .storeAsRgb = true, .app1 = ExifWithOrientation(6)});
}

bool Near(Rgb actual, Rgb expected) {
  return std::abs(actual.r - expected.r) <= 8 && std::abs(actual.g - expected.g) <= 8 &&
         std::abs(actual.b - expected.b) <= 8;
}

TEST(OnTick, NaturalSizeCentresATurnedPhotoByItsUprightSize) {
  ShowFixture show;
  show.files.Add("C:\\PICS\\turned.jpg", TurnedJpeg());
  show.pictures[1] = "C:\\PICS\\turned.jpg";
  show.Start("Picdis=2\r\nColor=4\r\n");
  show.Ticks(1);
  // At (1024 - 20) / 2, (768 - 40) / 2.
  EXPECT_EQ(show.saverShow.View().mainPicture.Bounds(), (PixelRect{502, 364, 522, 404}));
  const Picture frame = show.stage.Render();
  EXPECT_EQ(ContentBounds(frame, Rgb{0, 0, 0}), (PixelRect{502, 364, 522, 404}));
  EXPECT_TRUE(Near(frame.PixelAt(512, 369), kRed));
  EXPECT_TRUE(Near(frame.PixelAt(512, 399), kBlue));
}

}  // namespace
}  // namespace lumora
