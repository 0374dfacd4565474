#include <algorithm>

#include "show/SaverShow.h"

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
void SaverShow::StartPreparation() {
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
  StartJob(index, state_.displayMode == 3 ? shownPath_ : "");
}

void SaverShow::StartJob(int index, const std::string& backdropPath) {
  auto job = std::make_shared<PictureJob>();
  job->index = index;
  job->path = state_.pictures[index - 1];
  job->colours = services_.stage.BitsPerPixel() <= 8 ? JpegColours::Quantised236 : JpegColours::Full24Bit;
  job->need = NextNeed();
  job->backdropPath = backdropPath;
  job->screen = Screen();
  job_ = job;
  FileSystem& files = services_.files;
  services_.worker.Start([&files, job] { PreparePicture(files, *job); });
}

// What the next tick draws of its picture: the part its control shows (modes 1 to 5); every part any place on
// the screen can show, the top-left corner as large as the screen (6); the band that crosses the screen (7).
NeedRule SaverShow::NextNeed() {
  const PixelRect screen = Screen();
  if (state_.displayMode == 6 || state_.displayMode == 7) {
    const bool alongTop = state_.displayMode == 7 && state_.nextSlideDirection <= 2;
    const bool alongLeft = state_.displayMode == 7 && !alongTop;
    return [screen, alongTop, alongLeft](const Picture& picture) -> std::optional<PixelNeed> {
      if (picture.Decoded()) return std::nullopt;
      const int width = alongTop ? picture.Width() : std::min(picture.Width(), screen.Width());
      const int height = alongLeft ? picture.Height() : std::min(picture.Height(), screen.Height());
      return PixelNeed{8, PixelRect{0, 0, width, height}, {}, {}};
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

// Handles the window's messages until the worker has finished (or `ready`, when given), or the show has ended (a
// preparation still running then is left to stop by itself): input is handled at once, and a tick that comes
// meanwhile runs once this one has ended.
void SaverShow::AwaitJob(bool drawRows, const std::function<bool()>& ready) {
  struct Awaiting {
    bool& flag;
    const bool before;
    explicit Awaiting(bool& f) : flag(f), before(f) { flag = true; }
    ~Awaiting() { flag = before; }
  } awaiting(state_.awaitingPicture);
  RowSteps steps;
  while (!(ready && ready()) && !services_.worker.Finished() && !state_.showEnded) {
    if (drawRows) DrawDecodedRows(steps);
    services_.worker.WaitForJobOrMessage(drawRows ? kRowsWaitMs : kWaitStepMs);
    services_.stage.ProcessMessages();
  }
}

// mainPicture shows the rows of its next picture decoded so far, the rest in the background colour.
void SaverShow::DrawDecodedRows(RowSteps& steps) {
  PictureJob& job = *job_;
  if (std::unique_ptr<PictureData> rows = job.watch.TakeRows()) {
    // Read while the worker runs, and in order: it wrote partFrame and partNeed before the decode that made this
    // copy, and handed the copy over through the watch's exchange, which this thread's TakeRows reads.
    mainPicture.Assign(job.partFrame.WithPixels(job.partNeed, std::move(*rows)));
    NextPlacement()(mainPicture);
    mainPicture.visible = true;
    Update(ControlId::Main);
    LetGoOfHiddenBackdrop();
  }
  if (steps.Due(services_.clock.Milliseconds(), job.watch.RowsWritten())) job.watch.RequestRows(state_.background);
}

// Leaves the next picture, or the placeholder when it cannot be read, in staging, then draws the next sound. The
// picture is the one prepared; a file that changed since is read again, as if the tick read it itself.
void SaverShow::LoadNextPicture() {
  StartPreparation();
  const bool drawRows = NextControl() == ControlId::Main && state_.displayMode <= 5;
  AwaitJob(drawRows);
  if (job_ && !state_.showEnded && job_->stamp != services_.files.Stamp(job_->path)) {
    StartJob(job_->index, "");
    AwaitJob(drawRows);
  }
  const std::shared_ptr<PictureJob> job = std::move(job_);
  // The timer runs only with pictures in the list, and a show that ends prepares nothing more and reads nothing
  // of a preparation that may still run: a stray tick shows the placeholder, one at the end nothing.
  const bool loaded = !state_.showEnded && job && job->loaded && *job->loaded;
  if (state_.showEnded) staging.Clear();
  else staging.Assign(loaded ? job->shown : placeholder.picture);
  shownPath_ = job ? job->path : "";
  PickNextSound();
}

// The next picture's preparation makes its backdrop first; the tick takes it as soon as it is made. Nothing
// before the first tick, or once the show has ended.
Picture SaverShow::TakeBackdrop() {
  StartPreparation();
  AwaitJob(false, [this] { return !job_ || job_->backdropMade.load(); });
  return job_ && !state_.showEnded ? job_->backdrop : Picture();
}

}  // namespace lumora
