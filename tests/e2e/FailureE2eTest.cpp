// Hostile files and a faulty system, under Wine: the saver keeps running, shows the placeholder where a picture
// cannot be shown (in stretch mode exactly as the core draws it), ends on a key press within a second and leaves
// the screensaver-running flag cleared. Ticks are driven by timer messages sent from outside, each handled before
// the test goes on.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <random>

#include "SaverRun.h"
#include "platform/WindowNames.h"
#include "settings_window/DisclaimerLayout.h"
#include "settings_window/SettingsLayout.h"
#include "support/BmpBuilder.h"
#include "support/JpegEncoder.h"
#include "support/PictureFiles.h"
#include "support/ShowFixture.h"

namespace lumora::e2e {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;
using test::BmpFields;

constexpr unsigned kWmTimer = 0x113;
constexpr char kQuietOptions[] = "Sound=0\r\nTime=120\r\nSeq=1\r\n";

lumora::Picture Good(uint8_t tint) {
  return MakePicture(40, 30, [=](int x, int y) { return lumora::Rgb{uint8_t(x * 6), uint8_t(y * 8), tint}; });
}

enum class TickResult { Handled, StillRunning, NotDelivered };

// One tick, sent: the call returns when the saver's handler has, or when the wait is over.
TickResult SendTick(Hwnd window, std::chrono::milliseconds wait) {
  try {
    return Inspector(Session()).Send(window, kWmTimer, 1, 0, wait) ? TickResult::Handled : TickResult::StillRunning;
  } catch (const HarnessError&) {
    return TickResult::NotDelivered;  // the window is gone
  }
}

std::ostream& operator<<(std::ostream& out, TickResult result) {
  const char* names[] = {"handled", "still running", "not delivered"};
  return out << names[static_cast<int>(result)];
}

// A tick that must be handled within the timeout; on failure the message says what became of it.
::testing::AssertionResult Tick(Hwnd window) {
  const auto sent = Clock::now();
  const TickResult result = SendTick(window, 15s);
  if (result == TickResult::Handled) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "the tick was " << result << " after "
         << std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent).count() << " ms";
}

bool ShowsColour(const Image& shot, const std::function<bool(Rgb)>& matches) {
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x)
      if (matches(shot.At(x, y))) return true;
  return false;
}

// A saver ended with Escape: within a second, exit code 0, the running flag cleared.
void ExpectEndsOnAKeyWithinASecond(RunningSaver& saver, const std::string& what) {
  const auto pressed = Clock::now();
  TapKey(XK_Escape);
  const std::optional<int> code = saver.WaitForExit(5s);
  EXPECT_LT(Clock::now() - pressed, 1s) << what;
  EXPECT_EQ(code, 0) << what;
  EXPECT_FALSE(Inspector(Session()).ScreensaverRunning()) << what;
}

// ---- Picture files ------------------------------------------------------------------------------------------

struct BadFile {
  std::string name;  // also the file name, with its extension
  Bytes bytes;
};

Bytes Truncated(Bytes bytes, size_t size) {
  bytes.resize(std::min(size, bytes.size()));
  return bytes;
}

Bytes Bmp(BmpFields fields) { return test::BuildBmp(fields); }

// clang-format off
BmpFields Indexed() {
  return BmpFields{.width = 3, .height = 2, .bitCount = 8, .colorsUsed = 4,
                   .palette = {{0, 0, 0}, {255, 255, 255}, {200, 0, 0}, {0, 200, 0}},
                   .pixels = test::PaddedRows({{0, 1, 2}, {3, 2, 1}})};
}

BmpFields Rle8(int width, int height, Bytes codes) {
  BmpFields fields = Indexed();
  fields.width = width, fields.height = height, fields.compression = 1, fields.pixels = std::move(codes);
  return fields;
}

