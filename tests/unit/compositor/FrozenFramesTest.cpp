// The frame each display mode shows on the sample pictures, frozen as a digest: a change of any rule of the core
// (placement, stretch, colours, order) changes a digest here.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "samples/SamplePictures.h"
#include "support/PictureFiles.h"
#include "support/ShowFixture.h"

namespace lumora {
namespace {

// FNV-1a, 64 bits, over the frame's rows of blue, green and red bytes, without the rows' padding.
uint64_t Digest(const Picture& frame) {
  uint64_t hash = 14695981039346656037ull;
  for (int y = 0; y < frame.Height(); ++y) {
    const uint8_t* row = frame.Row(y);
    for (const uint8_t* byte = row; byte < row + 3 * frame.Width(); ++byte) hash = (hash ^ *byte) * 1099511628211ull;
  }
  return hash;
}

// To refresh after a deliberate change: run with LUMORA_FROZEN_FRAMES=DIR, look at DIR/mode-N.bmp, copy the digests.
TEST(FrozenFrames, EachDisplayModeOnTheSamplesAfterThreeTicks) {
  const uint64_t frozen[] = {0xd2c2b9ec4452b14d, 0xcb6165bd76435801, 0x40173ce3b30678d1, 0xdff7208b869554b4,
                             0xf251f0a2eedcf1a6, 0x1b46f25c92ccf7af, 0x57140091a915088a};
  std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
  for (const samples::SamplePicture& sample : samples::MakeSamplePictures())
    files.emplace_back("C:\\SAMPLES\\" + sample.fileName, sample.format == samples::SampleFormat::Jpeg
                                                              ? JpegFileOf(sample.picture)
                                                              : BmpFileOf(sample.picture));
  for (int mode = 1; mode <= 7; ++mode) {
    test::ShowFixture show(1024, 768);
    for (const auto& [path, bytes] : files) {
      show.files.Add(path, bytes);
      show.pictures[static_cast<int>(show.pictures.size()) + 1] = path;
    }
    show.Start("Picdis=" + std::to_string(mode) + "\r\nWidth=500\r\nHeight=300\r\n");
    show.Ticks(3);
    const Picture frame = show.stage.Render();
    if (const char* folder = std::getenv("LUMORA_FROZEN_FRAMES"))
      WriteFile(std::string(folder) + "/mode-" + std::to_string(mode) + ".bmp", BmpFileOf(frame));
    ASSERT_EQ(frame.BitCount(), 24);
    const uint64_t shown = Digest(frame);
    char digest[24];
    std::snprintf(digest, sizeof digest, "0x%016llx", static_cast<unsigned long long>(shown));
    EXPECT_EQ(shown, frozen[mode - 1]) << "mode " << mode << " now shows " << digest;
  }
}

}  // namespace
}  // namespace lumora
