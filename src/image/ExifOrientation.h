#pragma once
#include <cstdint>
#include <span>

namespace lumora {

// The six bytes an Exif APP1 segment's contents start with.
inline constexpr uint8_t kExifHeader[6] = {'E', 'x', 'i', 'f', 0, 0};

// The Orientation field (tag 0x0112) of IFD0 in the contents of an Exif APP1 segment (kExifHeader, then a TIFF
// header in either byte order): 1 to 8. Anything else, or anything out of place (an offset past the segment, a
// field of the wrong type or count), gives 1: the photo is shown as stored.
int ExifOrientation(std::span<const uint8_t> segment);

}  // namespace lumora
