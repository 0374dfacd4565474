#include "show/NextPicture.h"

namespace lumora {

namespace {

// Between two looks at the picture being prepared while the window handles its messages.
constexpr uint32_t kWaitStepMs = 100;
// Once a copy of the rows is asked for, it comes with the next row.
constexpr uint32_t kRowsWaitMs = 20;

}  // namespace

std::shared_ptr<PictureJob> NextPicture::Request(const std::string& path, NeedRule need,
                                                 const std::string& backdropPath) const {
  auto job = std::make_shared<PictureJob>();
  job->path = path;
  job->colours = services_.stage.BitsPerPixel() <= 8 ? JpegColours::Quantised236 : JpegColours::Full24Bit;
  job->need = std::move(need);
  job->backdropPath = backdropPath;
  job->screen = PixelRect{0, 0, services_.stage.ScreenWidth(), services_.stage.ScreenHeight()};
  return job;
}

void NextPicture::Start(const std::string& path, NeedRule need, const std::string& backdropPath) {
  job_ = Request(path, std::move(need), backdropPath);
  FileSystem& files = services_.files;
  services_.worker.Start([&files, job = job_] { PreparePicture(files, *job); });
}

// The prepared job goes to the worker with the new one, and the window's thread no longer touches it.
void NextPicture::StartCheck() {
  const std::shared_ptr<PictureJob> prepared = std::move(job_);
  job_ = Request(prepared->path, prepared->need, "");
  FileSystem& files = services_.files;
  services_.worker.Start([&files, prepared, job = job_] { PrepareAgainIfChanged(files, *prepared, *job); });
}

// The preparation makes its backdrop first; the tick takes it as soon as it is made.
Picture NextPicture::TakeBackdrop() {
  Await(nullptr, [this] { return !job_ || job_->backdropMade.load(); });
  return job_ && !ended_ ? job_->backdrop : Picture();
}

// A file that changed since it was prepared is read again, as if the tick read it itself. Whether it changed is
// asked on the worker, and waited for as the picture is.
Picture NextPicture::Take(const Picture& placeholder, const RowsSoFar* rows) {
  Await(rows);
  if (job_ && !ended_) {
    StartCheck();
    Await(rows);
  }
  const std::shared_ptr<PictureJob> job = std::move(job_);
  shownPath_ = job ? job->path : "";
  if (ended_) return Picture();
  return job && job->loaded && *job->loaded ? job->shown : placeholder;
}

void NextPicture::End() {
  ended_ = true;
  if (job_) job_->watch.Cancel();
}

// Handles the window's messages until the worker has finished (or `ready`, when given), or the show has ended (a
// preparation still running then is left to stop by itself): input is handled at once, and a tick that comes
// meanwhile runs once this one has ended.
void NextPicture::Await(const RowsSoFar* rows, const std::function<bool()>& ready) {
  struct Awaiting {
    bool& flag;
    const bool before;
    explicit Awaiting(bool& f) : flag(f), before(f) { flag = true; }
    ~Awaiting() { flag = before; }
  } awaiting(awaiting_);
  RowSteps steps;
  while (!(ready && ready()) && !services_.worker.Finished() && !ended_) {
    if (rows) DrawDecodedRows(steps, *rows);
    services_.worker.WaitForJobOrMessage(rows ? kRowsWaitMs : kWaitStepMs);
    services_.stage.ProcessMessages();
  }
}

void NextPicture::DrawDecodedRows(RowSteps& steps, const RowsSoFar& rows) {
  PictureJob& job = *job_;
  if (std::unique_ptr<PictureData> decoded = job.watch.TakeRows()) {
    // Read while the worker runs, and in order: it wrote partFrame and partNeed before the decode that made this
    // copy, and handed the copy over through the watch's exchange, which this thread's TakeRows reads.
    rows.show(job.partFrame.WithPixels(job.partNeed, std::move(*decoded)));
  }
  if (steps.Due(services_.clock.Milliseconds(), job.watch.RowsWritten())) job.watch.RequestRows(rows.fill);
}

}  // namespace lumora
