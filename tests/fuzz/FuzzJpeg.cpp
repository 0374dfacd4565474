// libFuzzer target: any bytes through the JPEG path as the saver takes it: prepared as the worker prepares the
// next picture (the same file's backdrop first, stretched over the screen under the watch, then the file read,
// opened from its header, and the rows and columns a small stretched control shows decoded at a reduced scale,
// with the rows so far copied for drawing, turned upright as the photo is), then drawn as the show draws it,
// stretched small and cut at natural size, in full colour and in the 236 colours of a palette display; and the
// same bytes read as an Exif block for its orientation, which most inputs never reach through a file. Decoding may
// fail; it must not crash, overrun or leak, and what it draws has the size asked. Built with LUMORA_FUZZ_HUGE_FRAMES,
// it draws pictures of any size, which is slower.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "image/ExifOrientation.h"
#include "image/JpegDecoder.h"
#include "image/Stretch.h"
#include "show/PictureControl.h"
#include "show/PictureJob.h"
#include "support/FakePlatform.h"

namespace {

// Larger pictures are opened but not drawn: their decoding is the same code at more rows, bounded by the work
// budget, and tried by the bad-input table; drawing them here would keep the fuzzer at a hundred inputs a second.
#ifdef LUMORA_FUZZ_HUGE_FRAMES
constexpr int64_t kMaxDrawnPixels = INT64_MAX;
#else
constexpr int64_t kMaxDrawnPixels = 1 << 18;
#endif
constexpr lumora::PixelRect kScreen{0, 0, 64, 48};

void Draw(const lumora::Picture& picture) {
  using namespace lumora;
  const Picture stretched = StretchedPart(picture, 64, 48, kScreen);
  if (stretched.Width() != 64 || stretched.Height() != 48) std::abort();
  const PixelRect corner = Intersect(PixelRect{0, 0, 40, 30}, PixelRect{0, 0, picture.Width(), picture.Height()});
  if (!corner.Empty() && CroppedPart(picture, corner).Width() != corner.Width()) std::abort();
}

// The worker's preparation for a control stretched over a 64 x 48 screen, its rows watched, with the backdrop of
// the same file; what it made is drawn.
void Prepare(const std::vector<uint8_t>& file, lumora::JpegColours colours) {
  using namespace lumora;
  test::FakeFileSystem files;
  files.Add("C:\\PICS\\FUZZ.JPG", file);
  PictureJob job;
  job.path = job.backdropPath = "C:\\PICS\\FUZZ.JPG";
  job.screen = kScreen;
  job.colours = colours;
  job.need = [](const Picture& picture) {
    PictureControl control;
    control.stretch = true;
    control.width = kScreen.Width();
    control.height = kScreen.Height();
    control.picture = picture;
    return ShownNeedOf(control, kScreen);
  };
  job.watch.RequestRows(Rgb{1, 2, 3});
  PreparePicture(files, job);
  if (const std::unique_ptr<PictureData> rows = job.watch.TakeRows();
      rows && (rows->width != job.partNeed.Width() || rows->height != job.partNeed.Height() || rows->bits == nullptr))
    std::abort();
  if (job.backdrop.Width() != kScreen.Width() || job.backdrop.Height() != kScreen.Height()) std::abort();
  if (job.loaded && *job.loaded) Draw(job.shown);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumora;
  const std::vector<uint8_t> file(data, data + size);
  if (const int orientation = ExifOrientation(file); orientation < 1 || orientation > 8) std::abort();
  for (const JpegColours colours : {JpegColours::Full24Bit, JpegColours::Quantised236})
    if (const DecodeResult opened = OpenJpeg(file, colours);
        opened && int64_t{opened->Width()} * opened->Height() <= kMaxDrawnPixels) {
      Draw(*opened);
      Prepare(file, colours);
    }
  return 0;
}
