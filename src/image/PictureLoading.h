#pragma once
#include <string>

#include "image/PictureFile.h"
#include "platform/FileSystem.h"

namespace lumora {

// The picture file read and decoded by the decoder its extension names, or why it cannot be shown.
DecodeResult LoadPictureFile(FileSystem& files, const std::string& path, JpegColours colours);

}  // namespace lumora
