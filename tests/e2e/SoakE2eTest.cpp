// Soak: 2,000 ticks in each display mode, driven by posted timer messages, with the saver's memory, the GDI
// objects its wrappers hold (GetGuiResources is a stub in Wine 8: the saver counts them itself and answers a
// registered message) and its windows the same after tick 2,000 as after tick 100. Not in the default run:
// `ctest --preset native -L soak` (about ten minutes for each build).
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "SaverRun.h"
#include "support/JpegEncoder.h"
#include "support/PictureFiles.h"

namespace lumora::e2e {
namespace {

using namespace std::chrono_literals;

constexpr unsigned kWmTimer = 0x113;
constexpr int kTicks = 2000;
constexpr int kSettleTicks = 100;
constexpr int kBatch = 100;
constexpr double kMemoryBoundMegabytes = 8;

// A field of /proc/PID/status in kB, or of /proc/PID/stat by position.
long StatusKilobytes(pid_t pid, const std::string& field) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field + ":", 0) == 0) return std::atol(line.c_str() + field.size() + 1);
  return -1;
}

long CpuTicks(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  long user = 0, system = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14) user = std::atol(field.c_str());
    if (i == 15) system = std::atol(field.c_str());
  }
  return user + system;
}

// The saver has handled what was posted to it: its processor time has stood still for half a second.
void WaitUntilIdle(pid_t pid) {
  long before = CpuTicks(pid);
  for (int i = 0; i < 600; ++i) {
    std::this_thread::sleep_for(500ms);
    const long now = CpuTicks(pid);
    if (now == before) return;
    before = now;
  }
}

struct Counts {
  double megabytes;
  long gdiObjects;
  size_t windows;
};

Counts CountsOf(RunningSaver& saver, Hwnd window, unsigned liveGdiMessage) {
  Inspector inspector(Session());
  return {StatusKilobytes(saver.Process().Pid(), "VmRSS") / 1024.0,
          static_cast<long>(inspector.Send(window, liveGdiMessage, 0, 0, 10s).value_or(-1)),
          inspector.Children(window).size()};
}

TEST(Soak, TwoThousandTicksInEachDisplayModeLeaveMemoryGdiObjectsAndWindowsFlat) {
  ShowFiles files;
  const std::vector<std::string> pictures{
      files.AddFile("soak1.jpg", EncodeJpeg({1200, 900, SampleLayout::Rgb, std::vector<uint8_t>(1200 * 900 * 3, 90)})),
      files.AddPicture("soak2.bmp", MakePicture(800, 600, [](int x, int y) { return lumora::Rgb{uint8_t(x), uint8_t(y), 9}; })),
      files.AddPicture("soak3.jpg", MakePicture(640, 480, [](int x, int y) { return lumora::Rgb{9, uint8_t(x ^ y), 99}; })),
      files.AddPicture("soak4.bmp", MakePicture(300, 1000, [](int x, int y) { return lumora::Rgb{uint8_t(y), 50, uint8_t(x)}; }))};
  SlotValues slots;
  for (size_t i = 0; i < pictures.size(); ++i) slots[static_cast<int>(i) + 1] = pictures[i];
  Inspector inspector(Session());
  const unsigned liveGdiMessage =
      static_cast<unsigned>(ParseRecord(inspector.Call({"message-number", "LumoraLiveGdiObjects"})).Number("result"));
  for (int mode = 1; mode <= 7; ++mode) {
    SCOPED_TRACE("display mode " + std::to_string(mode));
    WriteWindowsFile("lumora.ini", SettingsFileText("Sound=0\r\nTime=120\r\nSeq=0\r\nColor=1\r\nWidth=500\r\n"
                                                    "Height=400\r\nPicdis=" + std::to_string(mode) + "\r\n", slots));
    RunningSaver saver;
    const Hwnd window = saver.WaitForWindow();
    Counts settled{};
    for (int posted = 0; posted < kTicks; posted += kBatch) {
      inspector.Call({"post-many", HwndText(window), std::to_string(kWmTimer), "1", "0", std::to_string(kBatch)});
      WaitUntilIdle(saver.Process().Pid());
      ASSERT_TRUE(saver.Process().Running()) << "after " << posted + kBatch << " ticks";
      if (posted + kBatch == kSettleTicks) settled = CountsOf(saver, window, liveGdiMessage);
    }
    const Counts last = CountsOf(saver, window, liveGdiMessage);
    std::printf("[ soak     ] display mode %d: %.1f MB, %ld GDI objects, %zu windows after %d ticks; "
                "%.1f MB, %ld, %zu after %d\n", mode, settled.megabytes, settled.gdiObjects, settled.windows,
                kSettleTicks, last.megabytes, last.gdiObjects, last.windows, kTicks);
    EXPECT_LE(last.megabytes - settled.megabytes, kMemoryBoundMegabytes);
    EXPECT_EQ(last.gdiObjects, settled.gdiObjects);
    EXPECT_EQ(last.windows, settled.windows);
    TapKey(XK_Escape);
    EXPECT_EQ(saver.WaitForExit(10s), 0);
  }
}

}  // namespace
}  // namespace lumora::e2e
