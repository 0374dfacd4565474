#pragma once
// What a screenshot holds: 24-bit RGB pixels, top-down, and the comparisons the tests make on them.
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <vector>

namespace lumora::e2e {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rgb& colour);

// Whether every channel differs by at most the tolerance.
bool Near(Rgb a, Rgb b, int tolerance);

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rect& rect);

class Image {
 public:
  Image() = default;
  Image(int width, int height, Rgb fill = {});
  // From packed RGB bytes, three per pixel, rows top-down without padding.
  static Image FromRgb(int width, int height, std::vector<std::uint8_t> pixels);

  int Width() const { return width_; }
  int Height() const { return height_; }
  Rect Bounds() const { return {0, 0, width_, height_}; }
  Rgb At(int x, int y) const;
  void Set(int x, int y, Rgb colour);
  Image Crop(const Rect& rect) const;
  void SavePng(const std::filesystem::path& path) const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<std::uint8_t> pixels_;
};

// How many pixels of the rectangle are the colour (within the tolerance).
long CountPixels(const Image& image, const Rect& rect, Rgb colour, int tolerance = 0);
bool IsUniform(const Image& image, const Rect& rect, Rgb colour, int tolerance = 0);
// How many pixels of `rect` in `actual` differ from `expected` placed with its top-left corner at the rectangle's.
long CountDifferences(const Image& actual, const Rect& rect, const Image& expected, int tolerance = 0);
// Whether no pixel differs, as CountDifferences would count them; stops at the first that does (screens are polled).
bool Matches(const Image& actual, const Rect& rect, const Image& expected, int tolerance = 0);
// The smallest rectangle holding every pixel of the colour, or an empty one.
Rect BoundingBoxOf(const Image& image, Rgb colour, int tolerance = 0);

}  // namespace lumora::e2e
