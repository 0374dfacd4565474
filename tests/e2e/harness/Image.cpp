#include "harness/Image.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>

#include "harness/Process.h"

namespace lumora::e2e {
namespace {

Rect Clip(const Image& image, const Rect& rect) {
  const int left = std::max(rect.x, 0), top = std::max(rect.y, 0);
  const int right = std::min(rect.x + rect.width, image.Width());
  const int bottom = std::min(rect.y + rect.height, image.Height());
  return {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

void RequireInside(const Image& image, const Rect& rect) {
  if (Clip(image, rect) != rect) {
    throw HarnessError("rectangle x=" + std::to_string(rect.x) + " y=" + std::to_string(rect.y) + " " +
                       std::to_string(rect.width) + "x" + std::to_string(rect.height) + " is not inside the " +
                       std::to_string(image.Width()) + "x" + std::to_string(image.Height()) + " image");
  }
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const Rgb& colour) {
  return out << "rgb(" << int{colour.r} << "," << int{colour.g} << "," << int{colour.b} << ")";
}

std::ostream& operator<<(std::ostream& out, const Rect& rect) {
  return out << "{x=" << rect.x << " y=" << rect.y << " " << rect.width << "x" << rect.height << "}";
}

bool Near(Rgb a, Rgb b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

Image::Image(int width, int height, Rgb fill) : width_(width), height_(height) {
  pixels_.reserve(static_cast<size_t>(width) * height * 3);
  for (long i = 0; i < static_cast<long>(width) * height; ++i) pixels_.insert(pixels_.end(), {fill.r, fill.g, fill.b});
}

Image Image::FromRgb(int width, int height, std::vector<std::uint8_t> pixels) {
  if (pixels.size() != static_cast<size_t>(width) * height * 3) throw HarnessError("RGB data does not fit the size");
  Image image;
  image.width_ = width;
  image.height_ = height;
  image.pixels_ = std::move(pixels);
  return image;
}

Rgb Image::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    throw HarnessError("pixel (" + std::to_string(x) + "," + std::to_string(y) + ") is outside the image");
  }
  const auto* pixel = &pixels_[(static_cast<size_t>(y) * width_ + x) * 3];
  return {pixel[0], pixel[1], pixel[2]};
}

void Image::Set(int x, int y, Rgb colour) {
  At(x, y);  // bounds check
  auto* pixel = &pixels_[(static_cast<size_t>(y) * width_ + x) * 3];
  pixel[0] = colour.r;
  pixel[1] = colour.g;
  pixel[2] = colour.b;
}

Image Image::Crop(const Rect& rect) const {
  RequireInside(*this, rect);
  Image part(rect.width, rect.height);
  for (int y = 0; y < rect.height; ++y)
    for (int x = 0; x < rect.width; ++x) part.Set(x, y, At(rect.x + x, rect.y + y));
  return part;
}

void Image::SavePng(const std::filesystem::path& path) const {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) throw HarnessError("cannot write " + path.string());
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw HarnessError("writing PNG " + path.string() + " failed");
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(width_), static_cast<png_uint_32>(height_), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height_; ++y) png_write_row(png, &pixels_[static_cast<size_t>(y) * width_ * 3]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
}

long CountPixels(const Image& image, const Rect& rect, Rgb colour, int tolerance) {
  RequireInside(image, rect);
  long count = 0;
  for (int y = rect.y; y < rect.y + rect.height; ++y)
    for (int x = rect.x; x < rect.x + rect.width; ++x) count += Near(image.At(x, y), colour, tolerance) ? 1 : 0;
  return count;
}

bool IsUniform(const Image& image, const Rect& rect, Rgb colour, int tolerance) {
  return CountPixels(image, rect, colour, tolerance) == static_cast<long>(rect.width) * rect.height;
}

namespace {

// Differing pixels counted up to `limit`.
long DifferencesUpTo(const Image& actual, const Rect& rect, const Image& expected, int tolerance, long limit) {
  RequireInside(actual, rect);
  RequireInside(expected, {0, 0, rect.width, rect.height});
  long count = 0;
  for (int y = 0; y < rect.height; ++y)
    for (int x = 0; x < rect.width; ++x) {
      count += Near(actual.At(rect.x + x, rect.y + y), expected.At(x, y), tolerance) ? 0 : 1;
      if (count >= limit) return count;
    }
  return count;
}

}  // namespace

long CountDifferences(const Image& actual, const Rect& rect, const Image& expected, int tolerance) {
  return DifferencesUpTo(actual, rect, expected, tolerance, std::numeric_limits<long>::max());
}

bool Matches(const Image& actual, const Rect& rect, const Image& expected, int tolerance) {
  return DifferencesUpTo(actual, rect, expected, tolerance, 1) == 0;
}

Rect BoundingBoxOf(const Image& image, Rgb colour, int tolerance) {
  int left = image.Width(), top = image.Height(), right = -1, bottom = -1;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      if (Near(image.At(x, y), colour, tolerance)) {
        left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
      }
  if (right < 0) return {};
  return {left, top, right - left + 1, bottom - top + 1};
}

}  // namespace lumora::e2e
