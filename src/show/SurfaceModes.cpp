#include "show/RandomDraw.h"
#include "show/Rounding.h"
#include "show/SaverShow.h"

#include <algorithm>
#include <exception>

namespace lumora {

namespace {

// A random offset that keeps a picture of `size` on a screen of `screen`; a larger picture starts within the
// first quarter.
int RandomOffset(RandomDraw& random, int size, int screen) {
  if (size > screen) return static_cast<int>(random.Below(RoundHalfToEven(screen, 4)));
  return static_cast<int>(random.Below(screen - size));
}

}  // namespace

void SaverShow::ShowOverlapping() {
  mainPicture_.visible = false;
  Update(ControlId::Main);
  const Picture picture = LoadNextPicture();
  try {
    RandomDraw random = RandomDraw::FromClock(services_.clock);
    const int top = RandomOffset(random, picture.Height(), services_.stage.ScreenHeight());
    const int left = RandomOffset(random, picture.Width(), services_.stage.ScreenWidth());
    // The temporary bitmap: the picture's pixels that land on the screen, a JPEG decoded for just those.
    const VisiblePart visible =
        VisiblePartOf(PixelRect{left, top, left + picture.Width(), top + picture.Height()}, Screen());
    if (!visible.onScreen.Empty())
      services_.stage.CopyToSurface(CroppedPart(picture, visible.inBounds), visible.onScreen.left,
                                    visible.onScreen.top);
  } catch (const std::exception&) {
    // What can fail while drawing is memory for the copies (std::bad_alloc, std::length_error): the tick ends
    // quietly and the next one brings the next picture.
  }
}

void SaverShow::ShowSlide() {
  mainPicture_.visible = false;
  Update(ControlId::Main);
  mainPicture_.Assign(LoadNextPicture());
  Update(ControlId::Main);
  try {
    SlideIn(mainPicture_.picture);
  } catch (const std::exception&) {
    // As in the overlapping mode, a slide that runs out of memory ends the tick quietly.
  }
  // Its pixels are on the surface now: the hidden control lets go of them, as the slide's bitmap goes.
  mainPicture_.Clear();
  Update(ControlId::Main);
}

namespace {

// The temporary bitmap of a slide: what of the picture ever crosses the screen. Sliding along the top edge, its
// rows down to the screen's height; along the left edge, its columns up to the screen's width. A JPEG is decoded
// for just that band; a picture held whole is used as it is.
Picture SlideBand(const Picture& picture, bool alongTop, int screenWidth, int screenHeight) {
  if (picture.Decoded()) return picture;
  const PixelRect band = alongTop ? PixelRect{0, 0, picture.Width(), std::min(picture.Height(), screenHeight)}
                                  : PixelRect{0, 0, std::min(picture.Width(), screenWidth), picture.Height()};
  return CroppedPart(picture, band);
}

struct SurfacePlace {
  int left, top;
};

// Where the top-left corner of a picture of `width` x `height` stands at position `p` of its slide from `edge`.
SurfacePlace SlidePlace(SlideEdge edge, int p, int width, int height) {
  switch (edge) {
    case SlideEdge::Left: return {p - width, 0};
    case SlideEdge::Right: return {p, 0};
    case SlideEdge::Bottom: return {0, p};
    case SlideEdge::Top: return {0, p - height};
  }
  return {};
}

// Whether the picture at position `p` of its slide from `edge` has come in whole.
bool SlideArrived(SlideEdge edge, int p, int width, int height, int screenWidth, int screenHeight) {
  switch (edge) {
    case SlideEdge::Left: return p - width >= 0;
    case SlideEdge::Right: return p + width <= screenWidth;
    case SlideEdge::Bottom: return p + height <= screenHeight;
    case SlideEdge::Top: return p - height >= 0;
  }
  return true;
}

}  // namespace

// Steps the picture in from a random edge (drawn when it was prepared) until it rests in a corner, handling
// pending messages after each step. A tick that arrives meanwhile or the shut-down stops it after its current step.
void SaverShow::SlideIn(const Picture& picture) {
  const int width = picture.Width(), height = picture.Height();
  const int screenWidth = services_.stage.ScreenWidth(), screenHeight = services_.stage.ScreenHeight();
  state_.reentry.StartSlide();
  const SlideEdge edge = mode_.NextSlideEdge();
  const Picture bitmap = SlideBand(picture, mode_.SlidesAlongTop(), screenWidth, screenHeight);
  int p = edge == SlideEdge::Right ? screenWidth : edge == SlideEdge::Bottom ? screenHeight : 0;
  while (!state_.reentry.SlideStopped()) {
    const SurfacePlace place = SlidePlace(edge, p, width, height);
    services_.stage.CopyToSurface(bitmap, place.left, place.top);
    p += (edge == SlideEdge::Right || edge == SlideEdge::Bottom) ? -3 : 1;
    if (SlideArrived(edge, p, width, height, screenWidth, screenHeight)) state_.reentry.StopSlide();
    services_.stage.ProcessMessages();
  }
}

}  // namespace lumora
