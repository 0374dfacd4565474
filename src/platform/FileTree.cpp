#include "platform/FileTree.h"

namespace lumora {

namespace {

constexpr uint32_t kNameSurrogateTag = 0x20000000;

}  // namespace

// A reparse point whose tag the system did not give counts as a link.
bool WalksInto(uint32_t attributes, uint32_t reparseTag) {
  if ((attributes & kReparsePointAttribute) && (reparseTag == 0 || (reparseTag & kNameSurrogateTag))) return false;
  return (attributes & (kHiddenAttribute | kSystemAttribute)) != (kHiddenAttribute | kSystemAttribute);
}

}  // namespace lumora
