#pragma once
#include "image/Picture.h"

namespace lumora {

// How a photo's stored pixels stand upright, by its Exif orientation (1 to 8), at one scale: which stored pixels
// the upright ones come from, and the turn of those pixels into the upright frame. The transposing orientations
// (5 to 8) make upright rows out of stored columns.
class Orientation {
 public:
  // `storedWidth` x `storedHeight`: the stored picture at the scale the regions are in.
  Orientation(int exif, int storedWidth, int storedHeight);

  bool Transposes() const { return transposes_; }
  // The stored pixels that hold the upright ones `upright` names: a region, and the rows and columns listed
  // where the upright ones are (of a transposing turn, the stored rows of the upright columns, and the other way
  // round).
  PixelNeed StoredNeed(const PixelNeed& upright) const;
  // The pixels `stored`, those a StoredNeed names side by side, turned upright: the pixels of the need it came
  // from. A line of them is a line of the other, in the same or the opposite order.
  PictureData Upright(const PictureData& stored) const;

 private:
  // The stored column or row of an upright pixel.
  int StoredX(int x, int y) const;
  int StoredY(int x, int y) const;
  PixelRect StoredRegion(const PixelRect& region) const;

  bool transposes_ = false;
  bool mirrorsX_ = false;  // in the stored frame, after any transposing
  bool mirrorsY_ = false;
  int storedWidth_;
  int storedHeight_;
};

}  // namespace lumora
