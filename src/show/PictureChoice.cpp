#include "image/PictureLoading.h"
#include "show/TForm1.h"

namespace lumora {

// Leaves the next picture, or the placeholder when it cannot be read, in Image5, then draws the next sound.
void TForm1::LoadNextPicture() {
  const int count = static_cast<int>(state_.pictures.size());
  int index;
  if (state_.inOrder) {
    index = state_.lastPictureIndex + 1;
    if (index > count) index = 1;
    state_.lastPictureIndex = index;
  } else {
    RandomizeFromClock();
    index = static_cast<int>(state_.random.Below(count)) + 1;
  }
  const JpegColours colours =
      services_.stage.BitsPerPixel() <= 8 ? JpegColours::Quantised236 : JpegColours::Full24Bit;
  // The timer runs only with pictures in the list; the check keeps a stray tick from reading past it.
  // A long decode gives way to input waiting for the hook: a key press ends the show at once.
  SaverStage& stage = services_.stage;
  const DecodeResult picture =
      index <= count
          ? LoadPictureFile(services_.files, state_.pictures[index - 1], colours, [&stage] { return stage.InputPending(); })
          : DecodeError{DecodeFailure::Unreadable, "no pictures in the list"};
  Image5.Assign(picture ? *picture : imagjunk.picture);
  PickNextSound();
}

}  // namespace lumora
