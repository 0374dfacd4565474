// A photo stored sideways with an Exif orientation shows upright under Wine, exactly as the core's compositor
// renders it.
#include <gtest/gtest.h>

#include <functional>

#include "SaverRun.h"
#include "support/JpegEncoder.h"

namespace lumora::e2e {
namespace {

using namespace std::chrono_literals;

constexpr Rgb kRed{200, 0, 0}, kBlue{0, 0, 200};

// Stored 400 x 200, red on the left and blue on the right, tagged as turned clockwise: upright 200 x 400, red on
// top.
std::vector<uint8_t> TurnedPhoto() {
  lumora::SampleImage image{400, 200, lumora::SampleLayout::Rgb, {}};
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 400; ++x) {
      const Rgb colour = x < 200 ? kRed : kBlue;
      image.samples.insert(image.samples.end(), {colour.r, colour.g, colour.b});
    }
  return lumora::EncodeJpeg(image, {.fullChroma = true, .app1 = lumora::ExifWithOrientation(6)});
}

// The saver's screen after the first tick, against the core's frame, which is checked to be upright first.
void ExpectShown(const std::string& options, const std::function<void(const Image&)>& expectUpright) {
  ShowFiles files;
  const std::string photo = files.AddFile("turned.jpg", TurnedPhoto());
  const std::string settings = SettingsFileText("Sound=0\r\nTime=8\r\n" + options, SlotValues{{1, photo}});
  WriteWindowsFile("lumora.ini", settings);
  const Image expected = ExpectedFrame(settings, files, 1);
  expectUpright(expected);
  RunningSaver saver;
  const Image shot = WaitForScreen(expected, 10s);
  EXPECT_EQ(CountDifferences(shot, shot.Bounds(), expected), 0);
}

TEST(Orientation, TurnedPhotoFillsTheScreenUprightWhenStretched) {
  ExpectShown("Picdis=1\r\n", [](const Image& frame) {
    EXPECT_TRUE(Near(frame.At(frame.Width() / 2, frame.Height() / 4), kRed, 12));
    EXPECT_TRUE(Near(frame.At(frame.Width() / 2, frame.Height() * 3 / 4), kBlue, 12));
  });
}

TEST(Orientation, TurnedPhotoIsCentredByItsUprightSizeAtNaturalSize) {
  ExpectShown("Picdis=2\r\nColor=4\r\n", [](const Image& frame) {
    const int middleX = frame.Width() / 2, middleY = frame.Height() / 2;
    EXPECT_TRUE(Near(frame.At(middleX - 90, middleY - 190), kRed, 12));
    EXPECT_TRUE(Near(frame.At(middleX + 90, middleY + 190), kBlue, 12));
    EXPECT_FALSE(Near(frame.At(middleX - 150, middleY - 50), kRed, 60)) << "outside the upright 200 columns";
  });
}

}  // namespace
}  // namespace lumora::e2e
