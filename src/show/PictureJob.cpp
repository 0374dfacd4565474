#include "show/PictureJob.h"

#include <exception>
#include <memory>
#include <stdexcept>

#include "image/PictureLoading.h"

namespace lumora {

namespace {

// A picture whose pixels failed to decode: drawn, it shows the placeholder at once instead of failing again.
class FailedSource : public PictureSource {
 public:
  PictureData DecodePart(int, const PixelRect&, const RowList*, DecodeWatch*) const override {
    throw std::runtime_error("the picture's data failed when it was prepared");
  }
};

Picture Failed(const Picture& picture) {
  return Picture(picture.Width(), picture.Height(), std::make_shared<const FailedSource>());
}

Picture Prepared(const Picture& picture, const std::optional<PixelNeed>& need, DecodeWatch* watch) {
  if (!need) return picture;
  try {
    return picture.Part(need->eighths, need->region, need->Rows(), watch);
  } catch (const std::runtime_error&) {
    return Failed(picture);
  }
}

void PrepareShown(PictureJob& job) {
  const Picture& picture = **job.loaded;
  const std::optional<PixelNeed> need = job.need(picture);
  if (need) {
    job.partFrame = Picture(picture.Width(), picture.Height(), nullptr);
    job.partNeed = *need;
  }
  job.shown = Prepared(picture, need, &job.watch);
  if (job.makeBackdrop && !job.watch.Cancelled()) job.backdrop = job.makeBackdrop(picture);
  // The file's bytes go with the source.
  job.loaded = DecodeResult(job.shown);
}

// Cancelled work lets go of everything it held.
void Drop(PictureJob& job) {
  job.loaded.reset();
  job.shown = job.backdrop = Picture();
}

}  // namespace

void PreparePicture(FileSystem& files, PictureJob& job) {
  try {
    if (job.watch.Cancelled()) return;
    job.stamp = files.Stamp(job.path);
    job.loaded = LoadPictureFile(files, job.path, job.colours);
    if (!job.watch.Cancelled() && *job.loaded) PrepareShown(job);
    if (job.watch.Cancelled()) Drop(job);
  } catch (const std::exception&) {
    // Memory for the copies (std::bad_alloc, std::length_error): the tick shows the placeholder.
    job.loaded = DecodeError{DecodeFailure::OutOfMemory, "no memory to prepare the picture"};
    job.shown = job.backdrop = Picture();
  }
}

}  // namespace lumora
