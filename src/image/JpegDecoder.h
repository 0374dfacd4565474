#pragma once
#include <cstdint>
#include <optional>
#include <span>

#include "image/Picture.h"

namespace lumora {

enum class JpegColours {
  Full24Bit,     // 24-bit blue, green, red rows
  Quantised236,  // 8-bit rows indexing a palette of at most 236 colours, for displays of 8 bits or fewer
};

// A JPEG file decoded at full size, or nothing when libjpeg cannot decode it. Damaged files that libjpeg can
// still read with warnings (a truncated file, say) decode as far as their data goes.
std::optional<Picture> DecodeJpeg(std::span<const uint8_t> file, JpegColours colours);

}  // namespace lumora
