#pragma once
#include <atomic>
#include <memory>

#include "image/Picture.h"

namespace lumora {

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
  // The first `rows` rows of `target` are final.
  void NoteRows(const PictureData& target, int rows);

 private:
  std::atomic<bool> cancelled_{false};
  std::atomic<bool> requested_{false};
  std::atomic<int> rowsWritten_{0};
  Rgb fill_{};  // written before requested_ is set, read after it is seen
  std::atomic<PictureData*> copy_{nullptr};
};

}  // namespace lumora
