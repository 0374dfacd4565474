#pragma once
#include <cstdint>
#include <span>
#include <string>

#include "image/DecodeResult.h"
#include "image/JpegDecoder.h"

namespace lumora {

// Picture files larger than this are not read at all.
inline constexpr size_t kMaxPictureFileBytes = 256u << 20;

// The part of the path from its last "." on, dot included; empty when a "\" or ":" follows that dot.
std::string PictureExtension(const std::string& path);
// The extension, upper-cased in a to z only, is ".BMP".
bool IsBitmapFile(const std::string& path);
// The bytes of the file at `path`, decoded by the decoder its extension names (bmp, jpg, jpeg; letter case aside).
DecodeResult DecodePictureFile(const std::string& path, std::span<const uint8_t> bytes, JpegColours colours);
// True when the extension of `path` names a decoder.
bool HasPictureExtension(const std::string& path);

}  // namespace lumora
