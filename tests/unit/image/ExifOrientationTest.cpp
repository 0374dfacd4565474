#include "image/ExifOrientation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace lumora {
namespace {

// "Exif\0\0", a TIFF header and IFD0 with one field, and nothing after it.
std::vector<uint8_t> LittleEndian(uint8_t type, uint8_t count, uint8_t value) {
  return {'E',  'x',  'i',  'f', 0,     0, 'I', 'I', 42,    0, 8, 0, 0, 0, 1, 0,
          0x12, 0x01, type, 0,   count, 0, 0,   0,   value, 0, 0, 0, 0, 0, 0, 0};
}

struct Case {
  const char* what;
  std::vector<uint8_t> segment;
  int expected;
};

TEST(ExifOrientation, ReadsTheFieldAndRefusesWhatIsOutOfPlace) {
  const std::vector<uint8_t> good = LittleEndian(3, 1, 6);
  const Case cases[] = {
      {"little-endian 6", good, 6},
      {"big-endian 8, a field before it",
       {'E',  'x',  'i',  'f',  0, 0, 'M', 'M', 0, 42, 0,   0,   0,   8,
        0,    2,    0x01, 0x0F, 0, 2, 0,   0,   0, 4,  'A', 'b', 'c', 0,  // Make, ASCII, "Abc"
        0x01, 0x12, 0,    3,    0, 0, 0,   1,   0, 8,  0,   0},
       8},
      {"1", LittleEndian(3, 1, 1), 1},
      {"0", LittleEndian(3, 1, 0), 1},
      {"9", LittleEndian(3, 1, 9), 1},
      {"type LONG", LittleEndian(4, 1, 6), 1},
      {"count 2", LittleEndian(3, 2, 6), 1},
      {"no orientation field",
       {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x0F, 0x01, 3, 0, 1, 0, 0, 0, 6, 0, 0, 0},
       1},
      {"field cut short", std::vector<uint8_t>(good.begin(), good.begin() + 25), 1},
      {"IFD0 past the end", {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 0xF0, 0xFF, 0xFF, 0xFF, 1, 0}, 1},
      {"more fields than bytes",
       {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 0xFF, 0xFF, 0x12, 0x01, 3, 0, 1, 0, 0, 0, 6, 0, 0, 0},
       1},
      {"byte order IM",
       {'E', 'x', 'i', 'f', 0, 0, 'I', 'M', 42, 0, 8, 0, 0, 0, 1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0, 6, 0, 0, 0},
       1},
      {"no Exif header",
       {'J', 'F', 'I', 'F', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0, 6, 0, 0, 0},
       1},
      {"empty", {}, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(ExifOrientation(c.segment), c.expected) << c.what;
}

}  // namespace
}  // namespace lumora
