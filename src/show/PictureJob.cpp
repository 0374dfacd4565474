#include "show/PictureJob.h"

#include <exception>
#include <memory>
#include <stdexcept>
#include <utility>

#include "image/PictureLoading.h"
#include "image/Placeholder.h"

namespace lumora {

namespace {

// A picture whose pixels failed to decode: drawn, it shows the placeholder at once instead of failing again.
class FailedSource : public PictureSource {
 public:
  PictureData DecodePart(const PixelNeed&, DecodeWatch*) const override {
    throw std::runtime_error("the picture's data failed when it was prepared");
  }
};

Picture Failed(const Picture& picture) {
  return Picture(picture.Width(), picture.Height(), std::make_shared<const FailedSource>());
}

Picture Prepared(const Picture& picture, const std::optional<PixelNeed>& need, DecodeWatch* watch) {
  if (!need) return picture;
  try {
    return picture.Part(*need, watch);
  } catch (const std::runtime_error&) { return Failed(picture); }
}

void PrepareShown(PictureJob& job) {
  const Picture& picture = **job.loaded;
  const std::optional<PixelNeed> need = job.need(picture);
  if (need) {
    job.partFrame = Picture(picture.Width(), picture.Height(), nullptr);
    job.partNeed = *need;
  }
  job.shown = Prepared(picture, need, &job.watch);
  // The loaded picture keeps only the prepared part: the source that would read the file again is let go.
  job.loaded = DecodeResult(job.shown);
}

// The picture the tick before showed, stretched over the screen; the placeholder when it cannot be read now. Its
// rows are not those the window draws while it waits.
void MakeBackdrop(FileSystem& files, PictureJob& job) {
  const DecodeResult shown = LoadPictureFile(files, job.backdropPath, job.colours, &job.watch);
  job.watch.ReportRows(false);
  job.backdrop = StretchedPart(shown ? *shown : PlaceholderPicture(), job.screen.Width(), job.screen.Height(),
                               job.screen, &job.watch);
  job.watch.ReportRows(true);
}

// Cancelled work lets go of everything it held but the backdrop, which once made is the window's thread's.
void Drop(PictureJob& job) {
  job.loaded.reset();
  job.shown = Picture();
}

}  // namespace

void PreparePicture(FileSystem& files, PictureJob& job) {
  try {
    if (!job.backdropPath.empty() && !job.watch.Cancelled()) MakeBackdrop(files, job);
    job.backdropMade.store(true);
    if (!job.watch.Cancelled()) {
      job.stamp = files.Stamp(job.path);
      job.loaded = LoadPictureFile(files, job.path, job.colours, &job.watch);
      if (!job.watch.Cancelled() && *job.loaded) PrepareShown(job);
    }
    if (job.watch.Cancelled()) Drop(job);
  } catch (const std::exception&) {
    // Memory for the copies (std::bad_alloc, std::length_error): the tick shows the placeholder.
    job.loaded = DecodeError{DecodeFailure::OutOfMemory, "no memory to prepare the picture"};
    job.shown = Picture();
  }
}

void PrepareAgainIfChanged(FileSystem& files, PictureJob& prepared, PictureJob& job) {
  if (files.Stamp(job.path) != prepared.stamp) return PreparePicture(files, job);
  job.stamp = prepared.stamp;
  job.loaded = std::move(prepared.loaded);
  job.shown = std::move(prepared.shown);
}

}  // namespace lumora
