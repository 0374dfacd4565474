// libFuzzer target: any bytes through the JPEG path as the saver takes it: opened from its header, then drawn
// as the show draws it, stretched small (decoded at a reduced scale) and cut at natural size, in full colour and
// in the 236 colours of a palette display; and the same bytes read as an Exif block for its orientation, which
// most inputs never reach through a file. Decoding may fail; it must not crash, overrun or leak, and what it
// draws has the size asked.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "image/ExifOrientation.h"
#include "image/JpegDecoder.h"
#include "image/Stretch.h"

namespace {

// Larger pictures are opened but not drawn: their decoding is the same code at more rows, bounded by the work
// budget, and tried by the bad-input table; drawing them here would keep the fuzzer at a hundred inputs a second.
constexpr int64_t kMaxDrawnPixels = 1 << 18;

void Draw(const lumora::Picture& picture) {
  using namespace lumora;
  const Picture stretched = StretchedPart(picture, 64, 48, PixelRect{0, 0, 64, 48});
  if (stretched.Width() != 64 || stretched.Height() != 48) std::abort();
  const PixelRect corner = Intersect(PixelRect{0, 0, 40, 30}, PixelRect{0, 0, picture.Width(), picture.Height()});
  if (!corner.Empty() && CroppedPart(picture, corner).Width() != corner.Width()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumora;
  const std::vector<uint8_t> file(data, data + size);
  if (const int orientation = ExifOrientation(file); orientation < 1 || orientation > 8) std::abort();
  for (const JpegColours colours : {JpegColours::Full24Bit, JpegColours::Quantised236})
    if (const DecodeResult opened = OpenJpeg(file, colours);
        opened && int64_t{opened->Width()} * opened->Height() <= kMaxDrawnPixels)
      Draw(*opened);
  return 0;
}