Bytes Jpeg(int width, int height, ScanScript scans = ScanScript::Sequential) {
  SampleImage image{width, height, SampleLayout::Rgb, {}};
  for (int i = 0; i < width * height; ++i) image.samples.insert(image.samples.end(), {uint8_t(i), uint8_t(i / 3), 90});
  return EncodeJpeg(image, {.quality = 80, .scans = scans});
}

Bytes Patched(Bytes jpeg, uint16_t width, uint16_t height) {
  PatchFrameSize(jpeg, width, height);
  return jpeg;
}

Bytes Mangled(Bytes bytes, size_t from, size_t count) {
  for (size_t i = from; i < std::min(from + count, bytes.size()); ++i) bytes[i] ^= 0x5A;
  return bytes;
}

// Repeats its first scan hundreds of times over a frame of 9400 x 9400: 11 KB asking minutes of work.
Bytes WorkBomb() {
  Bytes jpeg = Jpeg(16, 16, ScanScript::Progressive);
  RepeatFirstScan(jpeg, 480);
  PatchFrameSize(jpeg, 9400, 9400);
  return jpeg;
}

std::vector<BadFile> BadPictureFiles() {
  const Bytes bmp = BmpFileOf(Good(7)), jpeg = JpegFileOf(Good(9));
  Bytes twelveBit = jpeg;
  for (size_t i = 2; i + 4 < twelveBit.size(); ++i)
    if (twelveBit[i] == 0xFF && twelveBit[i + 1] == 0xC0) {
      twelveBit[i + 4] = 12;  // the frame's sample precision
      break;
    }
  Bytes fiftyMegabytes = jpeg;
  fiftyMegabytes.resize(50u << 20, 0);
  const Bytes png{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0, 0, 8, 0, 0, 0, 8,
                  8, 2, 0, 0, 0};
  return {
      {"empty.bmp", {}},
      {"cut at 2.bmp", Truncated(bmp, 2)},
      {"cut at 14.bmp", Truncated(bmp, 14)},
      {"cut at 30.bmp", Truncated(bmp, 30)},
      {"cut at 54.bmp", Truncated(bmp, 54)},
      {"cut at half.bmp", Truncated(bmp, bmp.size() / 2)},
      {"one byte short.bmp", Truncated(bmp, bmp.size() - 1)},
      {"65500 square.bmp", Bmp({.width = 65500, .height = 65500, .pixels = {1, 2, 3, 4}})},
      {"negative width.bmp", Bmp({.width = -3, .height = 1, .pixels = {1, 2, 3, 4}})},
      {"zero height.bmp", Bmp({.width = 1, .height = 0, .pixels = {1, 2, 3, 4}})},
      {"smallest height.bmp", Bmp({.width = 1, .height = INT32_MIN, .pixels = {1, 2, 3, 4}})},
      {"two planes.bmp", Bmp({.width = 1, .height = 1, .planes = 2, .pixels = {1, 2, 3, 4}})},
      {"two bits.bmp", Bmp({.width = 1, .height = 1, .bitCount = 2, .pixels = {1, 2, 3, 4}})},
      {"offset beyond the file.bmp", [] { BmpFields f = Indexed(); f.pixelOffset = 100000; return Bmp(f); }()},
      {"offset in the header.bmp", [] { BmpFields f = Indexed(); f.pixelOffset = 20; return Bmp(f); }()},
      {"index beyond the palette.bmp", [] { BmpFields f = Indexed(); f.pixels[1] = 200; return Bmp(f); }()},
      {"RLE8 bomb.bmp", Bmp(Rle8(9000, 9000, {0x10, 0x01, 0x00, 0x02, 0xFF, 0xFF, 0x00, 0x01}))},
      {"RLE4 bomb.bmp", [] { BmpFields f = Rle8(9000, 9000, {0x08, 0x12, 0x00, 0x01}); f.bitCount = 4;
                              f.compression = 2; return Bmp(f); }()},
      {"RLE run past the row.bmp", Bmp(Rle8(4, 1, {0x09, 0x01, 0x00, 0x01}))},
      {"RLE delta beyond.bmp", Bmp(Rle8(4, 2, {0x00, 0x02, 0x09, 0x09, 0x00, 0x01}))},
      {"overlapping masks.bmp", Bmp({.headerSize = 56, .width = 2, .height = 1, .bitCount = 16, .compression = 3,
                                     .masks = {0xFF00, 0x0FF0, 0x000F, 0}, .pixels = {1, 2, 3, 4}})},
      {"header of 77 bytes.bmp", Bmp({.headerSize = 77, .width = 1, .height = 1, .pixels = {1, 2, 3, 4}})},
      {"too many colours.bmp", [] { BmpFields f = Indexed(); f.colorsUsed = 300; return Bmp(f); }()},
      {"a PNG.bmp", png},
      {"a JPEG.bmp", jpeg},
      {"some text.bmp", Bytes{'h', 'e', 'l', 'l', 'o'}},
      {"empty.jpg", {}},
      {"cut at 2.jpg", Truncated(jpeg, 2)},
      {"cut at 20.jpg", Truncated(jpeg, 20)},
      {"cut at 200.jpg", Truncated(jpeg, 200)},
      {"cut at half.jpg", Truncated(jpeg, jpeg.size() / 2)},
      {"one byte short.jpg", Truncated(jpeg, jpeg.size() - 1)},
      {"progressive cut at half.jpg", Truncated(Jpeg(48, 40, ScanScript::Progressive), 600)},
      {"65500 square.jpg", Patched(Jpeg(16, 16), 65500, 65500)},
      {"zero by zero.jpg", Patched(Jpeg(16, 16), 0, 0)},
      {"work bomb.jpg", WorkBomb()},
      {"thousands of scans.jpg", Jpeg(16, 16, ScanScript::EveryBitAlone)},
      {"corrupt data.jpg", Mangled(jpeg, jpeg.size() / 2, 40)},
      {"twelve bits.jpg", twelveBit},
      {"a bitmap.jpg", bmp},
      {"fifty megabytes.jpg", fiftyMegabytes},
      {"a picture.gif", bmp},
      {"no extension", bmp},
      {"one pixel.jpg", Jpeg(1, 1)},
      {"one pixel.bmp", BmpFileOf(MakePicture(1, 1, [](int, int) { return lumora::Rgb{1, 2, 3}; }))},
  };
}
// clang-format on

