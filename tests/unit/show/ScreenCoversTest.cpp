#include "show/ScreenCovers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumora {
namespace {

using ::testing::UnorderedElementsAreArray;

constexpr PixelRect kPrimary{0, 0, 1024, 768};

struct CoverCase {
  const char* layout;
  std::vector<PixelRect> monitors;  // the primary first, as the system may list it anywhere
  std::vector<PixelRect> covers;
  PixelRect window = kPrimary;  // the saver window, at the size the primary had when the show started
};

TEST(ScreenCovers, EveryMonitorIsCoveredWhereTheSaverWindowIsNot) {
  const CoverCase cases[] = {
      {"one monitor", {kPrimary}, {}},
      {"side by side", {kPrimary, {1024, 0, 1824, 600}}, {{1024, 0, 1824, 600}}},
      {"the other above", {kPrimary, {0, -1024, 1280, 0}}, {{0, -1024, 1280, 0}}},
      {"the other below", {{0, 768, 800, 1368}, kPrimary}, {{0, 768, 800, 1368}}},
      {"the primary not at the left", {{-1280, -256, 0, 768}, kPrimary}, {{-1280, -256, 0, 768}}},
      {"three monitors",
       {{-800, 0, 0, 600}, kPrimary, {1024, 0, 2048, 768}},
       {{-800, 0, 0, 600}, {1024, 0, 2048, 768}}},
      {"a copy of the primary", {kPrimary, kPrimary}, {}},
      {"a larger monitor holding the primary",
       {kPrimary, {0, 0, 1280, 1024}},
       {{0, 768, 1280, 1024}, {1024, 0, 1280, 768}}},
      {"two monitors overlapping the primary's corner",
       {kPrimary, {900, 700, 1700, 1300}, {900, 700, 1700, 1300}},
       {{900, 768, 1700, 1300}, {1024, 700, 1700, 768}}},
      {"the primary grown to 1280 x 1024 during the show",
       {{0, 0, 1280, 1024}, {1280, 0, 2080, 600}},
       {{0, 768, 1280, 1024}, {1024, 0, 1280, 768}, {1280, 0, 2080, 600}}},
      {"the primary shrunk to 800 x 600 during the show",
       {{0, 0, 800, 600}, {800, 0, 1600, 600}},
       {{1024, 0, 1600, 600}}},
  };
  for (const CoverCase& c : cases) {
    SCOPED_TRACE(c.layout);
    EXPECT_THAT(CoverRects(c.monitors, c.window), UnorderedElementsAreArray(c.covers));
  }
}

}  // namespace
}  // namespace lumora
