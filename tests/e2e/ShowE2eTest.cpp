// The display cycle under Wine: each display mode's screen after its first ticks, compared with the frame the
// core's compositor renders for the same settings and pictures. Both stretch with the program's own scaler, so
// every comparison is exact.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "SaverRun.h"
#include "image/Placeholder.h"
#include "show/Rounding.h"
#include "support/JpegEncoder.h"
#include "support/PictureFiles.h"
#include "support/ShowFixture.h"

namespace lumora::e2e {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Colours that change with every pixel, so a pixel taken from the wrong place shows.
lumora::Picture Gradient(int width, int height, uint8_t blue) {
  return lumora::MakePicture(width, height, [=](int x, int y) {
    return lumora::Rgb{static_cast<uint8_t>(x * 7), static_cast<uint8_t>(y * 5), static_cast<uint8_t>(blue + x + y)};
  });
}

constexpr unsigned kWmTimer = 0x113;

// The delay is two minutes, so that the ticks after the first come when a test sends them; one test waits for the
// real timer at the shortest delay.
struct Show {
  ShowFiles files;
  std::string settings;

  void Install(const std::string& options, const std::vector<std::string>& pictures,
               const std::string& delay = "Time=120\r\n") {
    SlotValues slots;
    for (size_t i = 0; i < pictures.size(); ++i) slots[static_cast<int>(i) + 1] = pictures[i];
    settings = SettingsFileText("Sound=0\r\n" + delay + options, slots);
    WriteWindowsFile("lumora.ini", settings);
  }
  // Waits for the screen after `ticks` ticks and checks it pixel for pixel.
  void ExpectTick(int ticks, std::chrono::milliseconds timeout) {
    const Image expected = ExpectedFrame(settings, files, ticks);
    const Image shot = WaitForScreen(expected, timeout);
    EXPECT_EQ(CountDifferences(shot, shot.Bounds(), expected), 0) << "after tick " << ticks;
  }
  // The first tick from the saver's timer, each later one sent once the one before has shown.
  void ExpectTicks(int ticks) {
    RunningSaver saver;
    const Hwnd window = saver.WaitForWindow();
    ExpectTick(1, 10s);
    for (int tick = 2; tick <= ticks; ++tick) {
      EXPECT_TRUE(Inspector(Session()).Send(window, kWmTimer, 1, 0, 15s).has_value()) << "tick " << tick;
      ExpectTick(tick, 5s);
    }
  }
};

struct ModeRow {
  std::string name;  // AnyScreen: also run on a screen of odd size
  std::string options;
  std::vector<std::pair<std::string, lumora::Picture>> pictures;
  int ticks;
  bool realTimer = false;  // the timer's own ticks at the eight-second delay, not sent ones
};

void PrintTo(const ModeRow& row, std::ostream* out) { *out << row.name; }

class DisplayMode : public ::testing::TestWithParam<ModeRow> {};

// Each mode's screen after each of its first ticks.
TEST_P(DisplayMode, ShowsTheCoresFrameTickAfterTick) {
  const ModeRow& row = GetParam();
  Show show;
  std::vector<std::string> paths;
  for (const auto& [name, picture] : row.pictures) paths.push_back(show.files.AddPicture(name, picture));
  if (!row.realTimer) {
    show.Install(row.options, paths);
    show.ExpectTicks(row.ticks);
    return;
  }
  show.Install(row.options, paths, "Time=8\r\n");
  const auto start = Clock::now();
  RunningSaver saver;
  show.ExpectTick(1, 10s);
  const auto firstPicture = Clock::now() - start;
  EXPECT_GE(firstPicture, 900ms);
  EXPECT_LE(firstPicture, 5s) << "the first picture comes one timer period after the start";
  for (int tick = 2; tick <= row.ticks; ++tick) show.ExpectTick(tick, 15s);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Modes, DisplayMode,
    ::testing::Values(
        ModeRow{"StretchAnyScreen", "Picdis=1\r\n",
                {{"a.bmp", Gradient(300, 200, 0)}, {"b.jpg", Gradient(160, 90, 100)}}, 2, true},
        // The second picture is larger than the screen: cut off alike on both sides.
        ModeRow{"NaturalSizeCentredOnTheSchemeColourAnyScreen", "Picdis=2\r\nColor=3\r\n",
                {{"a.bmp", Gradient(201, 99, 0)}, {"b.bmp", Gradient(1100, 900, 50)}}, 2},
        ModeRow{"PictureInAPictureWithItsBackdropFromTheSecondTick", "Picdis=3\r\n",
                {{"a.bmp", Gradient(240, 180, 0)}, {"b.bmp", Gradient(120, 60, 80)}}, 2},
        ModeRow{"OnePictureInAllFourTilesAnyScreen", "Picdis=4\r\n", {{"a.bmp", Gradient(100, 75, 20)}}, 4},
        ModeRow{"CustomSizeStretchedAndCentred", "Picdis=5\r\nWidth=333\r\nHeight=211\r\nColor=2\r\n",
                {{"a.jpg", Gradient(90, 70, 30)}}, 1}),
    [](const ::testing::TestParamInfo<ModeRow>& info) { return info.param.name; });
// clang-format on

// 192 megapixels: decoded whole, three times the saver's limit for a picture. Made once per build tree, row by row.
std::vector<uint8_t> HugeJpeg() {
  const auto cached = Session().WorkDir() / "huge-16000x12000.jpg";
  if (!std::filesystem::exists(cached)) {
    const auto bytes = lumora::EncodeJpegRows(16000, 12000, lumora::SampleLayout::Rgb,
                                              [](int y, uint8_t* row) {
                                                for (int x = 0; x < 16000; ++x, row += 3) {
                                                  row[0] = static_cast<uint8_t>(x / 63),
                                                  row[1] = static_cast<uint8_t>(y / 47);
                                                  row[2] = static_cast<uint8_t>((x ^ y) & 0xFF);
                                                }
                                              },
                                              {.quality = 75});
    // Runs side by side share the work folder: each writes its own file and renames it into place whole.
    const auto own = std::filesystem::path(cached).concat("." + std::to_string(getpid()));
    lumora::WriteFile(own.string(), bytes);
    std::filesystem::rename(own, cached);
  }
  std::ifstream in(cached, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// It shows, decoded at an eighth or cut to the screen, exactly as the core draws it.
TEST(DisplayModes, A16000By12000JpegShowsStretchedTiledAndAtNaturalSize) {
  ShowFiles files;
  const std::string huge = files.AddFile("huge.jpg", HugeJpeg());
  for (const char* mode : {"Picdis=1\r\n", "Picdis=4\r\n", "Picdis=2\r\n"}) {
    SCOPED_TRACE(mode);
    Show show{files, {}};
    show.Install(mode, {huge});
    RunningSaver saver;
    show.ExpectTick(1, 30s);
  }
}

TEST(DisplayModes, DamagedJpegShowsThePlaceholder) {
  Show show;
  std::vector<uint8_t> damaged = lumora::JpegFileOf(Gradient(64, 64, 0));
  damaged.resize(20);
  show.Install("Picdis=2\r\nColor=4\r\n", {show.files.AddFile("damaged.jpg", damaged)});
  RunningSaver saver;
  show.ExpectTick(1, 10s);
  const Image shot = Screenshot();
  const int width = kPlaceholderWidth, height = kPlaceholderHeight;
  const int left = RoundHalfToEven(shot.Width() - width, 2), top = RoundHalfToEven(shot.Height() - height, 2);
  // White, as the placeholder mostly is.
  EXPECT_GT(CountPixels(shot, {left, top, width, height}, Rgb{255, 255, 255}), width * height / 2);
}

// A picture whose top-left quarter has a colour found nowhere else, so its place on the screen can be found.
lumora::Picture Marked(int width, int height) {
  return lumora::MakePicture(width, height, [=](int x, int y) {
    if (x < width / 2 && y < height / 2) return lumora::Rgb{250, 10, 250};
    return lumora::Rgb{static_cast<uint8_t>(x % 200), static_cast<uint8_t>(y % 200), 40};
  });
}

TEST(DisplayModes, OverlapPutsTheWholePictureUnscaledWithinTheScreen) {
  Show show;
  const lumora::Picture picture = Marked(300, 200);
  show.Install("Picdis=6\r\n", {show.files.AddPicture("a.bmp", picture)});
  RunningSaver saver;
  const Image expected = ToImage(picture);
  Rect found;
  ASSERT_TRUE(WaitFor(
      [&] {
        found = BoundingBoxOf(Screenshot(), Rgb{250, 10, 250});
        return found.width == 150 && found.height == 100;
      },
      10s))
      << "the marked quarter, found at " << found;
  const Image shot = Screenshot();
  EXPECT_EQ(CountDifferences(shot, {found.x, found.y, 300, 200}, expected), 0);
  EXPECT_LE(found.x + 300, shot.Width());
  EXPECT_LE(found.y + 200, shot.Height());
}

TEST(DisplayModes, SlideComesToRestInACornerOfItsEdge) {
  Show show;
  const lumora::Picture picture = Marked(200, 160);
  show.Install("Picdis=7\r\n", {show.files.AddPicture("a.bmp", picture)});
  RunningSaver saver;
  const Image expected = ToImage(picture);
  const int width = Session().Screen().width, height = Session().Screen().height;
  // From the left or the top the last frame stands one pixel off the edge; from the right or the bottom up to
  // three pixels beyond it.
  std::vector<std::pair<int, int>> restingPlaces = {{-1, 0}, {0, -1}};
  for (int beyond = 1; beyond <= 3; ++beyond) {
    restingPlaces.push_back({width - 200 + beyond, 0});
    restingPlaces.push_back({0, height - 160 + beyond});
  }
  const auto restsAt = [&](const Image& shot, std::pair<int, int> place) {
    const Rect visible{std::max(place.first, 0), std::max(place.second, 0),
                       200 - std::abs(place.first < 0 ? place.first : 0),
                       160 - std::abs(place.second < 0 ? place.second : 0)};
    const Rect clipped{visible.x, visible.y, std::min(visible.width, width - visible.x),
                       std::min(visible.height, height - visible.y)};
    const Image part =
        expected.Crop({clipped.x - place.first, clipped.y - place.second, clipped.width, clipped.height});
    return CountDifferences(shot, clipped, part) == 0;
  };
  EXPECT_TRUE(WaitFor(
      [&] {
        const Image shot = Screenshot();
        return std::ranges::any_of(restingPlaces, [&](auto place) { return restsAt(shot, place); });
      },
      30s));
}

}  // namespace
}  // namespace lumora::e2e
