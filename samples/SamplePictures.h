#pragma once
#include <string>
#include <vector>

#include "image/Picture.h"

namespace lumora::samples {

enum class SampleFormat { Jpeg, Bmp };

struct SamplePicture {
  std::string fileName;
  SampleFormat format;
  Picture picture;
};

// The pictures the demo shows: drawn here, so nothing binary is kept in the repository. Sizes vary on purpose:
// smaller than the screen, larger than the screen, tall and wide.
std::vector<SamplePicture> MakeSamplePictures();

}  // namespace lumora::samples
