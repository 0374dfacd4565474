#include "fakes/PictureWriter.h"

#include <fstream>
#include <stdexcept>

#include "fakes/BmpBuilder.h"
#include "fakes/JpegBuilder.h"

namespace lumora::test {

std::vector<uint8_t> BmpFileOf(const Picture& picture) {
  std::vector<std::vector<uint8_t>> rows;
  for (int y = picture.Height() - 1; y >= 0; --y) {
    std::vector<uint8_t> row;
    for (int x = 0; x < picture.Width(); ++x) {
      Rgb colour = picture.PixelAt(x, y);
      row.insert(row.end(), {colour.b, colour.g, colour.r});
    }
    rows.push_back(std::move(row));
  }
  BmpFields fields;
  fields.width = picture.Width();
  fields.height = picture.Height();
  fields.pixels = PaddedRows(rows);
  return BuildBmp(fields);
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

}  // namespace lumora::test
