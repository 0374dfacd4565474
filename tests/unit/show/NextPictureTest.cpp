// The next picture, prepared by the worker while the show waits, and the tick that takes it.
#include <gtest/gtest.h>

#include "samples/JpegEncoder.h"
#include "show/RowSteps.h"
#include "support/ShowFixture.h"

namespace lumora {
namespace {

using test::ShowFixture;
using test::Solid;

constexpr Rgb kGreen{0, 160, 0};

std::vector<uint8_t> GreenJpeg(int width, int height) {
  return EncodeJpegRows(
      width, height, SampleLayout::Rgb,
      [width](int, uint8_t* row) {
        for (int x = 0; x < width; ++x) row[3 * x + 1] = kGreen.g;
      },
      {.fullChroma = true, .storeAsRgb = true});
}

// Anything near white is the placeholder, which a part the worker did not decode would show.
bool ShowsThePlaceholder(const Picture& frame) {
  for (int y = 0; y < frame.Height(); ++y)
    for (int x = 0; x < frame.Width(); ++x)
      if (frame.PixelAt(x, y).r > 128) return true;
  return false;
}

// A 1600 x 1200 photo on a 640 x 480 screen: each mode's ticks draw just the part the worker decoded, at the
// scale it decoded it; each picture's file is opened for its header and once for each part the worker decodes.
TEST(NextPicture, TheTickDrawsWhatTheWorkerDecodedInEveryMode) {
  const struct {
    int mode;
    int eighths;     // of the picture Image1 holds; 0: Image1 holds none
    PixelRect part;  // in pixels of that scale
    size_t opens;    // of the file, for the two pictures shown and the next one
  } rows[] = {
      {1, 4, {0, 0, 800, 600}, 6},        // stretched over the screen: half size is the smallest that covers it
      {2, 8, {480, 360, 1120, 840}, 6},   // natural size, centred: the middle of the photo
      {3, 8, {480, 360, 1120, 840}, 9},   // and each one's backdrop
      {4, 2, {0, 0, 400, 300}, 6},        // a 320 x 240 tile: a quarter size
      {5, 4, {80, 60, 720, 540}, 6},      // 800 x 600 centred: half size, its middle
      {6, 0, {}, 6},                       // copied onto the surface
      {7, 8, {0, 0, 1600, 480}, 6},      // the band that slides in from the left: every column, the screen's height
  };
  for (const auto& row : rows) {
    ShowFixture show(640, 480);
    show.files.Add("C:\\PICS\\photo.jpg", GreenJpeg(1600, 1200));
    show.pictures[1] = "C:\\PICS\\photo.jpg";
    show.Start("Picdis=" + std::to_string(row.mode) + "\r\nColor=4\r\nHeight=600\r\nWidth=800\r\n");
    show.Ticks(2);  // the second with the first one's backdrop in mode 3
    EXPECT_EQ(show.files.reads.size(), row.opens) << "mode " << row.mode;
    EXPECT_FALSE(ShowsThePlaceholder(show.stage.Render())) << "mode " << row.mode;
    if (row.mode == 3) {  // the backdrop is held as drawn, no larger than the screen
      EXPECT_TRUE(show.form.image2.picture.Decoded());
      EXPECT_EQ(show.form.image2.picture.Width(), 640);
    }
    if (row.eighths == 0) continue;
    EXPECT_EQ(show.form.Image1.picture.Scale(), row.eighths) << "mode " << row.mode;
    EXPECT_EQ(show.form.Image1.picture.Window(), row.part) << "mode " << row.mode;
  }
}

TEST(NextPicture, AFileChangedOrGoneSinceItWasPreparedIsReadAgain) {
  for (const bool gone : {false, true}) {
    ShowFixture show(64, 48);
    const std::string path = show.AddPicture(Solid(8, 8, Rgb{200, 0, 0}));
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
    if (!std::exchange(tickDuringWait, true)) show.form.Timer1Timer();
  };
  show.Start("Picdis=1\r\n");
  show.Ticks(1);
  EXPECT_GE(show.stage.processMessagesCalls, 2) << "once for each wait";
  EXPECT_EQ(show.worker.jobsStarted, 3) << "the first picture, the one of the tick that came during the wait, the next";
  EXPECT_EQ(show.stage.Render().PixelAt(32, 10), (Rgb{0, 0, 200}));
  EXPECT_EQ(show.state.tickDepth, 0);
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
    show.form.Timer1Timer();
    show.form.Timer1Timer();
    depthBehindDialog = show.state.tickDepth;
  };
  bool pressed = false;
  show.stage.onProcessMessages = [&] {
    if (!std::exchange(pressed, true)) show.form.deactivate(QueuedMessage::KeyDown);
  };
  show.Start("Picdis=7\r\n");
  show.Ticks(1);
  EXPECT_EQ(show.state.colourStep, 3) << "the held tick and two behind the dialog";
  EXPECT_EQ(depthBehindDialog, 1);
  EXPECT_EQ(show.state.lastPictureIndex, 2) << "in order 1, 2, 1 shown, and 2 prepared";
  EXPECT_FALSE(show.stage.closed);
}

// Cancelled while the part is decoded (the watch cancels at the first rows), the job holds nothing.
TEST(NextPicture, ACancelledPreparationLetsGoOfWhatItHeld) {
  test::FakeFileSystem files;
  files.Add("C:\\PICS\\photo.jpg", GreenJpeg(64, 48));
  PictureJob job;
  job.path = "C:\\PICS\\photo.jpg";
  job.need = [&job](const Picture&) {
    job.watch.Cancel();
    return PixelNeed{8, PixelRect{0, 0, 64, 48}, {}};
  };
  job.makeBackdrop = [](const Picture& picture) { return StretchedPart(picture, 16, 12, PixelRect{0, 0, 16, 12}); };
  PreparePicture(files, job);
  EXPECT_EQ(files.reads.size(), 2u) << "the header, and the part it stopped in; no backdrop";
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
      {1000, 0, true},  {1100, 50, false}, {1499, 60, false}, {1500, 60, true},
      {2000, 63, false}, {2100, 64, true}, {2700, 64, false}, {3200, 300, true},
  };
  RowSteps rowSteps;
  for (const auto& step : steps) EXPECT_EQ(rowSteps.Due(step.ms, step.rows), step.due) << step.ms;
}

}  // namespace
}  // namespace lumora
