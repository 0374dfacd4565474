#pragma once
#include "image/Picture.h"

namespace lumora {

inline constexpr int kPlaceholderWidth = 72;
inline constexpr int kPlaceholderHeight = 65;

// The picture shown in place of one that cannot be read: BAD PIC! in black block capitals on white, 24-bit.
Picture PlaceholderPicture();

}  // namespace lumora
