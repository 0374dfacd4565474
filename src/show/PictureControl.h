#pragma once
#include <optional>

#include "image/Picture.h"
#include "image/Stretch.h"

namespace lumora {

// The four picture controls of the saver window that can be shown. The staging and placeholder pictures are
// never shown and live in the core only.
enum class ControlId { Main, Backdrop, ThirdTile, FourthTile };  // Main and Backdrop are also the first two tiles
inline constexpr int kShownControlCount = 4;

// A picture control: it owns at most one picture (a copy of what it was given) and draws it stretched to its
// bounds or at natural size from its top-left corner; an empty control draws nothing.
struct PictureControl {
  Picture picture;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool stretch = false;
  bool autoSize = false;  // takes the size of each non-empty picture put into it, keeping left and top
  bool visible = false;

  void Assign(const Picture& source) {
    picture = source;
    if (autoSize && !picture.Empty()) {
      width = picture.Width();
      height = picture.Height();
    }
  }
  void Clear() { picture = Picture(); }
  // Where the control lies on the window, partly off the screen or not.
  PixelRect Bounds() const { return PixelRect{left, top, left + width, top + height}; }
};

// What a shown picture control puts on the screen: its pixels as it draws them there (stretched to its bounds,
// or at natural size from its top-left corner) and where they go. No pixels when it shows nothing on the screen.
struct ShownPart {
  Picture pixels;
  int left = 0;
  int top = 0;
};
ShownPart ShownPartOf(const PictureControl& control, const PixelRect& screen);
// What of its picture a control shows on the screen; nothing when it shows none or holds its picture whole.
std::optional<PixelNeed> ShownNeedOf(const PictureControl& control, const PixelRect& screen);
// The control's picture holding just the pixels the control shows on the screen, decoded, and no longer the
// file it came from: for a control whose picture and geometry stay as they are until it is emptied. The
// picture itself when it is held whole or cannot be decoded now (it then shows the placeholder when drawn).
Picture SettledPicture(const PictureControl& control, const PixelRect& screen);
// Two controls draw the same: same picture, bounds and stretching.
bool SameLook(const PictureControl& a, const PictureControl& b);

}  // namespace lumora
