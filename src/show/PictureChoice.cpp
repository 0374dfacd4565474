#include <algorithm>

#include "show/TForm1.h"

namespace lumora {

namespace {

// Between two looks at the picture being prepared while the window handles its messages.
constexpr uint32_t kWaitStepMs = 100;
// Once a copy of the rows is asked for, it comes with the next row.
constexpr uint32_t kRowsWaitMs = 20;

}  // namespace

// The in-order choice moves on one; the random one is drawn now, from the clock, as the tick would draw it. In
// the slide mode the direction the picture comes from is drawn now as well, so the worker decodes just the band
// that crosses the screen.
void TForm1::StartPreparation() {
  const int count = static_cast<int>(state_.pictures.size());
  if (job_ || count == 0 || state_.showEnded) return;
  int index;
  if (state_.inOrder) {
    index = state_.lastPictureIndex + 1;
    if (index > count) index = 1;
    state_.lastPictureIndex = index;
  } else {
    RandomizeFromClock();
    index = static_cast<int>(state_.random.Below(count)) + 1;
  }
  if (state_.displayMode == 7) {
    RandomizeFromClock();
    state_.nextSlideDirection = static_cast<int>(state_.random.Below(4)) + 1;
  }
  StartJob(index);
}

void TForm1::StartJob(int index) {
  auto job = std::make_shared<PictureJob>();
  job->index = index;
  job->path = state_.pictures[index - 1];
  job->colours = services_.stage.BitsPerPixel() <= 8 ? JpegColours::Quantised236 : JpegColours::Full24Bit;
  job->need = NextNeed();
  if (state_.displayMode == 3) {
    // The backdrop covers the screen from its top-left corner, stretched.
    job->makeBackdrop = [screen = Screen()](const Picture& picture) {
      return StretchedPart(picture, screen.Width(), screen.Height(), screen);
    };
  }
  job_ = job;
  FileSystem& files = services_.files;
  services_.worker.Start([&files, job] { PreparePicture(files, *job); });
}

// What the next tick draws of its picture: the part its control shows (modes 1 to 5); every part any place on
// the screen can show, the top-left corner as large as the screen (6); the band that crosses the screen (7).
NeedRule TForm1::NextNeed() {
  const PixelRect screen = Screen();
  if (state_.displayMode == 6 || state_.displayMode == 7) {
    const bool alongTop = state_.displayMode == 7 && state_.nextSlideDirection <= 2;
    const bool alongLeft = state_.displayMode == 7 && !alongTop;
    return [screen, alongTop, alongLeft](const Picture& picture) -> std::optional<PixelNeed> {
      if (picture.Decoded()) return std::nullopt;
      const int width = alongTop ? picture.Width() : std::min(picture.Width(), screen.Width());
      const int height = alongLeft ? picture.Height() : std::min(picture.Height(), screen.Height());
      return PixelNeed{8, PixelRect{0, 0, width, height}, {}};
    };
  }
  PictureControl control = Control(NextControl());
  control.Clear();
  return [control, place = NextPlacement(), screen](const Picture& picture) {
    PictureControl placed = control;
    placed.Assign(picture);
    place(placed);
    return ShownNeedOf(placed, screen);
  };
}

// Handles the window's messages until `ready`: input is handled at once, and a tick that comes meanwhile runs
// once this one has ended.
void TForm1::AwaitJob(const std::function<bool()>& ready, bool drawRows) {
  RowSteps steps;
  while (!ready()) {
    if (drawRows) DrawDecodedRows(steps);
    services_.worker.WaitForJobOrMessage(drawRows ? kRowsWaitMs : kWaitStepMs);
    services_.stage.ProcessMessages();
  }
}

// Image1 shows the rows of its next picture decoded so far, the rest in the background colour.
void TForm1::DrawDecodedRows(RowSteps& steps) {
  PictureJob& job = *job_;
  if (std::unique_ptr<PictureData> rows = job.watch.TakeRows()) {
    Image1.Assign(job.partFrame.WithPixels(job.partNeed.eighths, job.partNeed.region, job.partNeed.Rows(),
                                           std::move(*rows)));
    NextPlacement()(Image1);
    Image1.visible = true;
    Update(ControlId::Image1);
  }
  if (steps.Due(services_.clock.Milliseconds(), job.watch.RowsWritten())) job.watch.RequestRows(state_.background);
}

// Leaves the next picture, or the placeholder when it cannot be read, in Image5, then draws the next sound. The
// picture is the one prepared; a file that changed since is read again, as if the tick read it itself.
void TForm1::LoadNextPicture() {
  StartPreparation();
  const bool drawRows = NextControl() == ControlId::Image1 && state_.displayMode <= 5;
  const auto finished = [this] { return services_.worker.Finished(); };
  AwaitJob(finished, drawRows);
  if (job_ && !job_->watch.Cancelled() && job_->stamp != services_.files.Stamp(job_->path)) {
    StartJob(job_->index);
    AwaitJob(finished, drawRows);
  }
  const std::shared_ptr<PictureJob> job = std::move(job_);
  const bool loaded = job && job->loaded && *job->loaded;
  // The timer runs only with pictures in the list, and a show that ends prepares nothing more: a stray tick
  // shows the placeholder, one at the end nothing.
  if (state_.showEnded) Image5.Clear();
  else Image5.Assign(loaded ? job->shown : imagjunk.picture);
  if (state_.displayMode == 3) nextBackdrop_ = loaded ? job->backdrop : imagjunk.picture;
  PickNextSound();
}

}  // namespace lumora