// Every bad file between two good pictures, as one list; each tick posted, and in stretch mode each screen
// compared with what the core draws for that one file.
void RunBadPictureFiles(int displayMode) {
  ShowFiles files;
  const std::string good = files.AddPicture("good.bmp", Good(100));
  SlotValues slots{{1, good}};
  std::vector<std::pair<std::string, Image>> expected{{"good.bmp", {}}};
  for (const BadFile& file : BadPictureFiles()) {
    slots[static_cast<int>(slots.size()) + 1] = files.AddFile(file.name, file.bytes);
    slots[static_cast<int>(slots.size()) + 1] = good;
    expected.push_back({file.name, {}});
    expected.push_back({"good.bmp", {}});
  }
  const std::string options = std::string(kQuietOptions) + "Picdis=" + std::to_string(displayMode) + "\r\n";
  WriteWindowsFile("lumora.ini", SettingsFileText(options, slots));
  if (displayMode == 1)
    for (size_t i = 0; i < expected.size(); ++i)
      expected[i].second =
          ExpectedFrame(SettingsFileText(options, {{1, *slots.at(static_cast<int>(i) + 1)}}), files, 1);
  RunningSaver saver;
  const Hwnd window = saver.WaitForWindow();
  for (size_t tick = 0; tick < expected.size(); ++tick) {
    // The first tick is the saver's own, after a second; it shows the good picture, blue 100 in every pixel.
    if (tick > 0) {
      // A slide may run long (a picture 65,500 pixels wide); the next tick ends it, as the timer's would.
      const TickResult result = SendTick(window, displayMode == 7 ? 300ms : 15s);
      const bool slideRunsOn = displayMode == 7 && result == TickResult::StillRunning;
      ASSERT_TRUE(result == TickResult::Handled || slideRunsOn) << "the tick showing " << expected[tick].first;
    }
    if (displayMode == 1) {
      const Image shot = WaitForScreen(expected[tick].second, 15s);
      EXPECT_EQ(CountDifferences(shot, shot.Bounds(), expected[tick].second), 0) << expected[tick].first;
    } else if (tick == 0) {
      const auto firstPicture = [](Rgb pixel) { return pixel.b == 100; };
      ASSERT_TRUE(WaitFor([&] { return ShowsColour(Screenshot(), firstPicture); }, 15s))
          << "the first picture never came";
    }
    ASSERT_TRUE(saver.Process().Running()) << "after " << expected[tick].first;
  }
  ExpectEndsOnAKeyWithinASecond(saver, "display mode " + std::to_string(displayMode));
}

