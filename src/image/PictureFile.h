#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "image/DecodeResult.h"
#include "image/DecodeWatch.h"
#include "image/JpegDecoder.h"

namespace lumora {

// Bitmap files larger than this are not read at all; a JPEG is read a piece at a time.
inline constexpr size_t kMaxPictureFileBytes = 256u << 20;

// The part of the path from its last "." on, dot included; empty when a "\" or ":" follows that dot.
std::string PictureExtension(const std::string& path);
// The extension, lower-cased in A to Z only, is ".bmp".
bool IsBitmapFile(const std::string& path);
// The same for ".jpg" and ".jpeg".
bool IsJpegFile(const std::string& path);
// The bytes of the file at `path`, read by the decoder its extension names (bmp, jpg, jpeg; letter case aside):
// a bitmap decoded whole (stopped between two rows by `watch`, when given), a JPEG opened to be decoded as it is
// drawn (OpenJpeg).
DecodeResult DecodePictureFile(const std::string& path, std::vector<uint8_t> bytes, JpegColours colours,
                               const DecodeWatch* watch = nullptr);
// True when the extension of `path` names a decoder.
bool HasPictureExtension(const std::string& path);
// The bytes a file of that extension starts with: "BM" for a bitmap, a JPEG's start-of-image marker.
inline constexpr size_t kPictureSignatureBytes = 3;
// True when `head`, the first bytes of the file at `path`, starts as its extension says it does.
bool HasPictureSignature(const std::string& path, std::span<const uint8_t> head);

}  // namespace lumora
