#include <gtest/gtest.h>

#include "support/ShowFixture.h"

namespace lumora {
namespace {

using test::ContentBounds;
using test::Quartered;
using test::ShowFixture;
using test::ShowsAt;
using test::Solid;

TEST(OnTick, FirstTickSwitchesTheTimerToTheDelay) {
  ShowFixture show;
  show.AddPicture(Solid(8, 8, Rgb{9, 9, 9}));
  show.Start("Time=8\r\nPicdis=1\r\n");
  EXPECT_EQ(show.stage.timerInterval, 1000);
  show.Ticks(1);
  EXPECT_EQ(show.stage.timerInterval, 8000);
  EXPECT_TRUE(show.stage.timerEnabled);
  EXPECT_FALSE(show.state.firstTick);
}

TEST(OnTick, ColourStepRunsOneToTwentyOneInEveryMode) {
  ShowFixture show;
  show.AddPicture(Solid(8, 8, Rgb{9, 9, 9}));
  show.Start("Picdis=4\r\n");
  for (int tick = 1; tick <= 45; ++tick) {
    show.Ticks(1);
    EXPECT_EQ(show.saverShow.View().mode.ColourStep(), (tick - 1) % 21 + 1);
  }
}

struct PixelRow {
  int x, y;
  Rgb colour;
};

void ExpectPixels(const Picture& frame, std::initializer_list<PixelRow> pixels) {
  for (const PixelRow& pixel : pixels)
    EXPECT_EQ(frame.PixelAt(pixel.x, pixel.y), pixel.colour) << "at " << pixel.x << "," << pixel.y;
}

constexpr Rgb kRed{200, 0, 0}, kGreen{0, 200, 0}, kBlue{0, 0, 200}, kYellow{200, 200, 0};  // Quartered's

TEST(OnTick, StretchModeFillsTheScreen) {
  ShowFixture show(1023, 767);
  show.AddPicture(Quartered(300, 200));
  show.Start("Picdis=1\r\n");
  show.Ticks(1);
  // Each screen pixel takes the picture's pixel under its centre: column 511 samples x = 511.5 * 300 / 1023 =
  // 150, the first of the right half; row 383 samples y = 383.5 * 200 / 767 = 100, the first of the lower half.
  ExpectPixels(show.stage.Render(), {{0, 0, kRed},
                                     {510, 382, kRed},
                                     {511, 382, kGreen},
                                     {510, 383, kBlue},
                                     {511, 383, kYellow},
                                     {1022, 766, kYellow}});
}

TEST(OnTick, NaturalSizeIsCentredRoundingHalvesToEven) {
  struct Case {
    int screenWidth, screenHeight, width, height, left, top;
  } cases[] = {
      {1024, 768, 200, 100, 412, 334},   // exact halves
      {1023, 767, 200, 100, 412, 334},   // 411.5 and 333.5 go to the even neighbours
      {1025, 769, 200, 100, 412, 334},   // 412.5 and 334.5 likewise
      {1024, 768, 1101, 901, -38, -66},  // -38.5 and -66.5: larger than the screen, cut on both sides alike
  };
  for (const Case& c : cases) {
    ShowFixture show(c.screenWidth, c.screenHeight);
    const Picture picture = Quartered(c.width, c.height);
    show.AddPicture(picture);
    show.Start("Picdis=2\r\nColor=4\r\n");
    show.Ticks(1);
    EXPECT_EQ(show.saverShow.View().mainPicture.left, c.left);
    EXPECT_EQ(show.saverShow.View().mainPicture.top, c.top);
    const Picture frame = show.stage.Render();
    EXPECT_TRUE(ShowsAt(frame, picture, c.left, c.top));
    if (c.left > 0) { EXPECT_EQ(frame.PixelAt(c.left - 1, c.top), kBlack); }
  }
}

// A scheme's four colours turn at the fifth, tenth, fifteenth and twenty-second tick, behind natural and custom
// sizes alike.
TEST(OnTick, SchemeColourChangesOnTheFifthTenthFifteenthAndTwentySecondTick) {
  const struct {
    const char* options;
    Rgb colours[4];
  } schemes[] = {
      {"Picdis=2\r\nColor=1\r\n", {{0, 0, 0}, {128, 128, 128}, {192, 192, 192}, {255, 255, 255}}},
      {"Picdis=5\r\nWidth=30\r\nHeight=20\r\nColor=2\r\n", {{0, 0, 128}, {0, 0, 0}, {128, 0, 128}, {128, 0, 0}}},
      {"Picdis=2\r\nColor=3\r\n", {{0, 128, 0}, {0, 255, 255}, {255, 0, 255}, {255, 255, 0}}},
  };
  // The tick, and which of the scheme's colours it shows.
  const std::pair<int, int> ticks[] = {{1, 0}, {4, 0}, {5, 1}, {9, 1}, {10, 2}, {14, 2}, {15, 3}, {21, 3}, {22, 0}};
  for (const auto& scheme : schemes) {
    ShowFixture show;
    show.AddPicture(Solid(10, 10, Rgb{1, 2, 3}));
    show.Start(scheme.options);
    int tick = 0;
    for (const auto& [at, colour] : ticks) {
      show.Ticks(at - tick);
      tick = at;
      EXPECT_EQ(show.stage.background, scheme.colours[colour]) << scheme.options << "tick " << tick;
      EXPECT_EQ(show.stage.Render().PixelAt(0, 0), scheme.colours[colour]);
    }
  }
}

TEST(OnTick, CustomSizeStretchesAndCentres) {
  ShowFixture show;
  const Picture picture = Quartered(40, 30);
  show.AddPicture(picture);
  show.Start("Picdis=5\r\nWidth=301\r\nHeight=200\r\nColor=4\r\n");
  show.Ticks(1);
  const Picture frame = show.stage.Render();
  EXPECT_EQ(ContentBounds(frame, kBlack), (PixelRect{362, 284, 663, 484}));  // 361.5 rounds to 362
  // 40 x 30 stretched to 301 x 200: columns 0 to 149 and rows 0 to 99 of the size take the left and top halves.
  ExpectPixels(frame, {{362, 284, kRed},
                       {511, 383, kRed},
                       {512, 383, kGreen},
                       {511, 384, kBlue},
                       {512, 384, kYellow},
                       {662, 483, kYellow}});
}

TEST(OnTick, CustomSizeBelowOneShowsNothing) {
  ShowFixture show;
  show.AddPicture(Solid(40, 30, Rgb{50, 60, 70}));
  show.Start("Picdis=5\r\nColor=4\r\n");  // Width and Height absent: -1
  show.Ticks(1);
  EXPECT_EQ(show.saverShow.View().mainPicture.width, -1);
  EXPECT_EQ(ContentBounds(show.stage.Render(), kBlack).Empty(), true);
}

TEST(OnTick, PictureInPictureHasNoBackdropOnTheFirstTick) {
  ShowFixture show;
  const Picture first = Quartered(100, 80), second = Solid(60, 40, Rgb{0, 90, 90});
  show.AddPicture(first);
  show.AddPicture(second);
  show.Start("Picdis=3\r\n");
  show.Ticks(1);
  Picture frame = show.stage.Render();
  EXPECT_EQ(ContentBounds(frame, kBlack), (PixelRect{462, 344, 562, 424}));
  EXPECT_TRUE(ShowsAt(frame, first, 462, 344));

  show.Ticks(1);
  frame = show.stage.Render();
  EXPECT_EQ(frame.PixelAt(0, 0), kRed);  // backdrop: the first picture over the whole screen
  EXPECT_EQ(frame.PixelAt(1023, 767), kYellow);
  EXPECT_TRUE(ShowsAt(frame, second, 482, 364));  // the second in front, centred
  EXPECT_EQ(show.stage.StackingOrder().back(), ControlId::Main);
}

TEST(OnTick, PictureInPictureOfOnePictureShowsItTwiceFromTheSecondTick) {
  ShowFixture show;
  const Picture only = Quartered(100, 80);
  show.AddPicture(only);
  show.Start("Picdis=3\r\n");
  show.Ticks(2);
  const Picture frame = show.stage.Render();
  EXPECT_TRUE(ShowsAt(frame, only, 462, 344));
  // The backdrop: the same picture stretched to the screen, split at column 512 and row 384 around the front one.
  ExpectPixels(
      frame,
      {{10, 10, kRed}, {511, 10, kRed}, {512, 10, kGreen}, {10, 383, kRed}, {10, 384, kBlue}, {1000, 700, kYellow}});
}

// Tiles fill top-left, bottom-left, top-right, bottom-right, each half the screen, with one-pixel gaps.
TEST(OnTick, TilesTakeHalfTheScreenRoundedToEven) {
  const struct {
    int screenWidth, screenHeight, halfWidth, halfHeight;
  } screens[] = {{1024, 768, 512, 384}, {1023, 767, 512, 384}, {1025, 769, 512, 384}};
  const Rgb colours[] = {kRed, kGreen, kBlue, kYellow};
  for (const auto& [screenWidth, screenHeight, halfWidth, halfHeight] : screens) {
    SCOPED_TRACE(std::to_string(screenWidth) + " x " + std::to_string(screenHeight));
    ShowFixture show(screenWidth, screenHeight);
    for (Rgb colour : colours) show.AddPicture(Solid(16, 16, colour));
    show.Start("Picdis=4\r\n");
    show.Ticks(4);
    const Picture frame = show.stage.Render();
    const int right = halfWidth + 1, bottom = halfHeight + 1;
    ExpectPixels(frame, {{0, 0, kRed},
                         {halfWidth - 1, halfHeight - 1, kRed},
                         {0, bottom, kGreen},
                         {right, 0, kBlue},
                         {screenWidth - 1, screenHeight - 1, kYellow},
                         {halfWidth, 5, kBlack},     // the column gap
                         {5, halfHeight, kBlack}});  // the row gap
    EXPECT_EQ(show.saverShow.View().fourthTile.left, right);
    EXPECT_EQ(show.saverShow.View().fourthTile.top, bottom);
    EXPECT_EQ(show.saverShow.View().fourthTile.width, halfWidth);
    EXPECT_EQ(show.saverShow.View().mode.NextTile(), TileCorner::TopLeft);
  }
}

TEST(OnTick, OnePictureFillsAllFourTilesAndTilesStay) {
  ShowFixture show;
  show.AddPicture(Solid(16, 16, kBlue));
  show.AddPicture(Solid(16, 16, kGreen));
  show.Start("Picdis=4\r\n");
  show.Ticks(5);  // blue, green, blue, green, then blue again top-left
  ExpectPixels(show.stage.Render(), {{0, 0, kBlue}, {0, 500, kGreen}, {600, 0, kBlue}, {600, 500, kGreen}});
  EXPECT_EQ(show.saverShow.View().mode.NextTile(), TileCorner::BottomLeft);
}

}  // namespace
}  // namespace lumora
