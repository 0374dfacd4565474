#pragma once
#include <span>
#include <vector>

#include "image/Picture.h"

namespace lumora {

// The parts of the desktop, in its coordinates, that the show must cover besides the primary screen it runs on:
// every monitor less what the primary screen shows, each part a rectangle, none repeated. Empty for one monitor,
// or for monitors that show copies of the primary screen.
std::vector<PixelRect> CoverRects(std::span<const PixelRect> monitors, const PixelRect& primary);

}  // namespace lumora
