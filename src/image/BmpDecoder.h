#pragma once
#include <cstdint>
#include <span>

#include "image/DecodeResult.h"
#include "image/DecodeWatch.h"

namespace lumora {

// A Windows bitmap file decoded to 24-bit pixels, or why it is not a complete, consistent bitmap.
// Accepts the core, info, V2, V3, V4 and V5 headers and the 64-byte OS/2 2.x header; 1, 4, 8, 16, 24 and 32 bits;
// uncompressed, bit fields, RLE8 and RLE4. Pixels that RLE data never writes are black; RLE runs may reach into
// a row's padding, whose pixels are dropped; RLE data may end without an end-of-bitmap code between two codes. A
// `watch`, when given, may stop the decode between two rows.
DecodeResult DecodeBmp(std::span<const uint8_t> file, const DecodeWatch* watch = nullptr);

}  // namespace lumora
