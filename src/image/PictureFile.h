#pragma once
#include <optional>
#include <string>

#include "image/JpegDecoder.h"
#include "image/Picture.h"
#include "platform/FileSystem.h"

namespace lumora {

// Picture files larger than this are not read at all.
inline constexpr size_t kMaxPictureFileBytes = 256u << 20;

// The part of the path from its last "." on, dot included; empty when a "\" or ":" follows that dot.
std::string PictureExtension(const std::string& path);
// The extension, upper-cased in a to z only, is ".BMP".
bool IsBitmapFile(const std::string& path);
// The file decoded by the decoder its extension names (bmp, jpg, jpeg; letter case aside), or nothing when the
// file cannot be read, its extension names no decoder or its data is not a valid picture of its kind.
std::optional<Picture> LoadPictureFile(FileSystem& files, const std::string& path, JpegColours colours);

}  // namespace lumora
