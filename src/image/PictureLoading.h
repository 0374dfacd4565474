#pragma once
#include <string>

#include "image/PictureFile.h"
#include "platform/FileSystem.h"

namespace lumora {

// The picture file read and decoded by the decoder its extension names, or why it cannot be shown. A JPEG's
// decoding, later when it is drawn, stops when `interrupted` says so.
DecodeResult LoadPictureFile(FileSystem& files, const std::string& path, JpegColours colours,
                             DecodeInterrupted interrupted = {});

}  // namespace lumora
