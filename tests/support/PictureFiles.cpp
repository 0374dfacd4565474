#include "support/PictureFiles.h"

#include <fstream>
#include <stdexcept>

#include "support/BmpBuilder.h"
#include "support/JpegEncoder.h"

namespace lumora {

std::vector<uint8_t> BmpFileOf(const Picture& picture) {
  std::vector<std::vector<uint8_t>> rows;
  for (int y = picture.Height() - 1; y >= 0; --y) {
    std::vector<uint8_t>& row = rows.emplace_back();
    for (int x = 0; x < picture.Width(); ++x) {
      const Rgb colour = picture.PixelAt(x, y);
      row.insert(row.end(), {colour.b, colour.g, colour.r});
    }
  }
  test::BmpFields fields{.width = picture.Width(), .height = picture.Height(), .pixels = test::PaddedRows(rows)};
  fields.sizeImage = static_cast<uint32_t>(fields.pixels.size());
  return test::BuildBmp(fields);
}

std::vector<uint8_t> JpegFileOf(const Picture& picture, int quality) {
  SampleImage image;
  image.width = picture.Width();
  image.height = picture.Height();
  image.samples.resize(static_cast<size_t>(image.width) * image.height * 3);
  uint8_t* out = image.samples.data();
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x, out += 3) {
      const Rgb colour = picture.PixelAt(x, y);
      out[0] = colour.r;
      out[1] = colour.g;
      out[2] = colour.b;
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
