#include "image/Placeholder.h"

#include <cstring>
#include <string_view>

namespace lumora {

namespace {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kScale = 3;
constexpr int kGap = 3;
constexpr int kLineGap = 7;

struct Glyph {
  char letter;
  const char* rows[kGlyphHeight];
};

constexpr Glyph kGlyphs[] = {
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'I', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"}},
    {'C', {".####", "#....", "#....", "#....", "#....", "#....", ".####"}},
    {'!', {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."}},
};

const Glyph& GlyphFor(char letter) {
  for (const Glyph& glyph : kGlyphs)
    if (glyph.letter == letter) return glyph;
  return kGlyphs[0];
}

void Blacken(PictureData& data, int x, int y) {
  if (x < 0 || y < 0 || x >= data.width || y >= data.height) return;
  std::memset(data.Row(y) + x * 3, 0, 3);
}

void DrawLine(PictureData& data, std::string_view text, int top) {
  const int advance = kGlyphWidth * kScale + kGap;
  const int width = static_cast<int>(text.size()) * advance - kGap;
  int left = (data.width - width) / 2;
  for (char letter : text) {
    const Glyph& glyph = GlyphFor(letter);
    for (int row = 0; row < kGlyphHeight * kScale; ++row)
      for (int column = 0; column < kGlyphWidth * kScale; ++column)
        if (glyph.rows[row / kScale][column / kScale] == '#') Blacken(data, left + column, top + row);
    left += advance;
  }
}

}  // namespace

Picture PlaceholderPicture() {
  PictureData data = AllocatePicture(kPlaceholderWidth, kPlaceholderHeight, 24);
  std::memset(data.bits.get(), 0xFF, data.stride * data.height);
  const int lineHeight = kGlyphHeight * kScale;
  const int top = (kPlaceholderHeight - 2 * lineHeight - kLineGap) / 2;
  DrawLine(data, "BAD", top);
  DrawLine(data, "PIC!", top + lineHeight + kLineGap);
  return Picture(std::move(data));
}

}  // namespace lumora
