// The demo's eyes and hands on an X display: "shot DISPLAY FILE.png" saves the screen, "thumb DISPLAY FILE.png
// FACTOR" saves it shrunk FACTOR times (each pixel the mean of a FACTOR x FACTOR block, for the README's gallery),
// "key DISPLAY" presses Escape (which ends a running show).
#include <X11/keysym.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "harness/XDisplay.h"

namespace {

lumora::e2e::Image Shrink(const lumora::e2e::Image& image, int factor) {
  lumora::e2e::Image small(image.Width() / factor, image.Height() / factor);
  for (int y = 0; y < small.Height(); ++y)
    for (int x = 0; x < small.Width(); ++x) {
      int r = 0, g = 0, b = 0;
      for (int dy = 0; dy < factor; ++dy)
        for (int dx = 0; dx < factor; ++dx) {
          const lumora::e2e::Rgb pixel = image.At(x * factor + dx, y * factor + dy);
          r += pixel.r, g += pixel.g, b += pixel.b;
        }
      const int count = factor * factor;
      small.Set(x, y,
                {static_cast<uint8_t>(r / count), static_cast<uint8_t>(g / count), static_cast<uint8_t>(b / count)});
    }
  return small;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 2 ? argv[1] : "";
  try {
    if (command == "shot" && argc == 4) {
      lumora::e2e::XDisplay display(argv[2], std::chrono::seconds(5));
      display.Screenshot().SavePng(argv[3]);
      return 0;
    }
    if (command == "thumb" && argc == 5 && std::atoi(argv[4]) > 0) {
      lumora::e2e::XDisplay display(argv[2], std::chrono::seconds(5));
      Shrink(display.Screenshot(), std::atoi(argv[4])).SavePng(argv[3]);
      return 0;
    }
    if (command == "key" && argc == 3) {
      lumora::e2e::XDisplay display(argv[2], std::chrono::seconds(5));
      display.TapKey(XK_Escape);
      return 0;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  std::fprintf(stderr, "usage: %s shot DISPLAY FILE.png | thumb DISPLAY FILE.png FACTOR | key DISPLAY\n", argv[0]);
  return 2;
}
