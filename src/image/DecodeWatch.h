#pragma once
#include <atomic>
#include <cstdint>
#include <memory>

#include "image/Picture.h"

namespace lumora {

class Orientation;

// Shared by a decode running on one thread and whoever waits for it on another. The waiter may cancel the
// decode, and may ask for a copy of the rows written so far; the decode answers between two rows, so the
// waiter never reads the pixels while they are being written.
class DecodeWatch {
 public:
  DecodeWatch() = default;
  DecodeWatch(const DecodeWatch&) = delete;
  DecodeWatch& operator=(const DecodeWatch&) = delete;
  ~DecodeWatch();

  // The waiter's side.
  void Cancel() { cancelled_.store(true); }
  // Asks for the rows written so far; the pixels not yet written are `fill` in the copy.
  void RequestRows(Rgb fill);
  // The copy asked for, once the decode has made it: the whole part, the rows not yet written filled.
  std::unique_ptr<PictureData> TakeRows();
  int RowsWritten() const { return rowsWritten_.load(); }

  // The decode's side.
  bool Cancelled() const { return cancelled_.load(); }
  // Whether the decodes from now on are those whose rows the waiter draws (they are, unless told otherwise).
  void ReportRows(bool report) { reportRows_ = report; }
  // The first `rows` rows of `target` are final; a copy asked for is turned by `upright`, when given, so that
  // they show at their place in the picture drawn.
  void NoteRows(const PictureData& target, int rows, const Orientation* upright = nullptr);

 private:
  std::atomic<bool> cancelled_{false};
  // A request with its fill colour in one word (kRequested and red, green, blue), so that a second request
  // never writes what the decode is reading; 0 when there is none.
  std::atomic<uint32_t> request_{0};
  std::atomic<int> rowsWritten_{0};
  std::atomic<PictureData*> copy_{nullptr};
  bool reportRows_ = true;  // the decode's own
};

}  // namespace lumora
