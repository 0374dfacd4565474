#pragma once
#include <cstdint>

namespace lumora {

// When a picture that is late draws the rows decoded so far: at once, then at most once every kIntervalMs,
// when at least kMinNewRows new rows are ready.
class RowSteps {
 public:
  static constexpr uint32_t kIntervalMs = 500;
  static constexpr int kMinNewRows = 4;

  // True when the rows ready at `nowMs` are to be drawn; they then count as drawn.
  bool Due(uint32_t nowMs, int rowsReady) {
    if (started_ && (nowMs - lastMs_ < kIntervalMs || rowsReady - rowsDrawn_ < kMinNewRows)) return false;
    started_ = true;
    lastMs_ = nowMs;
    rowsDrawn_ = rowsReady;
    return true;
  }

 private:
  bool started_ = false;
  uint32_t lastMs_ = 0;
  int rowsDrawn_ = 0;
};

}  // namespace lumora
