#pragma once
#include "show/DisplayMode.h"
#include "show/PictureControl.h"
#include "show/SoundPlayback.h"

namespace lumora {

// What a show holds between ticks, read only: its display mode, its sound and the picture controls it shows.
struct ShowView {
  const DisplayMode& mode;
  const SoundPlayback& sound;
  const PictureControl& mainPicture;
  const PictureControl& backdropPicture;
  const PictureControl& thirdTile;
  const PictureControl& fourthTile;
};

}  // namespace lumora
