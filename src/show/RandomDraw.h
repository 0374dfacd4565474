#pragma once
#include <cstdint>

#include "platform/SystemServices.h"

namespace lumora {

// The shared random draw: a 32-bit linear congruential generator.
class RandomDraw {
 public:
  // A draw started from the time of day, as the saver starts it before each use.
  static RandomDraw FromClock(Clock& clock) {
    RandomDraw random;
    random.Restart(clock.MillisecondsSinceMidnightUtc());
    return random;
  }
  // Starts the sequence again from `value`; the saver uses the time of day.
  void Restart(uint32_t value) { state_ = value; }
  // A value from 0 to n - 1 (0 when n is 0): the high half of the 64-bit product of the stepped state and n.
  uint32_t Below(uint32_t n) {
    state_ = state_ * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(state_) * n) >> 32);
  }

 private:
  uint32_t state_ = 0;
};

}  // namespace lumora
