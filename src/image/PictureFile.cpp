#include "image/PictureFile.h"

#include <span>

#include "image/BmpDecoder.h"

namespace lumora {

namespace {

std::string LowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

}  // namespace

std::string PictureExtension(const std::string& path) {
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find_first_of("\\:", dot) != std::string::npos) return "";
  return path.substr(dot);
}

bool IsBitmapFile(const std::string& path) { return LowerAscii(PictureExtension(path)) == ".bmp"; }

std::optional<Picture> LoadPictureFile(FileSystem& files, const std::string& path, JpegColours colours) {
  const std::string extension = LowerAscii(PictureExtension(path));
  const bool bitmap = extension == ".bmp";
  const bool jpeg = extension == ".jpg" || extension == ".jpeg";
  if (!bitmap && !jpeg) return std::nullopt;
  try {
    std::optional<std::vector<uint8_t>> bytes = files.ReadFile(path, kMaxPictureFileBytes);
    if (!bytes) return std::nullopt;
    std::span<const uint8_t> data(*bytes);
    return bitmap ? DecodeBmp(data) : DecodeJpeg(data, colours);
  } catch (...) {
    // Whatever goes wrong while reading a picture, the caller shows its placeholder instead.
    return std::nullopt;
  }
}

}  // namespace lumora