TEST(BadInput, PictureFilesInStretchModeShowThePlaceholderOrWhatCanBeDecoded) { RunBadPictureFiles(1); }
TEST(BadInput, PictureFilesInTileMode) { RunBadPictureFiles(4); }
TEST(BadInput, PictureFilesInSlideMode) { RunBadPictureFiles(7); }

// ---- Settings files -----------------------------------------------------------------------------------------

struct BadSettings {
  std::string name;
  std::string text;  // {GOOD} stands for the path of a good picture
};

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

std::string Garbage(size_t size, bool withNuls) {
  std::mt19937 random(static_cast<unsigned>(size));
  std::string text(size, '\0');
  for (char& c : text) c = static_cast<char>(withNuls ? random() : 1 + random() % 255);
  return text;
}

std::string WithGood(const std::string& options) { return SettingsFileText(options, {{1, "{GOOD}"}, {2, "{GOOD}"}}); }

std::vector<BadSettings> BadSettingsFiles() {
  // clang-format off
  std::string twoThousand = "[Options]\r\nPicdis=1\r\n[JpegConfig]\r\n";
  for (int slot = 1; slot <= 2000; ++slot) twoThousand += "Name" + std::to_string(slot) + "={GOOD}\r\n";
  std::string manyOptions;
  for (int i = 0; i < 1000; ++i) manyOptions += "[Options]\r\nPicdis=" + std::to_string(i % 9) + "\r\n";
  std::string junkLines;
  while (junkLines.size() < (10u << 20)) junkLines += "junk line without an equals sign " + std::to_string(junkLines.size()) + "\r\n";
  return {
      {"empty", ""},
      {"binary garbage", Garbage(4096, false)},
      {"binary garbage with NULs", Garbage(4096, true)},
      {"only the Options header", "[Options]\r\n"},
      {"no picture list", "[Options]\r\nPicdis=1\r\n[WavConfig]\r\nName1=Null\r\n"},
      {"no sound list", "[Options]\r\nPicdis=1\r\n[JpegConfig]\r\nName1={GOOD}\r\n"},
      {"2,000 slots", twoThousand},
      {"a 1,023-character name", WithGood("") + "[JpegConfig]\r\nName3=C:\\" + std::string(1020, 'a') + "\r\n"},
      {"a 1,500-character first name", SettingsFileText("", {{1, "C:\\" + std::string(1497, 'b') + ".jpg"}})},
      {"a 5,000-character line", "[Options]\r\nPicdis=" + std::string(5000, '7') + "\r\n" + WithGood("")},
      {"codes out of range", WithGood("Picdis=99\r\nTime=-5\r\nColor=999\r\n")},
      {"negative custom size", WithGood("Picdis=5\r\nWidth=-100\r\nHeight=-100\r\n")},
      {"zero custom size", WithGood("Picdis=5\r\nWidth=0\r\nHeight=0\r\n")},
      {"custom size 100000", WithGood("Picdis=5\r\nWidth=100000\r\nHeight=100000\r\n")},
      {"a sound that is garbage", SettingsFileText("Sound=1\r\nPicdis=1\r\n", {{1, "{GOOD}"}}, {{1, "{BAD SOUND}"}})},
      {"Sound=garbage", WithGood("Sound=\x01\x02garbage\r\n")},
      {"Seq=2", WithGood("Seq=2\r\nPicdis=4\r\n")},
      {"two picture lists", WithGood("Picdis=1\r\n") + "[JpegConfig]\r\nName1=C:\\nothing.jpg\r\n"},
      {"keys without values", "[Options]\r\nPicdis\r\nTime\r\n[JpegConfig]\r\nName1={GOOD}\r\nName2\r\n"},
      {"UTF-16 with a byte order mark", std::string("\xFF\xFE[\0O\0p\0t\0", 10) + WithGood("")},
      {"carriage returns only", Replace(WithGood("Picdis=1\r\n"), "\r\n", "\r")},
      {"line feeds only", Replace(WithGood("Picdis=1\r\n"), "\r\n", "\n")},
      {"Name0 and Name501", WithGood("") + "[JpegConfig]\r\nName0={GOOD}\r\nName501={GOOD}\r\n"},
      {"names in other case with blanks", "[ options ]\r\n PICDIS = 2 \r\n[ jpegconfig ]\r\n name1 = {GOOD} \r\n"},
      {"the Options header a thousand times", manyOptions + WithGood("")},
      {"10 MB of junk lines", junkLines + WithGood("Picdis=1\r\n")},
  };
  // clang-format on
}

