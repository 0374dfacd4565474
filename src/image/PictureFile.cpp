#include "image/PictureFile.h"

#include "image/BmpDecoder.h"
#include "platform/AsciiCase.h"

namespace lumora {

std::string PictureExtension(const std::string& path) {
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find_first_of("\\:", dot) != std::string::npos) return "";
  return path.substr(dot);
}

// An ending with one dot, at its start, is the extension itself: no copy of the extension is needed.
bool IsBitmapFile(const std::string& path) { return EndsWithIgnoringAsciiCase(path, ".bmp"); }

bool IsJpegFile(const std::string& path) {
  return EndsWithIgnoringAsciiCase(path, ".jpg") || EndsWithIgnoringAsciiCase(path, ".jpeg");
}

bool HasPictureExtension(const std::string& path) { return IsBitmapFile(path) || IsJpegFile(path); }

DecodeResult DecodePictureFile(const std::string& path, std::vector<uint8_t> bytes, JpegColours colours,
                               const DecodeWatch* watch) {
  if (IsBitmapFile(path)) return DecodeBmp(bytes, watch);
  if (IsJpegFile(path)) return OpenJpeg(std::move(bytes), colours);
  return DecodeError{DecodeFailure::UnknownKind, "no decoder for the extension \"" + PictureExtension(path) + "\""};
}

bool HasPictureSignature(const std::string& path, std::span<const uint8_t> head) {
  if (IsBitmapFile(path)) return head.size() >= 2 && head[0] == 'B' && head[1] == 'M';
  return IsJpegFile(path) && head.size() >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF;
}

}  // namespace lumora
