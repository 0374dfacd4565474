#pragma once
#include <cstdint>

namespace lumora {

// numerator / denominator (denominator > 0) to the nearest integer, an exact half going to the even neighbour.
constexpr int RoundHalfToEven(int64_t numerator, int64_t denominator) {
  int64_t quotient = numerator / denominator;
  int64_t remainder = numerator % denominator;
  if (remainder < 0) {
    quotient -= 1;
    remainder += denominator;
  }
  if (2 * remainder > denominator || (2 * remainder == denominator && (quotient & 1) != 0)) quotient += 1;
  return static_cast<int>(quotient);
}

}  // namespace lumora
