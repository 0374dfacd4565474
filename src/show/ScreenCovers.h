#pragma once
#include <span>
#include <vector>

#include "image/Picture.h"

namespace lumora {

// The parts of the desktop, in its coordinates, that the show must cover besides its own window: every monitor
// less the window's rectangle, each part a rectangle, none repeated. Empty while the window covers every monitor.
// The window keeps the size of the primary screen that the show started on, so after a change of the primary's
// size these cover the rest of the primary too.
std::vector<PixelRect> CoverRects(std::span<const PixelRect> monitors, const PixelRect& window);

}  // namespace lumora
