#pragma once
#include <cstdint>
#include <span>

namespace lumora {

// The Orientation field (tag 0x0112) of IFD0 in the contents of an Exif APP1 segment ("Exif\0\0", then a TIFF
// header in either byte order): 1 to 8. Anything else, or anything out of place (an offset past the segment, a
// field of the wrong type or count), gives 1: the photo is shown as stored.
int ExifOrientation(std::span<const uint8_t> segment);

}  // namespace lumora
