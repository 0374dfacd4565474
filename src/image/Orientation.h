#pragma once
#include "image/Picture.h"

namespace lumora {

// How a photo's stored pixels stand upright, by its Exif orientation (1 to 8), at one scale: which stored pixels
// an upright region needs, and the turn of those pixels into the upright frame. The transposing orientations (5
// to 8) make upright rows out of stored columns.
class Orientation {
 public:
  // `storedWidth` x `storedHeight`: the stored picture at the scale the regions are in.
  Orientation(int exif, int storedWidth, int storedHeight);

  bool Transposes() const { return transposes_; }
  // The stored pixels that hold the upright `region`.
  PixelRect StoredRegion(const PixelRect& region) const;
  // The stored rows that hold the upright `rows`, ascending; only for orientations that do not transpose.
  RowList StoredRows(const RowList& rows) const;
  // The upright `region` (only `rows`, when given) out of `stored`, the pixels of StoredRegion(region): every
  // row of it, or for an orientation that does not transpose and `rows` given, StoredRows(rows).
  PictureData Upright(const PictureData& stored, const PixelRect& region, const RowList* rows) const;

 private:
  // The stored column or row of an upright pixel.
  int StoredX(int x, int y) const;
  int StoredY(int x, int y) const;

  bool transposes_ = false;
  bool mirrorsX_ = false;  // in the stored frame, after any transposing
  bool mirrorsY_ = false;
  int storedWidth_;
  int storedHeight_;
};

}  // namespace lumora