// Each settings file in a run of its own: the saver shows pictures or its information screen, takes a few
// ticks, and ends on a key.
void RunBadSettingsFiles(const std::vector<BadSettings>& rows) {
  ShowFiles files;
  const std::string good = files.AddPicture("settings good.bmp", Good(50));
  const std::string badSound = files.AddFile("garbage.wav", Bytes(4000, 0x7F));
  for (const BadSettings& row : rows) {
    SCOPED_TRACE(row.name);
    WriteWindowsFile("lumora.ini", Replace(Replace(row.text, "{GOOD}", good), "{BAD SOUND}", badSound));
    RunningSaver saver;
    const Hwnd window = saver.WaitForWindow();
    for (int tick = 0; tick < 3; ++tick) ASSERT_TRUE(Tick(window)) << "tick " << tick + 1 << " was not handled";
    ASSERT_TRUE(saver.Process().Running());
    ExpectEndsOnAKeyWithinASecond(saver, row.name);
  }
}

TEST(BadInput, SettingsFiles) { RunBadSettingsFiles(BadSettingsFiles()); }

// Values at the ends of 32 bits, where a 32-bit build would overflow first.
TEST(BadInput, SettingsAtTheInt32BoundaryOn32Bit) {
  if (Session().Arch() != SaverArch::I686) GTEST_SKIP() << "the 32-bit build sees the boundary first";
  RunBadSettingsFiles({
      {"codes of 2^32 - 1", WithGood("Picdis=4294967295\r\nTime=0xFFFFFFFF\r\n")},
      {"largest custom size", WithGood("Picdis=5\r\nWidth=2147483647\r\nHeight=2147483647\r\n")},
      {"smallest custom size", WithGood("Picdis=5\r\nWidth=-2147483648\r\nHeight=0x80000000\r\n")},
  });
}

