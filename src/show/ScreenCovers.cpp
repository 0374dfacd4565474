#include "show/ScreenCovers.h"

#include <algorithm>

namespace lumora {

namespace {

// `area` less `hole`: at most four bands, the full-width ones above and below, then the two beside the hole.
std::vector<PixelRect> Without(const PixelRect& area, const PixelRect& hole) {
  const PixelRect overlap = Intersect(area, hole);
  if (overlap.Empty()) return {area};
  const PixelRect parts[] = {
      {area.left, area.top, area.right, overlap.top},
      {area.left, overlap.bottom, area.right, area.bottom},
      {area.left, overlap.top, overlap.left, overlap.bottom},
      {overlap.right, overlap.top, area.right, overlap.bottom},
  };
  std::vector<PixelRect> left;
  for (const PixelRect& part : parts)
    if (!part.Empty()) left.push_back(part);
  return left;
}

}  // namespace

std::vector<PixelRect> CoverRects(std::span<const PixelRect> monitors, const PixelRect& window) {
  std::vector<PixelRect> covers;
  for (const PixelRect& monitor : monitors)
    for (const PixelRect& part : Without(monitor, window))
      if (std::find(covers.begin(), covers.end(), part) == covers.end()) covers.push_back(part);
  return covers;
}

}  // namespace lumora
