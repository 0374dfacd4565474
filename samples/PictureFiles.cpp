#include "samples/PictureFiles.h"

#include <fstream>
#include <stdexcept>

#include "samples/JpegEncoder.h"

namespace lumora {

namespace {

void PutLittleEndian(std::vector<uint8_t>& bytes, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> BmpFileOf(const Picture& picture) {
  constexpr uint32_t kHeadersSize = 14 + 40;
  const uint32_t stride = static_cast<uint32_t>(RowStride(picture.Width(), 24));
  const uint32_t pixelBytes = stride * static_cast<uint32_t>(picture.Height());
  std::vector<uint8_t> bytes{'B', 'M'};
  PutLittleEndian(bytes, kHeadersSize + pixelBytes, 4);
  PutLittleEndian(bytes, 0, 4);
  PutLittleEndian(bytes, kHeadersSize, 4);
  for (uint32_t field : {40u, static_cast<uint32_t>(picture.Width()), static_cast<uint32_t>(picture.Height())})
    PutLittleEndian(bytes, field, 4);
  PutLittleEndian(bytes, 1, 2);   // planes
  PutLittleEndian(bytes, 24, 2);  // bits per pixel
  for (uint32_t field : {0u, pixelBytes, 0u, 0u, 0u, 0u}) PutLittleEndian(bytes, field, 4);
  for (int y = picture.Height() - 1; y >= 0; --y) {
    const size_t rowStart = bytes.size();
    for (int x = 0; x < picture.Width(); ++x) {
      const Rgb colour = picture.PixelAt(x, y);
      bytes.insert(bytes.end(), {colour.b, colour.g, colour.r});
    }
    bytes.resize(rowStart + stride, 0);
  }
  return bytes;
}

std::vector<uint8_t> JpegFileOf(const Picture& picture, int quality) {
  SampleImage image;
  image.width = picture.Width();
  image.height = picture.Height();
  image.samples.reserve(static_cast<size_t>(image.width) * image.height * 3);
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) {
      Rgb colour = picture.PixelAt(x, y);
      image.samples.insert(image.samples.end(), {colour.r, colour.g, colour.b});
    }
  JpegOptions options;
  options.quality = quality;
  return EncodeJpeg(image, options);
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace lumora
