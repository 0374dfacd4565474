#include <gtest/gtest.h>

#include <stdexcept>

#include "support/ShowFixture.h"

namespace lumora {
namespace {

using test::ContentBounds;
using test::Quartered;
using test::ShowFixture;
using test::ShowsAt;
using test::Solid;

// A time of day at which the slide comes in from `direction`: 1 + the high half of ((ms * 134775813 + 1) mod 2^32) * 4.
uint32_t MillisecondsSlidingFrom(int direction) {
  constexpr uint32_t kMilliseconds[] = {0, 8, 16, 24};  // left, right, bottom, top
  return kMilliseconds[direction - 1];
}

TEST(OverlapMode, ScreenSizedPictureLandsAtTheOrigin) {
  ShowFixture show(640, 480);
  const Picture picture = Quartered(640, 480);
  show.AddPicture(picture);
  show.Start("Picdis=6\r\n");
  show.system.milliseconds = 55555;
  show.Ticks(1);
  EXPECT_TRUE(ShowsAt(show.stage.Render(), picture, 0, 0));
}

TEST(OverlapMode, OffsetsAreDrawnVerticalFirstAndLargePicturesStartInTheFirstQuarter) {
  // 300 x 1000 on 1024 x 768: the top is drawn below 768 / 4 = 192, then the left below 1024 - 300 = 724, each
  // the high half of the stepped state times the bound, the state starting from the millisecond.
  const struct {
    uint32_t ms;
    int top, left;
  } draws[] = {{0, 0, 22}, {4999, 166, 394}, {9998, 141, 41}, {39992, 181, 97}};
  for (const auto& draw : draws) {
    ShowFixture show(1024, 768);
    show.AddPicture(Solid(300, 1000, Rgb{0, 150, 0}));
    show.Start("Picdis=6\r\n");
    show.system.milliseconds = draw.ms;
    show.Ticks(1);
    EXPECT_EQ(ContentBounds(show.stage.Render(), kBlack), (PixelRect{draw.left, draw.top, draw.left + 300, 768}))
        << draw.ms;
  }
}

TEST(OverlapMode, EarlierPicturesStayWhereTheyAreNotCovered) {
  ShowFixture show(400, 300);
  show.AddPicture(Solid(100, 100, Rgb{200, 0, 0}));
  show.AddPicture(Solid(100, 100, Rgb{0, 0, 200}));
  show.Start("Picdis=6\r\n");
  show.system.milliseconds = 1;
  show.Ticks(1);
  show.system.milliseconds = 86000000;
  show.Ticks(1);
  const Picture frame = show.stage.Render();
  int red = 0, blue = 0;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x) {
      red += frame.PixelAt(x, y) == Rgb{200, 0, 0};
      blue += frame.PixelAt(x, y) == Rgb{0, 0, 200};
    }
  EXPECT_EQ(blue, 100 * 100);
  EXPECT_GT(red, 0);
  EXPECT_FALSE(show.saverShow.View().mainPicture.visible);
}

struct SlideCase {
  int direction;
  int finalLeft, finalTop;  // where the last frame is drawn
};

TEST(SlideMode, LastFrameRestsInTheCornerOfItsEdge) {
  // 200 x 150 picture on 1000 x 700: from the right the last p is 802 (1000 - 3k), from the bottom 553.
  const SlideCase cases[] = {{1, -1, 0}, {2, 802, 0}, {3, 0, 553}, {4, 0, -1}};
  for (const SlideCase& c : cases) {
    ShowFixture show(1000, 700);
    const Picture picture = Quartered(200, 150);
    show.AddPicture(picture);
    show.system.milliseconds = MillisecondsSlidingFrom(c.direction);  // drawn as the picture is prepared
    show.Start("Picdis=7\r\n");
    show.Ticks(1);
    const Picture frame = show.stage.Render();
    EXPECT_TRUE(ShowsAt(frame, picture, c.finalLeft, c.finalTop)) << "direction " << c.direction;
    PixelRect expected =
        Intersect(PixelRect{c.finalLeft, c.finalTop, c.finalLeft + 200, c.finalTop + 150}, PixelRect{0, 0, 1000, 700});
    EXPECT_EQ(ContentBounds(frame, kBlack), expected) << "direction " << c.direction;
    EXPECT_TRUE(show.state.reentry.SlideStopped());
    EXPECT_FALSE(show.saverShow.View().mainPicture.visible);
  }
}

TEST(SlideMode, StepsAreThreePixelsFromRightAndBottomAndOneFromLeftAndTop) {
  const std::pair<int, int> stepsPerDirection[] = {{1, 200}, {2, 67}, {3, 50}, {4, 150}};
  for (const auto& [direction, steps] : stepsPerDirection) {
    ShowFixture show(1000, 700);
    show.AddPicture(Solid(200, 150, Rgb{1, 1, 1}));
    show.system.milliseconds = MillisecondsSlidingFrom(direction);
    show.Start("Picdis=7\r\n");
    show.Ticks(1);
    EXPECT_EQ(show.stage.processMessagesCalls, steps) << "direction " << direction;
  }
}

TEST(SlideMode, NestedTickEndsTheInterruptedSlideAfterItsStep) {
  ShowFixture show(1000, 700);
  show.AddPicture(Solid(100, 80, Rgb{200, 0, 0}));
  show.AddPicture(Solid(100, 80, Rgb{0, 0, 200}));
  show.Start("Picdis=7\r\n");
  show.system.milliseconds = MillisecondsSlidingFrom(1);  // from the left: 100 steps a slide
  bool nested = false;
  show.stage.onProcessMessages = [&] {
    if (nested) return;
    nested = true;
    show.saverShow.OnTick();
  };
  show.Ticks(1);
  EXPECT_EQ(show.stage.processMessagesCalls, 1 + 100);
  const Picture frame = show.stage.Render();
  EXPECT_TRUE(ShowsAt(frame, Solid(100, 80, Rgb{0, 0, 200}), -1, 0));
  EXPECT_EQ(ContentBounds(frame, kBlack), (PixelRect{0, 0, 99, 80}));
  EXPECT_TRUE(show.state.reentry.SlideStopped());
}

// A tick arriving at every step of every slide, for thousands of slides: each ends the slide it interrupts and
// runs after it, so ticks never nest deeper than one.
TEST(SlideMode, TicksArrivingAtEveryStepNeverNestDeeperThanOne) {
  ShowFixture show(1000, 700);
  show.AddPicture(Solid(100, 80, Rgb{200, 0, 0}));
  show.Start("Picdis=7\r\n");
  int depth = 0, deepest = 0, ticks = 0;
  show.stage.onProcessMessages = [&] {
    if (++ticks > 3000) return show.saverShow.ShutDown();
    ++depth;
    deepest = std::max(deepest, depth);
    show.saverShow.OnTick();
    --depth;
  };
  show.Ticks(1);
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(show.stage.processMessagesCalls, 3001) << "one step of each slide, then the shut-down";
  EXPECT_EQ(show.saverShow.View().mode.ColourStep(), (3001 - 1) % 21 + 1) << "every tick ran: the first and 3000 more";
}

TEST(SlideMode, ShutDownDuringASlideEndsItAfterTheCurrentStep) {
  ShowFixture show(1000, 700);
  show.AddPicture(Solid(100, 80, Rgb{200, 0, 0}));
  show.Start("Picdis=7\r\n");
  show.stage.onProcessMessages = [&] { show.saverShow.ShutDown(); };
  show.Ticks(1);
  EXPECT_EQ(show.stage.processMessagesCalls, 1);
  EXPECT_TRUE(show.stage.closed);
  EXPECT_FALSE(show.stage.timerEnabled);
}

TEST(SlideMode, AFailureWhileSlidingEndsTheTickQuietly) {
  ShowFixture show(1000, 700);
  show.AddPicture(Solid(100, 80, Rgb{200, 0, 0}));
  show.system.milliseconds = MillisecondsSlidingFrom(4);  // from the top
  show.Start("Picdis=7\r\n");
  show.stage.onProcessMessages = [] { throw std::runtime_error("drawing failed"); };
  EXPECT_NO_THROW(show.Ticks(1));
  show.stage.onProcessMessages = nullptr;
  show.Ticks(1);
  EXPECT_TRUE(ShowsAt(show.stage.Render(), Solid(100, 80, Rgb{200, 0, 0}), 0, -1));
}

}  // namespace
}  // namespace lumora
