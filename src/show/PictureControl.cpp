#include "show/PictureControl.h"

#include <stdexcept>

namespace lumora {

ShownPart ShownPartOf(const PictureControl& control, const PixelRect& screen) {
  if (control.picture.Empty() || control.width <= 0 || control.height <= 0) return {};
  const VisiblePart visible = VisiblePartOf(control.Bounds(), screen);
  if (visible.onScreen.Empty()) return {};
  if (control.stretch)
    return {StretchedPart(control.picture, control.width, control.height, visible.inBounds), visible.onScreen.left,
            visible.onScreen.top};
  const PixelRect inPicture =
      Intersect(visible.inBounds, PixelRect{0, 0, control.picture.Width(), control.picture.Height()});
  if (inPicture.Empty()) return {};
  return {CroppedPart(control.picture, inPicture), control.left + inPicture.left, control.top + inPicture.top};
}

std::optional<PixelNeed> ShownNeedOf(const PictureControl& control, const PixelRect& screen) {
  if (control.picture.Empty() || control.picture.Decoded() || control.width <= 0 || control.height <= 0)
    return std::nullopt;
  const VisiblePart visible = VisiblePartOf(control.Bounds(), screen);
  if (visible.onScreen.Empty()) return std::nullopt;
  if (control.stretch) return StretchNeed(control.picture, control.width, control.height, visible.inBounds);
  PixelNeed need{8, visible.inBounds, {}, {}};
  need.region = Intersect(visible.inBounds, PixelRect{0, 0, control.picture.Width(), control.picture.Height()});
  if (need.region.Empty()) return std::nullopt;
  return need;
}

Picture SettledPicture(const PictureControl& control, const PixelRect& screen) {
  const std::optional<PixelNeed> need = ShownNeedOf(control, screen);
  if (!need) return control.picture;
  try {
    return control.picture.Part(*need);
  } catch (const std::runtime_error&) {
    // Its data fails: the stage meets the same failure when it draws the picture and shows the placeholder.
    return control.picture;
  }
}

bool SameLook(const PictureControl& a, const PictureControl& b) {
  return a.picture.Identity() == b.picture.Identity() && a.left == b.left && a.top == b.top && a.width == b.width &&
         a.height == b.height && a.stretch == b.stretch;
}

}  // namespace lumora
