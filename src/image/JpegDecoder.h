#pragma once
#include <cstdint>
#include <span>

#include "image/DecodeResult.h"

namespace lumora {

enum class JpegColours {
  Full24Bit,     // 24-bit blue, green, red rows
  Quantised236,  // 8-bit rows indexing a palette of at most 236 colours, for displays of 8 bits or fewer
};

// A JPEG file decoded at full size, or why libjpeg cannot decode it. Damaged files that libjpeg can
// still read with warnings (a truncated file, say) decode as far as their data goes.
DecodeResult DecodeJpeg(std::span<const uint8_t> file, JpegColours colours);

}  // namespace lumora
