#include "image/ExifOrientation.h"

#include <cstring>

namespace lumora {
namespace {

constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kShortType = 3;
constexpr size_t kEntrySize = 12;

// The TIFF block after the Exif header, read in its own byte order; every read is bounds-checked by the caller.
struct Tiff {
  std::span<const uint8_t> bytes;
  bool bigEndian;

  uint32_t Read(size_t at, size_t size) const {
    uint32_t value = 0;
    for (size_t i = 0; i < size; ++i) {
      const uint32_t byte = bytes[bigEndian ? at + i : at + size - 1 - i];
      value = value << 8 | byte;
    }
    return value;
  }
  bool Holds(size_t at, size_t size) const { return at <= bytes.size() && size <= bytes.size() - at; }
};

int OrientationIn(const Tiff& tiff, size_t entry) {
  if (tiff.Read(entry + 2, 2) != kShortType || tiff.Read(entry + 4, 4) != 1) return 1;
  const uint32_t value = tiff.Read(entry + 8, 2);
  return value >= 2 && value <= 8 ? static_cast<int>(value) : 1;
}

}  // namespace

int ExifOrientation(std::span<const uint8_t> segment) {
  if (segment.size() < sizeof kExifHeader + 8 || std::memcmp(segment.data(), kExifHeader, sizeof kExifHeader) != 0)
    return 1;
  const std::span<const uint8_t> bytes = segment.subspan(sizeof kExifHeader);
  if (bytes[0] != bytes[1] || (bytes[0] != 'I' && bytes[0] != 'M')) return 1;
  const Tiff tiff{bytes, bytes[0] == 'M'};
  if (tiff.Read(2, 2) != 42) return 1;
  const size_t directory = tiff.Read(4, 4);
  if (!tiff.Holds(directory, 2)) return 1;
  const size_t entries = tiff.Read(directory, 2);
  if (!tiff.Holds(directory + 2, entries * kEntrySize)) return 1;
  for (size_t i = 0; i < entries; ++i) {
    const size_t entry = directory + 2 + i * kEntrySize;
    if (tiff.Read(entry, 2) == kOrientationTag) return OrientationIn(tiff, entry);
  }
  return 1;
}

}  // namespace lumora
