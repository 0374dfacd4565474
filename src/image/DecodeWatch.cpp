#include "image/DecodeWatch.h"

#include <cstring>
#include <new>

namespace lumora {

namespace {

PictureData CopyOfRows(const PictureData& target, int rows, Rgb fill) {
  PictureData copy = AllocatePicture(target.width, target.height, target.bitCount);
  copy.palette = target.palette;
  std::memcpy(copy.bits.get(), target.bits.get(), copy.stride * static_cast<size_t>(rows));
  for (int y = rows; y < copy.height; ++y) {
    uint8_t* row = copy.Row(y);
    for (int x = 0; x < copy.width; ++x) PutBgr(row + static_cast<size_t>(x) * 3, fill);
  }
  return copy;
}

}  // namespace

DecodeWatch::~DecodeWatch() { delete copy_.load(); }

void DecodeWatch::RequestRows(Rgb fill) {
  fill_ = fill;
  requested_.store(true);
}

std::unique_ptr<PictureData> DecodeWatch::TakeRows() { return std::unique_ptr<PictureData>(copy_.exchange(nullptr)); }

void DecodeWatch::NoteRows(const PictureData& target, int rows) {
  rowsWritten_.store(rows);
  // Only 24-bit rows are copied: a quantised decode has its palette only once every row is read.
  if (target.bitCount != 24 || !requested_.exchange(false)) return;
  try {
    delete copy_.exchange(new PictureData(CopyOfRows(target, rows, fill_)));
  } catch (const std::bad_alloc&) {
    // No copy this time: the waiter asks again later or has the whole picture at the end.
  }
}

}  // namespace lumora