// A folder named like a picture, and a path longer than Windows' usual 260 characters, in the list.
TEST(BadInput, FolderAndOverlongPathInTheList) {
  ShowFiles files;
  const std::string good = files.AddPicture("list good.bmp", Good(20));
  std::filesystem::create_directories(Session().DriveC() / "lumora-files" / "folder.jpg");
  const std::string folder = ToWindowsPath(Session().DriveC() / "lumora-files" / "folder.jpg");
  const auto deep = Session().DriveC() / "lumora-files" / std::string(132, 'd') / std::string(132, 'e');
  std::filesystem::create_directories(deep);
  WriteFile((deep / "long path picture.bmp").string(), BmpFileOf(Good(60)));
  const std::string longPath = ToWindowsPath(deep / "long path picture.bmp");
  ASSERT_GE(longPath.size(), 300u);
  for (const std::string& listed : {folder, longPath}) {
    WriteWindowsFile("lumora.ini",
                     SettingsFileText(std::string(kQuietOptions) + "Picdis=1\r\n", {{1, good}, {2, listed}}));
    RunningSaver saver;
    const Hwnd window = saver.WaitForWindow();
    // A picture or the note about a file no longer there: the black screen gets something drawn on it.
    const auto drawn = [] {
      const Image shot = Screenshot();
      return !IsUniform(shot, shot.Bounds(), Rgb{0, 0, 0});
    };
    EXPECT_TRUE(WaitFor(drawn, 15s)) << listed;
    ASSERT_TRUE(Tick(window)) << "the tick after the first screen was not handled, " << listed;
    ASSERT_TRUE(saver.Process().Running()) << listed;
    ExpectEndsOnAKeyWithinASecond(saver, listed);
  }
}

// The settings file holds names in the system's ANSI code page (1252 in the test prefix); the disk's in UTF-8.
TEST(BadInput, ANameOutsideAsciiShowsItsPicture) {
  ShowFiles files;
  const Bytes picture = BmpFileOf(Good(90));
  WriteFile((Session().DriveC() / "lumora-files" / "caf\xC3\xA9 cr\xC3\xA8me \xC3\x9F.bmp").string(), picture);
  const std::string name = ToWindowsPath(Session().DriveC() / "lumora-files") + "\\caf\xE9 cr\xE8me \xDF.bmp";
  files.Include(name, picture);
  const std::string settings = SettingsFileText(std::string(kQuietOptions) + "Picdis=1\r\n", {{1, name}});
  WriteWindowsFile("lumora.ini", settings);
  const Image expected = ExpectedFrame(settings, files, 1);
  RunningSaver saver;
  saver.WaitForWindow();
  const Image shot = WaitForScreen(expected, 15s);
  EXPECT_EQ(CountDifferences(shot, shot.Bounds(), expected), 0) << "the picture, not the placeholder";
  ExpectEndsOnAKeyWithinASecond(saver, name);
}

// ---- A faulty system ------------------------------------------------------------------------------------------

// Two savers started at the same instant: one shows, the other ends at once; one key ends the show for good.
TEST(FaultySystem, TwoSaversStartedTogetherShowOneWindow) {
  ShowFiles files;
  const std::string settings =
      SettingsFileText(std::string(kQuietOptions) + "Picdis=1\r\n", {{1, files.AddPicture("twice.bmp", Good(30))}});
  WriteWindowsFile("lumora.ini", settings);
  const Image picture = ExpectedFrame(settings, files, 1);
  RunningSaver first, second;
  first.WaitForWindow();
  const bool firstEnded = WaitFor([&] { return !first.Process().Running() || !second.Process().Running(); }, 10s);
  EXPECT_TRUE(firstEnded) << "one of the two ends at once";
  RunningSaver& shown = first.Process().Running() ? first : second;
  EXPECT_EQ(shown.Process().Running() ? 1 : 0, 1);
  const Image shot = WaitForScreen(picture, 15s);
  EXPECT_EQ(CountDifferences(shot, shot.Bounds(), picture), 0) << "the saver that stays shows its picture";
  ExpectEndsOnAKeyWithinASecond(shown, "the saver that showed");
  EXPECT_FALSE(Inspector(Session()).Find(kSaverWindowClass, kSaverWindowTitle).has_value())
      << "no saver window is left";
}

