#pragma once
// Picture files written by programs: the demo's sample pictures, the benchmarks' inputs and the tests'.
#include <cstdint>
#include <string>
#include <vector>

#include "image/Picture.h"

namespace lumora {

// A 24-bit bottom-up Windows bitmap file of the picture (BuildBmp's).
std::vector<uint8_t> BmpFileOf(const Picture& picture);
// A baseline JPEG file of the picture.
std::vector<uint8_t> JpegFileOf(const Picture& picture, int quality = 92);
// A 24-bit picture whose pixel (x, y) is colourAt(x, y).
template <class ColourAt>
Picture MakePicture(int width, int height, ColourAt colourAt) {
  PictureData data = AllocatePicture(width, height, 24);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = data.Row(y);
    for (int x = 0; x < width; ++x) {
      Rgb colour = colourAt(x, y);
      row[x * 3] = colour.b;
      row[x * 3 + 1] = colour.g;
      row[x * 3 + 2] = colour.r;
    }
  }
  return Picture(std::move(data));
}
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace lumora
