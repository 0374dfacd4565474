#include "samples/SamplePictures.h"

#include <algorithm>
#include <cmath>

#include "support/PictureFiles.h"

namespace lumora::samples {

namespace {

uint8_t Clamp(double value) { return static_cast<uint8_t>(std::clamp(value, 0.0, 255.0)); }

Rgb Mix(Rgb a, Rgb b, double t) {
  return {Clamp(a.r + (b.r - a.r) * t), Clamp(a.g + (b.g - a.g) * t), Clamp(a.b + (b.b - a.b) * t)};
}

Picture Sunset(int width, int height) {
  return MakePicture(width, height, [=](int x, int y) {
    const double u = double(x) / width, v = double(y) / height;
    const double ridge = 0.62 + 0.08 * std::sin(u * 9.0) + 0.04 * std::sin(u * 23.0 + 1.0);
    if (v > ridge) return Mix(Rgb{40, 24, 60}, Rgb{10, 8, 20}, (v - ridge) / (1 - ridge));
    const double sun = std::hypot(u - 0.7, (v - 0.45) * height / width);
    if (sun < 0.07) return Rgb{255, 236, 160};
    return Mix(Rgb{255, 150, 60}, Rgb{90, 40, 120}, 1 - v / ridge);
  });
}

Picture Checker(int width, int height) {
  return MakePicture(width, height, [](int x, int y) {
    static constexpr Rgb kColours[] = {{220, 40, 40}, {40, 180, 60}, {40, 80, 220}, {240, 210, 40}};
    return kColours[((x / 80) + 2 * (y / 80)) % 4];
  });
}

Picture Ocean(int width, int height) {
  return MakePicture(width, height, [=](int x, int y) {
    const double u = double(x) / width, v = double(y) / height;
    if (v < 0.35) return Mix(Rgb{140, 200, 250}, Rgb{230, 245, 255}, v / 0.35);
    const double wave = 0.5 + 0.5 * std::sin(u * 40.0 + v * 90.0);
    return Mix(Rgb{10, 60, 130}, Rgb{30, 130, 190}, 0.6 * wave + 0.4 * (1 - v));
  });
}

Picture ColourBars(int width, int height) {
  return MakePicture(width, height, [=](int x, int) {
    static constexpr Rgb kBars[] = {{255, 255, 255}, {255, 255, 0}, {0, 255, 255}, {0, 255, 0},
                                    {255, 0, 255},   {255, 0, 0},   {0, 0, 255},   {0, 0, 0}};
    return kBars[x * 8 / width];
  });
}

Picture Meadow(int width, int height) {
  return MakePicture(width, height, [=](int x, int y) {
    const double u = double(x) / width, v = double(y) / height;
    const double hill = 0.45 + 0.1 * std::sin(u * 5.0 + 0.5);
    if (v < hill) return Mix(Rgb{120, 180, 255}, Rgb{200, 230, 255}, v / hill);
    if ((x * 7 + y * 13) % 97 == 0) return Rgb{250, 240, 120};
    return Mix(Rgb{90, 170, 60}, Rgb{30, 100, 30}, (v - hill) / (1 - hill));
  });
}

Picture Lanterns(int width, int height) {
  return MakePicture(width, height, [=](int x, int y) {
    const double u = double(x) / width, v = double(y) / height;
    for (int i = 0; i < 5; ++i) {
      const double cx = 0.2 + 0.15 * i, cy = 0.2 + 0.14 * i;
      if (std::hypot(u - cx, (v - cy) * height / width) < 0.08) return Rgb{255, Clamp(120 + 25 * i), 40};
    }
    return Mix(Rgb{20, 20, 50}, Rgb{60, 20, 70}, v);
  });
}

}  // namespace

std::vector<SamplePicture> MakeSamplePictures() {
  return {
      {"sunset.jpg", SampleFormat::Jpeg, Sunset(800, 600)},     {"checker.bmp", SampleFormat::Bmp, Checker(640, 480)},
      {"lanterns.jpg", SampleFormat::Jpeg, Lanterns(420, 720)}, {"ocean.jpg", SampleFormat::Jpeg, Ocean(1400, 1000)},
      {"bars.bmp", SampleFormat::Bmp, ColourBars(320, 240)},    {"meadow.jpg", SampleFormat::Jpeg, Meadow(1024, 768)},
  };
}

}  // namespace lumora::samples
