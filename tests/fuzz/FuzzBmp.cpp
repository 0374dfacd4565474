// libFuzzer target: any bytes through the bitmap decoder. A picture it accepts is within the size limit and has
// its rows' padding cleared; anything else is refused with a reason.
#include <cstdint>
#include <cstdlib>

#include "image/BmpDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const lumora::DecodeResult picture = lumora::DecodeBmp({data, size});
  if (!picture) {
    if (picture.error().reason.empty()) std::abort();
    return 0;
  }
  if (picture->Width() < 1 || picture->Height() < 1 ||
      picture->Stride() * static_cast<uint64_t>(picture->Height()) > lumora::kMaxPictureBytes)
    std::abort();
  const size_t pixelBytes = static_cast<size_t>(picture->Width()) * 3;
  for (int y = 0; y < picture->Height(); ++y)
    for (size_t at = pixelBytes; at < picture->Stride(); ++at)
      if (picture->Row(y)[at] != 0) std::abort();
  return 0;
}
