#include "image/PictureLoading.h"

#include <new>

namespace lumora {

DecodeResult LoadPictureFile(FileSystem& files, const std::string& path, JpegColours colours,
                             const DecodeWatch* watch) {
  // Not even read when no decoder would take it.
  if (!HasPictureExtension(path)) return DecodePictureFile(path, {}, colours);
  try {
    if (IsJpegFile(path)) return OpenJpeg([&files, path] { return files.OpenFile(path); }, colours);
    std::optional<std::vector<uint8_t>> bytes = files.ReadFile(path, kMaxPictureFileBytes);
    if (!bytes)
      return DecodeError{DecodeFailure::Unreadable,
                         "cannot read the file, or it is over " + std::to_string(kMaxPictureFileBytes >> 20) + " MB"};
    return DecodePictureFile(path, std::move(*bytes), colours, watch);
  } catch (const std::bad_alloc&) {
    // The file's bytes alone did not fit: refused for want of memory, and shown as the placeholder.
    return DecodeError{DecodeFailure::OutOfMemory, "no memory to read the file"};
  }
}

}  // namespace lumora
