#include "PhotoLike.h"

#include <cmath>
#include <random>
#include <vector>

namespace lumora::bench {

namespace {

uint8_t Clamp(float value) { return static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value + 0.5f); }

// Smooth random relief: a lattice of random values every `cell` pixels, interpolated in between.
class ValueNoise {
 public:
  ValueNoise(int width, int height, int cell, std::mt19937& random)
      : cell_(cell), columns_(width / cell + 2), values_(static_cast<size_t>(columns_) * (height / cell + 2)) {
    std::uniform_real_distribution<float> spread(-1, 1);
    for (float& value : values_) value = spread(random);
  }
  float At(int x, int y) const {
    int cx = x / cell_, cy = y / cell_;
    float fx = static_cast<float>(x % cell_) / cell_, fy = static_cast<float>(y % cell_) / cell_;
    const float* top = &values_[static_cast<size_t>(cy) * columns_ + cx];
    const float* bottom = top + columns_;
    float upper = top[0] + (top[1] - top[0]) * fx, lower = bottom[0] + (bottom[1] - bottom[0]) * fx;
    return upper + (lower - upper) * fy;
  }

 private:
  int cell_;
  int columns_;
  std::vector<float> values_;
};

// Rows of the landscape, top to bottom; the grain comes from one random sequence, so rows go in order.
class PhotoLikeRows {
 public:
  PhotoLikeRows(int width, int height)
      : random_(20240601),
        foliage_(width, height, 9, random_),
        soil_(width, height, 4, random_),
        light_(width, height, 400, random_),
        grain_(0, 4),
        horizons_(width),
        grounds_(width) {
    for (int x = 0; x < width; ++x) {
      horizons_[x] = height * 0.38f + 90 * std::sin(x * 0.0021f) + 25 * std::sin(x * 0.017f);
      grounds_[x] = height * 0.72f + 60 * std::sin(x * 0.0013f + 1.0f);
    }
  }

  void Row(int y, uint8_t* out) {
    for (size_t x = 0; x < horizons_.size(); ++x, out += 3) {
      const int column = static_cast<int>(x);
      const float horizon = horizons_[x], ground = grounds_[x];
      const float shade = 1 + 0.25f * light_.At(column, y), noise = grain_(random_);
      float r, g, b;
      if (y < horizon) {
        const float t = y / horizon;
        r = 90 + 80 * t, g = 140 + 60 * t, b = 230 - 20 * t;
      } else if (y < ground) {
        const float leaf = 45 * foliage_.At(column, y);
        r = 60 + leaf * 0.6f, g = 110 + leaf, b = 50 + leaf * 0.4f;
      } else {
        const float clod = 55 * soil_.At(column, y) + 25 * foliage_.At(column, y);
        r = 140 + clod, g = 100 + clod * 0.8f, b = 70 + clod * 0.6f;
      }
      out[0] = Clamp(r * shade + noise), out[1] = Clamp(g * shade + noise), out[2] = Clamp(b * shade + noise);
    }
  }

 private:
  std::mt19937 random_;
  ValueNoise foliage_, soil_, light_;
  std::normal_distribution<float> grain_;
  std::vector<float> horizons_, grounds_;
};

}  // namespace

SampleImage PhotoLikeImage(int width, int height) {
  PhotoLikeRows rows(width, height);
  SampleImage image{width, height, SampleLayout::Rgb, {}};
  image.samples.resize(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) rows.Row(y, image.samples.data() + static_cast<size_t>(y) * width * 3);
  return image;
}

std::vector<uint8_t> PhotoLikeJpeg(int width, int height, int quality) {
  PhotoLikeRows rows(width, height);
  return EncodeJpegRows(width, height, SampleLayout::Rgb, [&](int y, uint8_t* row) { rows.Row(y, row); },
                        {.quality = quality});
}

}  // namespace lumora::bench
