#pragma once
#include <cstdint>

namespace lumora {

// A colour of 8 bits a channel, as pictures, windows and forms all use it.
struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};

}  // namespace lumora
