// libFuzzer target: any bytes through the JPEG path as the saver takes it: opened from its header, then drawn
// stretched small and cut at natural size, and decoded whole. Decoding may fail; it must not crash, overrun or
// leak, and what it draws has the size asked.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "image/JpegDecoder.h"
#include "image/Stretch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumora;
  const std::vector<uint8_t> file(data, data + size);
  const DecodeResult opened = OpenJpeg(file, JpegColours::Full24Bit);
  if (opened) {
    const Picture stretched = StretchedPart(*opened, 64, 48, PixelRect{0, 0, 64, 48});
    if (stretched.Width() != 64 || stretched.Height() != 48) std::abort();
    const PixelRect corner = Intersect(PixelRect{0, 0, 40, 30}, PixelRect{0, 0, opened->Width(), opened->Height()});
    if (!corner.Empty() && CroppedPart(*opened, corner).Width() != corner.Width()) std::abort();
  }
  DecodeJpeg(file, JpegColours::Quantised236);
  return 0;
}
