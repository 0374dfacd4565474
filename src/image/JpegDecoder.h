#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "image/DecodeResult.h"
#include "platform/FileSystem.h"

namespace lumora {

enum class JpegColours {
  Full24Bit,     // 24-bit blue, green, red rows
  Quantised236,  // 8-bit rows indexing a palette of at most 236 colours, for displays of 8 bits or fewer
};

// Opens a file's bytes afresh, from the start; nothing when they cannot be read.
using FileOpener = std::function<std::unique_ptr<FileReader>()>;

// The picture of a JPEG file as its header describes it: its natural size, and its pixels decoded from the
// file, read again a piece at a time and never held whole, only when and as far as it is drawn (at a reduced
// scale where it is drawn smaller). A photo whose Exif orientation says it was stored turned or mirrored is the
// upright picture: its natural size is the upright size, and its parts are upright. Refused when the header is
// missing or damaged, or names a colour space that is not shown. Damaged data that libjpeg still reads with
// warnings (a truncated file, say) decodes as far as it goes.
DecodeResult OpenJpeg(FileOpener file, JpegColours colours);
// The same for a file's bytes held in memory, which the picture keeps.
DecodeResult OpenJpeg(std::vector<uint8_t> file, JpegColours colours);

}  // namespace lumora