// 1,500 timer messages at once while pictures slide in: each ends the slide it interrupts; none piles up.
TEST(FaultySystem, ATimerStormDuringSlidesLeavesTheSaverRunning) {
  ShowFiles files;
  const std::string wide = files.AddPicture("wide.bmp", MakePicture(2000, 300, [](int x, int y) {
                                              return lumora::Rgb{uint8_t(x), uint8_t(y), 128};
                                            }));
  WriteWindowsFile("lumora.ini", SettingsFileText(std::string(kQuietOptions) + "Picdis=7\r\n", {{1, wide}}));
  RunningSaver saver;
  const Hwnd window = saver.WaitForWindow();
  const auto wideBlue = [](Rgb pixel) { return pixel.b == 128; };
  ASSERT_TRUE(WaitFor([&] { return ShowsColour(Screenshot(), wideBlue); }, 15s)) << "the first slide never began";
  Inspector(Session()).Call({"post-many", HwndText(window), std::to_string(kWmTimer), "1", "0", "1500"});
  // The storm has been handled when the last slide rests: two screenshots a poll apart are the same.
  Image previous;
  const bool resting = WaitFor(
      [&] {
        Image shot = Screenshot();
        const bool same = shot.Width() == previous.Width() && CountDifferences(shot, shot.Bounds(), previous) == 0;
        previous = std::move(shot);
        return same && ShowsColour(previous, wideBlue);
      },
      60s, 250ms);
  EXPECT_TRUE(resting) << "the slides after the storm come to rest";
  ASSERT_TRUE(saver.Process().Running());
  ExpectEndsOnAKeyWithinASecond(saver, "after the storm");
}

// A system that refuses windows of one class: testwindow.exe holds a hook (cbt_test.dll) that every process
// creating a window loads, and that reads the refused class when it is loaded. Gone with the object.
class RefusingHook {
 public:
  RefusingHook()
      : log_(Session().NewLogPath("testwindow-hook", "log")),
        holder_(Session().Start(Session().SaverToolPath("testwindow.exe").string(),
                                {ToWindowsPath(log_), "--refuse-windows"})) {}
  ~RefusingHook() {
    holder_.Kill();
    std::filesystem::remove(ClassFile());
  }
  bool Installed() {
    return WaitFor([&] { return ReadFile(log_).find("refusing windows") != std::string::npos; }, 20s);
  }
  void Refuse(const std::string& className) {
    std::filesystem::create_directories(TestDllFolder());
    WriteFile(ClassFile().string(), Bytes(className.begin(), className.end()));
  }

 private:
  static std::filesystem::path ClassFile() { return TestDllFolder() / "refuse-class.txt"; }
  std::filesystem::path log_;
  WineProcess holder_;
};

// The saver's window, its player or its picture, or the settings window, one of its panels or its disclaimer
// cannot be created: the program ends at once, with no box, no window and the running flag clear.
TEST(FaultySystem, AWindowThatCannotBeCreatedEndsTheProgram) {
  struct Row {
    const char* refusedClass;
    const char* mode;
  };
  static const Row kRows[] = {{kSaverWindowClass, "/S"},   {kMediaPlayerWindowClass, "/S"},
                              {kPictureWindowClass, "/S"}, {kSettingsWindowClass, "/C"},
                              {kPanelWindowClass, "/C"},   {kDisclaimerWindowClass, "/C"}};
  ShowFiles files;
  WriteWindowsFile("lumora.ini", SettingsFileText(std::string(kQuietOptions) + "Picdis=3\r\n",
                                                  {{1, files.AddPicture("refused.bmp", Good(40))}}));
  RefusingHook hook;
  ASSERT_TRUE(hook.Installed());
  for (const Row& row : kRows) {
    hook.Refuse(row.refusedClass);
    EXPECT_EQ(RunScr({row.mode}, 15s), 0) << row.refusedClass;
    Inspector inspector(Session());
    EXPECT_TRUE(inspector.Dialogs().empty()) << row.refusedClass;
    EXPECT_FALSE(inspector.Find(kSaverWindowClass, kSaverWindowTitle).has_value()) << row.refusedClass;
    EXPECT_FALSE(inspector.ScreensaverRunning()) << row.refusedClass;
    WaitUntilNoSaverRuns();
  }
}

}  // namespace
}  // namespace lumora::e2e
