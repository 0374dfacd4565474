// libFuzzer target: any bytes through the bitmap decoder. A picture it accepts is within the size limit and has
// its rows' padding cleared; anything else is refused with a reason.
#include <cstdint>
#include <cstdlib>

#include "support/BmpBuilder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!lumora::test::DecodesSanely({data, size})) std::abort();
  return 0;
}
