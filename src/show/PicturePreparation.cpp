#include <algorithm>

#include "show/RandomDraw.h"
#include "show/SaverShow.h"

namespace lumora {

// The in-order choice moves on one; the random one is drawn now, from the clock, as the tick would draw it. In
// the slide mode the direction the picture comes from is drawn now as well, so the worker decodes just the band
// that crosses the screen.
void SaverShow::StartPreparation() {
  const int count = static_cast<int>(state_.settings.pictures.size());
  if (next_.Started() || count == 0 || next_.Ended()) return;
  int index;
  if (state_.settings.inOrder) {
    index = state_.lastPictureIndex + 1;
    if (index > count) index = 1;
    state_.lastPictureIndex = index;
  } else {
    index = static_cast<int>(RandomDraw::FromClock(services_.clock).Below(count)) + 1;
  }
  mode_.DrawSlideEdge(services_.clock);
  next_.Start(state_.settings.pictures[index - 1], NextNeed(), mode_.KeepsBackdrop() ? next_.ShownPath() : "");
}

// What the next tick draws of its picture: the part its control shows; on the surface, the band that crosses the
// screen in a slide, or in the collage every part any place on the screen can show, the top-left corner as large
// as the screen.
NeedRule SaverShow::NextNeed() {
  const PixelRect screen = Screen();
  if (mode_.DrawsOnSurface()) {
    const bool alongTop = mode_.SlidesAlongTop(), alongLeft = mode_.SlidesAlongLeft();
    return [screen, alongTop, alongLeft](const Picture& picture) -> std::optional<PixelNeed> {
      if (picture.Decoded()) return std::nullopt;
      const int width = alongTop ? picture.Width() : std::min(picture.Width(), screen.Width());
      const int height = alongLeft ? picture.Height() : std::min(picture.Height(), screen.Height());
      return PixelNeed{8, PixelRect{0, 0, width, height}, {}, {}};
    };
  }
  PictureControl control = Control(mode_.NextControl());
  control.Clear();
  return [control, place = mode_.NextPlacement(screen), screen](const Picture& picture) {
    PictureControl placed = control;
    placed.Assign(picture);
    place(placed);
    return ShownNeedOf(placed, screen);
  };
}

// mainPicture shows the rows of its next picture decoded so far, the rest in the background colour.
void SaverShow::ShowRowsSoFar(const Picture& rows) {
  mainPicture_.Assign(rows);
  mode_.NextPlacement(Screen())(mainPicture_);
  mainPicture_.visible = true;
  Update(ControlId::Main);
  LetGoOfHiddenBackdrop();
}

// The next picture, or the placeholder when it cannot be read; then draws the next sound.
Picture SaverShow::LoadNextPicture() {
  StartPreparation();
  const NextPicture::RowsSoFar rows{[this](const Picture& part) { ShowRowsSoFar(part); }, state_.background};
  const bool drawRows = mode_.NextControl() == ControlId::Main && !mode_.DrawsOnSurface();
  // The timer runs only with pictures in the list: a stray tick shows the placeholder, one at the end nothing.
  Picture next = next_.Take(placeholder_, drawRows ? &rows : nullptr);
  sound_.PickNext();
  return next;
}

}  // namespace lumora
