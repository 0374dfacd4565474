#include <gtest/gtest.h>

#include "image/PictureFile.h"
#include "image/Placeholder.h"
#include "show/RandomDraw.h"
#include "support/ShowFixture.h"

namespace lumora {
namespace {

using test::ShowFixture;
using test::Solid;

TEST(RandomDraw, StepsTheSeedAndTakesTheHighHalfOfTheProduct) {
  // From 12345, each draw steps the state once; the last, below 2^32 - 1, gives the stepped state less one.
  const struct {
    uint32_t n, value;
  } draws[] = {{100, 38}, {100, 28}, {7, 0}, {1, 0}, {0, 0}, {1000000, 341599}, {4294967295u, 1889648463u}};
  RandomDraw random;
  random.Restart(12345);
  for (const auto& draw : draws) EXPECT_EQ(random.Below(draw.n), draw.value) << "below " << draw.n;
}

TEST(PictureExtension, IsTheTextFromTheLastDotUnlessAFolderFollows) {
  const struct {
    const char* path;
    const char* extension;
    bool bitmap;
  } paths[] = {
      {"C:\\A\\photo.Bmp", ".Bmp", true},
      {"C:\\A\\x.bmp", ".bmp", true},
      {"C:\\A\\x.BmP", ".BmP", true},
      {"C:\\A\\photo.bmp.jpg", ".jpg", false},
      {"C:\\X.BMP\\file", "", false},
      {"C:\\DIR.X\\FILE", "", false},
      {"C:FILE", "", false},
      {"A.B:C", "", false},
      {"C:\\A\\trailing.", ".", false},
  };
  for (const auto& path : paths) {
    SCOPED_TRACE(path.path);
    EXPECT_EQ(PictureExtension(path.path), path.extension);
    EXPECT_EQ(IsBitmapFile(path.path), path.bitmap);
  }
}

// The colour the next tick shows, stretched over the screen.
Rgb ShownColour(ShowFixture& show) {
  show.Ticks(1);
  return show.stage.Render().PixelAt(0, 0);
}

TEST(PictureChoice, InListOrderStartsAtOneAndWrapsAround) {
  ShowFixture show(64, 48);
  const Rgb colours[] = {{10, 0, 0}, {20, 0, 0}, {30, 0, 0}};
  for (Rgb colour : colours) show.AddPicture(Solid(4, 4, colour));
  show.Start("Seq=1\r\nPicdis=1\r\n");
  for (int i = 0; i < 7; ++i) EXPECT_EQ(ShownColour(show), colours[i % 3]) << i;
  EXPECT_EQ(show.state.lastPictureIndex, 2) << "the eighth, prepared";
}

TEST(PictureChoice, AtRandomDrawsFromTheClockAndMayRepeat) {
  ShowFixture show(64, 48);
  for (uint8_t red : {10, 20, 30, 40, 50}) show.AddPicture(Solid(4, 4, Rgb{red, 0, 0}));
  show.Start("Seq=0\r\nPicdis=1\r\n");
  // Of five pictures the one drawn at a millisecond is 1 + the high half of ((ms * 134775813 + 1) mod 2^32) * 5.
  const struct {
    uint32_t ms;
    uint8_t picture;
  } draws[] = {{0, 1}, {999, 2}, {43200000, 2}, {86399999, 4}};
  for (const auto& draw : draws) {
    show.system.milliseconds = draw.ms;
    show.Ticks(1);  // the next picture drawn as this tick ends
    const Rgb expected{static_cast<uint8_t>(10 * draw.picture), 0, 0};
    EXPECT_EQ(ShownColour(show), expected) << draw.ms;
    EXPECT_EQ(ShownColour(show), expected) << "same millisecond, same picture";
  }
  EXPECT_EQ(show.state.lastPictureIndex, 0);
}

TEST(PictureChoice, PictureAndSoundDrawnInOneMillisecondPickTheSameEntry) {
  ShowFixture show(64, 48);
  for (uint8_t red : {10, 20, 30}) show.AddPicture(Solid(4, 4, Rgb{red, 0, 0}));
  for (int n = 1; n <= 3; ++n) {
    show.sounds[n] = "C:\\S\\" + std::to_string(n) + ".wav";
    show.files.Add(*show.sounds[n]);
  }
  show.Start("Seq=0\r\nPicdis=1\r\n");
  for (uint32_t ms = 1000; ms < 1020; ++ms) {
    show.system.milliseconds = ms;
    show.Ticks(1);                          // the next picture drawn as this tick ends
    const Rgb picture = ShownColour(show);  // and the next sound as it loads that picture
    EXPECT_EQ(show.saverShow.View().sound.NextSound(), "C:\\S\\" + std::to_string(picture.r / 10) + ".wav");
  }
}

TEST(PictureChoice, UnreadableFilesGiveThePlaceholderAndTheOrderGoesOn) {
  ShowFixture show;
  show.AddPicture(Solid(4, 4, Rgb{10, 0, 0}));
  show.files.Add("C:\\PICS\\fake.bmp", lumora::JpegFileOf(Solid(8, 8, Rgb{1, 2, 3})));
  show.files.Add("C:\\PICS\\anim.gif", lumora::BmpFileOf(Solid(8, 8, Rgb{1, 2, 3})));
  show.files.Add("C:\\DIR.BMP\\noext", lumora::BmpFileOf(Solid(8, 8, Rgb{1, 2, 3})));
  show.files.Add("C:\\PICS\\cut.jpg", std::vector<uint8_t>{0xFF, 0xD8, 0xFF});
  show.pictures = {{1, "C:\\PICS\\1.bmp"},
                   {2, "C:\\PICS\\fake.bmp"},
                   {3, "C:\\PICS\\anim.gif"},
                   {4, "C:\\DIR.BMP\\noext"},
                   {5, "C:\\PICS\\cut.jpg"}};
  show.Start("Picdis=2\r\nColor=4\r\n");
  show.files.files.erase("C:\\PICS\\1.bmp");  // deleted after the show started
  for (int i = 1; i <= 5; ++i) {
    show.Ticks(1);  // laid out as any other picture: 72 x 65 centred, 351.5 rounds to 352
    EXPECT_TRUE(test::ShowsAt(show.stage.Render(), PlaceholderPicture(), 476, 352)) << i;
    EXPECT_EQ(show.state.lastPictureIndex, i % 5 + 1);
  }
}

TEST(Placeholder, IsBadPicInBlackOnWhite) {
  const Picture placeholder = PlaceholderPicture();
  ASSERT_EQ(placeholder.Width(), 72);
  ASSERT_EQ(placeholder.Height(), 65);
  EXPECT_EQ(placeholder.BitCount(), 24);
  int black = 0, white = 0;
  for (int y = 0; y < 65; ++y)
    for (int x = 0; x < 72; ++x) {
      const Rgb pixel = placeholder.PixelAt(x, y);
      black += pixel == Rgb{0, 0, 0};
      white += pixel == Rgb{255, 255, 255};
    }
  EXPECT_EQ(black + white, 72 * 65);
  EXPECT_GT(black, 72 * 65 / 8);
  EXPECT_EQ(placeholder.PixelAt(0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(placeholder.PixelAt(71, 64), (Rgb{255, 255, 255}));
}

}  // namespace
}  // namespace lumora
