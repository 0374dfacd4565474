// The next picture, prepared by the worker while the show waits, and the tick that takes it.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "show/RowSteps.h"
#include "support/JpegEncoder.h"
#include "support/ShowFixture.h"
#include "support/ThreadWorker.h"

namespace lumora {
namespace {

using test::ShowFixture;
using test::Solid;

constexpr Rgb kGreen{0, 160, 0};

std::vector<uint8_t> GreenJpeg(int width, int height) {
  return EncodeJpegRows(width, height, SampleLayout::Rgb,
                        [width](int, uint8_t* row) {
                          for (int x = 0; x < width; ++x) row[3 * x + 1] = kGreen.g;
                        },
                        {.fullChroma = true, .storeAsRgb = true});
}

// Noise, which a JPEG keeps at hundreds of kilobytes.
std::vector<uint8_t> NoisyJpeg(int width, int height) {
  return EncodeJpegRows(width, height, SampleLayout::Rgb, [width](int y, uint8_t* row) {
    for (int x = 0; x < 3 * width; ++x) row[x] = static_cast<uint8_t>((x * 7919 + y * 104729) % 251);
  });
}

// Anything near white is the placeholder, which a part the worker did not decode would show.
bool ShowsThePlaceholder(const Picture& frame) {
  for (int y = 0; y < frame.Height(); ++y)
    for (int x = 0; x < frame.Width(); ++x)
      if (frame.PixelAt(x, y).r > 128) return true;
  return false;
}

// A 1600 x 1200 photo on a 640 x 480 screen: each mode's ticks draw just the part the worker decoded, at the
// scale it decoded it, holding no more pixels than the control shows (of the slide, the band it draws, held
// only while it slides); each picture's file is opened for its header and once for each part the worker decodes.
TEST(NextPicture, TheTickDrawsWhatTheWorkerDecodedInEveryMode) {
  const struct {
    int mode;
    int eighths;                // of the picture mainPicture holds; 0: mainPicture holds none
    PixelRect part;             // in pixels of that scale
    int heldWidth, heldHeight;  // the pixels held of it
    size_t opens;               // of the file, for the two pictures shown and the next one
  } rows[] = {
      {1, 4, {0, 0, 800, 600}, 640, 480, 6},        // stretched over the screen: half size, the sampled lines
      {2, 8, {480, 360, 1120, 840}, 640, 480, 6},   // natural size, centred: the middle of the photo
      {3, 8, {480, 360, 1120, 840}, 640, 480, 10},  // and, first, the backdrop of the picture before
      {4, 2, {0, 0, 400, 300}, 320, 240, 6},        // a 320 x 240 tile: a quarter size
      {5, 4, {80, 60, 720, 540}, 640, 480, 6},      // 800 x 600 centred: half size, its middle
      {6, 0, {}, 0, 0, 6},                          // copied onto the surface
      {7, 8, {0, 0, 1600, 480}, 1600, 480, 6},      // the band that slides in from the left
  };
  for (const auto& row : rows) {
    ShowFixture show(640, 480);
    show.files.Add("C:\\PICS\\photo.jpg", GreenJpeg(1600, 1200));
    show.pictures[1] = "C:\\PICS\\photo.jpg";
    Picture sliding;
    show.stage.onProcessMessages = [&] {  // after a slide's first step, which then ends
      sliding = show.saverShow.View().mainPicture.picture;
      show.state.reentry.StopSlide();
    };
    show.Start("Picdis=" + std::to_string(row.mode) + "\r\nColor=4\r\nHeight=600\r\nWidth=800\r\n");
    show.Ticks(2);  // the second with the first one's backdrop in mode 3
    EXPECT_EQ(show.files.reads.size(), row.opens) << "mode " << row.mode;
    EXPECT_FALSE(ShowsThePlaceholder(show.stage.Render())) << "mode " << row.mode;
    if (row.mode == 3) {
      EXPECT_TRUE(show.saverShow.View().backdropPicture.picture.Empty()) << "the backdrop, covered whole, is let go";
    }
    if (row.mode == 7) {
      EXPECT_TRUE(show.saverShow.View().mainPicture.picture.Empty()) << "the slide's pixels go once it has ended";
    }
    const Picture held = row.mode == 7 ? sliding : show.saverShow.View().mainPicture.picture;
    if (row.eighths == 0) continue;
    EXPECT_EQ(held.Scale(), row.eighths) << "mode " << row.mode;
    EXPECT_EQ(held.Window(), row.part) << "mode " << row.mode;
    EXPECT_EQ(held.HeldPixels().Width(), row.heldWidth) << "mode " << row.mode;
    EXPECT_EQ(held.HeldPixels().Height(), row.heldHeight) << "mode " << row.mode;
  }
}

// Whether it changed is asked on the worker: the window's thread never waits on a file.
TEST(NextPicture, AFileChangedOrGoneSinceItWasPreparedIsReadAgain) {
  for (const bool gone : {false, true}) {
    ShowFixture show(64, 48);
    const std::string path = show.AddPicture(Solid(8, 8, Rgb{200, 0, 0}));
    const std::thread::id window = std::this_thread::get_id();
    show.files.onStamp = [&] { EXPECT_NE(std::this_thread::get_id(), window) << "asked on the window's thread"; };
    show.Start("Picdis=1\r\n");
    if (gone) show.files.files.erase(path);
    else show.files.Add(path, BmpFileOf(Solid(8, 8, Rgb{0, 0, 200})));
    show.Ticks(1);
    EXPECT_EQ(show.stage.Render().PixelAt(32, 10), (gone ? Rgb{255, 255, 255} : Rgb{0, 0, 200})) << gone;
  }
}

// A picture that is not ready at its tick: the window handles its messages while it waits, and a tick that
// comes meanwhile runs once this one has ended.
TEST(NextPicture, ALatePictureKeepsTheWindowHandlingMessages) {
  ShowFixture show(64, 48);
  show.AddPicture(Solid(8, 8, Rgb{200, 0, 0}));
  show.AddPicture(Solid(8, 8, Rgb{0, 0, 200}));
  show.worker.hold = true;
  bool tickDuringWait = false;
  show.worker.onWait = [&] {
    if (!std::exchange(tickDuringWait, true)) show.saverShow.OnTick();
  };
  show.Start("Picdis=1\r\n");
  show.Ticks(1);
  EXPECT_GE(show.stage.processMessagesCalls, 2) << "once for each wait";
  EXPECT_EQ(show.worker.jobsStarted, 5) << "the first, the waiting tick's and the next picture; two ticks' file checks";
  EXPECT_EQ(show.stage.Render().PixelAt(32, 10), (Rgb{0, 0, 200}));
  EXPECT_EQ(show.state.reentry.TickDepth(), 0);
}

// A password dialog opened inside a slide holds that tick; the ticks that come behind the dialog run there,
// one deep, and once the dialog closes the held slide ends after its step.
TEST(NextPicture, TicksBehindAPasswordDialogOpenedInASlideGoOn) {
  ShowFixture show(200, 100);
  show.system.platform = PlatformKind::Windows9x;
  show.passwords.usePassword = 1;
  show.passwords.answers = {false};
  for (uint8_t blue : {100, 200}) show.AddPicture(Solid(20, 20, Rgb{0, 0, blue}));
  int depthBehindDialog = 0;
  show.passwords.whileDialogOpen = [&] {
    show.saverShow.OnTick();
    show.saverShow.OnTick();
    depthBehindDialog = show.state.reentry.TickDepth();
  };
  bool pressed = false;
  show.stage.onProcessMessages = [&] {
    if (!std::exchange(pressed, true)) show.saverShow.OnInput(QueuedMessage::KeyDown);
  };
  show.Start("Picdis=7\r\n");
  show.Ticks(1);
  EXPECT_EQ(show.saverShow.View().mode.ColourStep(), 3) << "the held tick and two behind the dialog";
  EXPECT_EQ(depthBehindDialog, 1);
  EXPECT_EQ(show.state.lastPictureIndex, 2) << "in order 1, 2, 1 shown, and 2 prepared";
  EXPECT_FALSE(show.stage.closed);
}

// A password dialog opened while a tick waits for its picture (Windows 9x, a password set, the first answer
// refused), and a tick delivered behind it: that tick runs once the waiting one has shown its picture where it
// was prepared for, and the show goes on as without the dialog. Of three ticks the second waits: its picture's
// file answers only once the dialog is open (in mode 3 it waits for the picture in front, its backdrop shown).
// Points where the first, second and third picture show (-1: none); with the clock standing still, every
// overlap lands at (5, 0) and every slide comes from the left.
TEST(NextPicture, ATickBehindADialogOpenedWhileAPictureIsAwaitedRunsAfterItInEveryMode) {
  const Rgb kColours[] = {{0, 0, 100}, {0, 100, 0}, {100, 0, 0}};
  const struct {
    int mode;
    int shows[3][2];
  } rows[] = {
      {1, {{-1, -1}, {-1, -1}, {100, 50}}}, {2, {{-1, -1}, {-1, -1}, {100, 50}}},
      {3, {{-1, -1}, {0, 0}, {100, 50}}},    // the backdrop is the second picture, the third in front
      {4, {{10, 10}, {10, 60}, {110, 10}}},  // tiles top left, below it, top right
      {5, {{-1, -1}, {-1, -1}, {100, 50}}}, {6, {{-1, -1}, {-1, -1}, {10, 10}}},
      {7, {{-1, -1}, {-1, -1}, {10, 10}}},
  };
  for (const auto& row : rows) {
    ShowFixture show(200, 100);
    show.system.platform = PlatformKind::Windows9x;
    show.passwords.usePassword = 1;
    show.passwords.answers = {false};
    std::vector<std::string> paths;
    for (Rgb colour : kColours) paths.push_back(show.AddPicture(Solid(40, 20, colour)));
    std::atomic<bool> dialogOpen{false};
    show.files.onOpen = [&] {  // on the worker's thread
      if (show.files.reads.back() == paths[1])
        while (!dialogOpen.load()) std::this_thread::yield();
    };
    show.passwords.whileDialogOpen = [&] {
      dialogOpen.store(true);
      show.saverShow.OnTick();
    };
    bool waiting = false, pressed = false;
    show.stage.onProcessMessages = [&] {
      if (!waiting || pressed || (row.mode == 3 && show.saverShow.View().backdropPicture.picture.Empty())) return;
      pressed = true;
      show.saverShow.OnInput(QueuedMessage::KeyDown);
    };
    show.Start("Picdis=" + std::to_string(row.mode) + "\r\nColor=4\r\nWidth=60\r\nHeight=30\r\n");
    show.worker.hold = true;
    show.Ticks(1);
    waiting = true;
    show.Ticks(1);
    ASSERT_TRUE(pressed) << "mode " << row.mode;
    EXPECT_EQ(show.saverShow.View().mode.ColourStep(), 3) << "mode " << row.mode;
    const Picture frame = show.stage.Render();
    EXPECT_FALSE(ShowsThePlaceholder(frame)) << "mode " << row.mode;
    for (int picture = 0; picture < 3; ++picture) {
      const auto [x, y] = row.shows[picture];
      if (x < 0) continue;
      EXPECT_EQ(frame.PixelAt(x, y), kColours[picture]) << "mode " << row.mode << ", picture " << picture + 1;
    }
  }
}

// Cancelled while it decodes the backdrop, the first of its decodes (here as the backdrop's rows are opened), a
// preparation stops between two rows, long before the end of the file, and holds nothing.
TEST(NextPicture, ACancelledPreparationStopsBetweenRowsAndLetsGoOfWhatItHeld) {
  test::FakeFileSystem files;
  const std::vector<uint8_t> before = NoisyJpeg(1000, 750);
  files.Add("C:\\PICS\\before.jpg", before);
  files.Add("C:\\PICS\\photo.jpg", GreenJpeg(64, 48));
  PictureJob job;
  job.path = "C:\\PICS\\photo.jpg";
  job.backdropPath = "C:\\PICS\\before.jpg";
  job.screen = PixelRect{0, 0, 640, 480};
  files.onOpen = [&] {
    if (files.reads.size() == 2) job.watch.Cancel();
  };
  test::ThreadWorker worker;
  worker.Start([&] { PreparePicture(files, job); });
  EXPECT_EQ(files.reads, (std::vector<std::string>(2, "C:\\PICS\\before.jpg"))) << "its header, its rows";
  EXPECT_LT(files.bytesRead, before.size() / 2);
  EXPECT_FALSE(job.loaded.has_value());
  EXPECT_TRUE(job.shown.Empty());
  EXPECT_TRUE(job.backdrop.Empty());
}

// The rows of a late picture are drawn at once, then at most every 500 ms when more than three are new.
TEST(RowSteps, DrawAtOnceThenEveryHalfSecondWithMoreThanThreeNewRows) {
  const struct {
    uint32_t ms;
    int rows;
    bool due;
  } steps[] = {
      {1000, 0, true},   {1100, 50, false}, {1499, 60, false}, {1500, 60, true},
      {2000, 63, false}, {2100, 64, true},  {2700, 64, false}, {3200, 300, true},
  };
  RowSteps rowSteps;
  for (const auto& step : steps) EXPECT_EQ(rowSteps.Due(step.ms, step.rows), step.due) << step.ms;
}

}  // namespace
}  // namespace lumora
