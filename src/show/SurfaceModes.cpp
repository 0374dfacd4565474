#include "show/Rounding.h"
#include "show/TForm1.h"

#include <exception>

namespace lumora {

namespace {

enum SlideDirection { kFromLeft = 1, kFromRight = 2, kFromBottom = 3, kFromTop = 4 };

// A random offset that keeps a picture of `size` on a screen of `screen`; a larger picture starts within the
// first quarter.
int RandomOffset(RandomDraw& random, int size, int screen) {
  if (size > screen) return static_cast<int>(random.Below(RoundHalfToEven(screen, 4)));
  return static_cast<int>(random.Below(screen - size));
}

}  // namespace

void TForm1::ShowOverlapping() {
  Image1.visible = false;
  Update(ControlId::Image1);
  LoadNextPicture();
  try {
    const Picture bitmap = Image5.picture;
    RandomizeFromClock();
    const int top = RandomOffset(state_.random, bitmap.Height(), services_.stage.ScreenHeight());
    const int left = RandomOffset(state_.random, bitmap.Width(), services_.stage.ScreenWidth());
    Image5.Clear();
    services_.stage.CopyToSurface(bitmap, left, top);
  } catch (const std::exception&) {
    // What can fail while drawing is memory for the copies (std::bad_alloc, std::length_error): the tick ends
    // quietly and the next one brings the next picture.
  }
}

void TForm1::ShowSlide() {
  Image1.visible = false;
  Update(ControlId::Image1);
  LoadNextPicture();
  Image1.Assign(Image5.picture);
  Update(ControlId::Image1);
  Image5.Clear();
  try {
    SlideIn(Image1.picture);
  } catch (const std::exception&) {
    // As in the overlapping mode, a slide that runs out of memory ends the tick quietly.
  }
}

// Steps the picture in from a random edge until it rests in a corner, handling pending messages after each
// step. A nested tick or the shut-down sets the slide stop flag, which ends this slide after its current step.
void TForm1::SlideIn(const Picture& bitmap) {
  const int width = bitmap.Width(), height = bitmap.Height();
  const int screenWidth = services_.stage.ScreenWidth(), screenHeight = services_.stage.ScreenHeight();
  state_.slideStop = false;
  RandomizeFromClock();
  const int direction = static_cast<int>(state_.random.Below(4)) + 1;
  int p = direction == kFromRight ? screenWidth : direction == kFromBottom ? screenHeight : 0;
  while (!state_.slideStop) {
    switch (direction) {
      case kFromLeft: services_.stage.CopyToSurface(bitmap, p - width, 0); break;
      case kFromRight: services_.stage.CopyToSurface(bitmap, p, 0); break;
      case kFromBottom: services_.stage.CopyToSurface(bitmap, 0, p); break;
      default: services_.stage.CopyToSurface(bitmap, 0, p - height); break;
    }
    p += (direction == kFromRight || direction == kFromBottom) ? -3 : 1;
    bool arrived = false;
    switch (direction) {
      case kFromLeft: arrived = p - width >= 0; break;
      case kFromRight: arrived = p + width <= screenWidth; break;
      case kFromBottom: arrived = p + height <= screenHeight; break;
      default: arrived = p - height >= 0; break;
    }
    if (arrived) state_.slideStop = true;
    services_.stage.ProcessMessages();
  }
}

}  // namespace lumora
