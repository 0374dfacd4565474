#include "platform/SaverStage.h"

namespace lumora {

ShownPart ShownPartOf(const PictureControl& control, const PixelRect& screen) {
  if (control.picture.Empty() || control.width <= 0 || control.height <= 0) return {};
  const PixelRect bounds{control.left, control.top, control.left + control.width, control.top + control.height};
  const VisiblePart visible = VisiblePartOf(bounds, screen);
  if (visible.onScreen.Empty()) return {};
  if (control.stretch)
    return {StretchedPart(control.picture, control.width, control.height, visible.inBounds), visible.onScreen.left,
            visible.onScreen.top};
  const PixelRect inPicture =
      Intersect(visible.inBounds, PixelRect{0, 0, control.picture.Width(), control.picture.Height()});
  if (inPicture.Empty()) return {};
  return {CroppedPart(control.picture, inPicture), control.left + inPicture.left, control.top + inPicture.top};
}

}  // namespace lumora
