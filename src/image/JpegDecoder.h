#pragma once
#include <cstdint>
#include <vector>

#include "image/DecodeResult.h"

namespace lumora {

enum class JpegColours {
  Full24Bit,     // 24-bit blue, green, red rows
  Quantised236,  // 8-bit rows indexing a palette of at most 236 colours, for displays of 8 bits or fewer
};

// The picture of a JPEG file as its header describes it: its natural size, and its pixels decoded from the
// file's bytes, which it keeps, only when and as far as it is drawn (at a reduced scale where it is drawn
// smaller). A photo whose Exif orientation says it was stored turned or mirrored is the upright picture: its
// natural size is the upright size, and its parts are upright. Refused when the header is missing or damaged,
// or names a colour space that is not shown. Damaged data that libjpeg still reads with warnings (a truncated
// file, say) decodes as far as it goes.
DecodeResult OpenJpeg(std::vector<uint8_t> file, JpegColours colours);

}  // namespace lumora
