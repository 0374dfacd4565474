#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "lumora-lists/NaturalOrder.h"

namespace lumora {
namespace {

struct Comparison {
  const char* a;
  const char* b;
  int expected;
};

TEST(NaturalOrder, ComparesDigitRunsByNumberAndLettersWithoutCase) {
  const Comparison kCases[] = {
      {"img2.jpg", "img10.jpg", -1},
      {"img10.jpg", "img2.jpg", 1},
      {"IMG1.jpg", "img1.JPG", 0},
      {"img2.jpg", "img02.jpg", -1},
      {"a.jpg", "B.jpg", -1},
      {"img", "img1", -1},
      {"2x", "10", -1},
      {"x99999999999999999999", "x100000000000000000000", -1},
      {"x1a", "x1b", -1},
  };
  for (const Comparison& c : kCases) EXPECT_EQ(NaturalCompare(c.a, c.b), c.expected) << c.a << " vs " << c.b;
}

TEST(NaturalOrder, SortsNamesEqualButForCaseByTheirBytes) {
  std::vector<std::string> names = {"img10.jpg", "b.jpg", "img2.jpg", "a.jpg", "A.jpg", "img1.jpg", "img02.jpg"};
  std::sort(names.begin(), names.end(), NaturalLess);
  EXPECT_EQ(names,
            (std::vector<std::string>{"A.jpg", "a.jpg", "b.jpg", "img1.jpg", "img2.jpg", "img02.jpg", "img10.jpg"}));
}

}  // namespace
}  // namespace lumora
