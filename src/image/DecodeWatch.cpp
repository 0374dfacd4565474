#include "image/DecodeWatch.h"

#include <cstring>
#include <exception>

#include "image/Orientation.h"

namespace lumora {

namespace {

constexpr uint32_t kRequested = 1u << 24;

uint32_t RequestFor(Rgb fill) { return kRequested | uint32_t{fill.r} << 16 | uint32_t{fill.g} << 8 | fill.b; }
Rgb FillOf(uint32_t request) {
  return Rgb{static_cast<uint8_t>(request >> 16), static_cast<uint8_t>(request >> 8), static_cast<uint8_t>(request)};
}

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

void DecodeWatch::RequestRows(Rgb fill) { request_.store(RequestFor(fill)); }

std::unique_ptr<PictureData> DecodeWatch::TakeRows() { return std::unique_ptr<PictureData>(copy_.exchange(nullptr)); }

void DecodeWatch::NoteRows(const PictureData& target, int rows, const Orientation* upright) {
  if (!reportRows_) return;
  rowsWritten_.store(rows);
  // Only 24-bit rows are copied: a quantised decode has its palette only once every row is read.
  if (target.bitCount != 24) return;
  const uint32_t request = request_.exchange(0);
  if (request == 0) return;
  try {
    PictureData copy = CopyOfRows(target, rows, FillOf(request));
    delete copy_.exchange(new PictureData(upright != nullptr ? upright->Upright(copy) : std::move(copy)));
  } catch (const std::exception&) {
    // No copy this time (std::bad_alloc, std::length_error): the waiter asks again later or has the whole
    // picture at the end.
  }
}

}  // namespace lumora
