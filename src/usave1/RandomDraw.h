#pragma once
#include <cstdint>

namespace lumora {

// The shared random draw: a 32-bit linear congruential generator.
class RandomDraw {
 public:
  void Reseed(uint32_t seed) { seed_ = seed; }
  uint32_t Seed() const { return seed_; }
  // A value from 0 to n - 1 (0 when n is 0): the high half of the 64-bit product of the stepped seed and n.
  uint32_t Below(uint32_t n) {
    seed_ = seed_ * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(seed_) * n) >> 32);
  }

 private:
  uint32_t seed_ = 0;
};

}  // namespace lumora
