#pragma once
#include <string>

#include "image/PictureFile.h"
#include "platform/FileSystem.h"

namespace lumora {

// The picture file read and decoded by the decoder its extension names, or why it cannot be shown; a bitmap's
// decode is stopped between two rows by `watch`, when given. A JPEG is read through `files` again each time its
// pixels are decoded, so `files` must outlive the picture.
DecodeResult LoadPictureFile(FileSystem& files, const std::string& path, JpegColours colours,
                             const DecodeWatch* watch = nullptr);

}  // namespace lumora
