// The real lumora.scr under Wine, measured: how long a timer message takes to become a new picture on the
// screen (a 24-megapixel photo against a small bitmap), the saver's peak memory in each display mode showing
// 24-megapixel photos (and a 192-megapixel one), the show on a computer slowed to a tenth of a core, and start-up
// with 500 + 500 list entries against 1 + 1. Prints figures; asserts nothing.
// Usage: lumora_saver_bench [runs] [ticks | memory | slow | soak]   (LUMORA_E2E_ARCH=i686|x86_64 and
// LUMORA_E2E_SCREEN as for the e2e tests); "ticks": the timer-to-screen figures alone; "memory": the memory figures
// alone, on a 1024 x 768 screen and on a 3840 x 2160 one; "slow": the slowed computer alone; "soak": what the saver
// holds over 5,000 ticks.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>

#include <unistd.h>
#include <vector>

#include <X11/keysym.h>

#include "PhotoLike.h"
#include "SaverRun.h"
#include "Timing.h"
#include "WineBenchMain.h"
#include "harness/Process.h"
#include "support/JpegEncoder.h"
#include "support/PictureFiles.h"

namespace lumora::e2e {

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr unsigned kWmTimer = 0x113;
constexpr int kPhotos = 4;

double Ms(Clock::duration time) { return std::chrono::duration<double, std::milli>(time).count(); }

// A memory figure of /proc/PID/status (VmHWM, VmRSS), in MB.
double MegabytesOf(const std::filesystem::path& process, const std::string& field = "VmHWM") {
  std::ifstream status(process / "status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field + ":", 0) == 0) return std::atof(line.c_str() + field.size() + 1) / 1024.0;
  return -1;
}

// The text of a file under /proc; empty when the process has gone meanwhile (reading then fails).
std::string FileText(const std::filesystem::path& path) {
  try {
    std::ifstream file(path);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  } catch (const std::exception&) { return {}; }
}

// The processes of this session's prefix that run lumora.scr (the 64-bit saver runs in a process of its own,
// which the loader that was started starts), under /proc; others' savers on the same machine are not counted.
std::vector<std::filesystem::path> SaverProcesses() {
  const std::string end(1, '\0');
  const std::string prefix = end + "WINEPREFIX=" + Session().Prefix().string() + end;
  std::vector<std::filesystem::path> found;
  for (const auto& process : std::filesystem::directory_iterator("/proc"))
    if (FileText(process.path() / "cmdline").find("lumora.scr") != std::string::npos &&
        (end + FileText(process.path() / "environ")).find(prefix) != std::string::npos)
      found.push_back(process.path());
  return found;
}

// The processor seconds (user and system) the saver's process has had: the largest of those that run lumora.scr.
double SaverCpuSeconds() {
  double most = 0;
  for (const auto& process : SaverProcesses()) {
    std::ifstream stat(process / "stat");
    std::string field;
    double ticks = 0;
    // Fields 14 and 15 are utime and stime; the name in field 2 holds no spaces here.
    for (int i = 1; i <= 15 && stat >> field; ++i)
      if (i >= 14) ticks += std::atof(field.c_str());
    most = std::max(most, ticks / static_cast<double>(sysconf(_SC_CLK_TCK)));
  }
  return most;
}

// The peak resident memory of the saver, in MB, Wine's share of it included: the largest of the processes that
// run lumora.scr (the 64-bit one runs in a process of its own, started by the loader that was started).
double SaverPeakMegabytes() {
  double peak = -1;
  for (const auto& process : SaverProcesses()) peak = std::max(peak, MegabytesOf(process));
  return peak;
}

// The process that runs the saver: of those that run lumora.scr, the one with the most memory.
std::filesystem::path SaverProcess() {
  std::filesystem::path saver;
  double most = -1;
  for (const auto& process : SaverProcesses())
    if (const double peak = MegabytesOf(process); peak > most) most = peak, saver = process;
  return saver;
}

std::string SaverPid() { return SaverProcess().filename().string(); }

// The time until the screen's bottom rows differ from `before` and are not the black background: a picture
// drawn row by row as it decodes (the rows to come black) is whole only then.
std::optional<double> UntilNewScreen(const Image& before, Clock::time_point start, std::chrono::milliseconds timeout) {
  const Rect bottom{0, before.Height() - 8, before.Width(), 8};
  while (Clock::now() - start < timeout) {
    const Image now = Screenshot();
    if (CountDifferences(now, bottom, before) > 0 && !IsUniform(now, bottom, Rgb{0, 0, 0}))
      return Ms(Clock::now() - start);
    std::this_thread::sleep_for(5ms);  // leaves the cores to the saver
  }
  return std::nullopt;
}

// The time until anything on the screen differs from `before`.
std::optional<double> UntilAnyChange(const Image& before, Clock::time_point start, std::chrono::milliseconds timeout) {
  while (Clock::now() - start < timeout) {
    const Image now = Screenshot();
    if (CountDifferences(now, now.Bounds(), before) > 0) return Ms(Clock::now() - start);
    std::this_thread::sleep_for(5ms);
  }
  return std::nullopt;
}

// Posts a timer message to the saver and waits until the screen shows something else; the time it took.
std::optional<double> TickToNewScreen(Inspector& inspector, Hwnd saver, std::chrono::milliseconds timeout) {
  const Image before = Screenshot();
  const auto start = Clock::now();
  inspector.Post(saver, kWmTimer, 1, 0);
  return UntilNewScreen(before, start, timeout);
}

struct Show {
  std::string settings;
  void Install(const std::string& options, const std::vector<std::string>& pictures) {
    SlotValues slots;
    for (size_t i = 0; i < pictures.size(); ++i) slots[static_cast<int>(i) + 1] = pictures[i];
    settings = SettingsFileText("Sound=0\r\nTime=120\r\n" + options, slots);
    WriteWindowsFile("lumora.ini", settings);
  }
};

// A saver showing `pictures` in one display mode, ticked `ticks` times by posted timer messages; its peak memory.
double PeakInMode(int mode, const std::vector<std::string>& pictures, int ticks) {
  Show show;
  show.Install("Picdis=" + std::to_string(mode) + "\r\nSeq=1\r\nWidth=700\r\nHeight=500\r\n", pictures);
  RunningSaver saver;
  const Hwnd window = saver.WaitForWindow();
  Inspector inspector(Session());
  for (int tick = 0; tick < ticks; ++tick) {
    // A tick that shows the same picture in the same place changes nothing; a slide runs on until the next tick.
    TickToNewScreen(inspector, window, 5s);
    if (mode == 7) std::this_thread::sleep_for(1s);
  }
  const double peak = SaverPeakMegabytes();
  TapKey(XK_Escape);
  saver.WaitForExit(10s);
  return peak;
}

// Peak memory in one mode over `runs` runs: median [lowest highest].
void PrintPeak(int mode, const char* what, const std::vector<std::string>& pictures, int ticks, int runs) {
  std::vector<double> peaks;
  for (int run = 0; run < runs; ++run) peaks.push_back(PeakInMode(mode, pictures, ticks));
  const bench::Spread peak = bench::SpreadOf(peaks);
  std::printf("  display mode %d, %s: %6.1f MB [%.1f %.1f]\n", mode, what, peak.median, peak.low, peak.high);
}

void MemoryPerMode(const std::vector<std::string>& photos, const std::string& big, int runs) {
  std::printf("Peak memory of the saver (VmHWM of its process, Wine included), %d ticks each, %d runs:\n", 2 * kPhotos,
              runs);
  for (int mode = 1; mode <= 7; ++mode) PrintPeak(mode, "four 6000 x 4000 JPEGs", photos, 2 * kPhotos, runs);
  for (int mode : {1, 4, 2}) PrintPeak(mode, "one 16000 x 12000 JPEG", {big}, 4, runs);
}

// Posts a timer message and reads the screen's centre pixel from inside Wine until it shows another colour than
// before and than the black background (which shows while the tick hides the picture): the milliseconds.
std::optional<double> TickToCentrePixel(Inspector& inspector, Hwnd saver) {
  const int x = Session().Screen().width / 2, y = Session().Screen().height / 2;
  const double ms = std::atof(ParseRecord(inspector.Call({"tick-to-pixel", HwndText(saver), std::to_string(x),
                                                          std::to_string(y), "30000", "0"}))
                                  .Get("ms")
                                  .c_str());
  if (ms < 0) return std::nullopt;
  return ms;
}

// Each tick comes 3 seconds after the one before: less than the shortest delay, which the next picture is
// prepared in.
std::vector<double> TickTimes(const std::vector<std::string>& pictures, int runs) {
  Show show;
  show.Install("Picdis=1\r\nSeq=1\r\n", pictures);
  RunningSaver saver;
  const Hwnd window = saver.WaitForWindow();
  Inspector inspector(Session());
  TickToNewScreen(inspector, window, 30s);  // the first picture
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    std::this_thread::sleep_for(3s);
    if (const auto ms = TickToCentrePixel(inspector, window)) times.push_back(*ms);
  }
  TapKey(XK_Escape);
  saver.WaitForExit(10s);
  return times;
}

void TickLatency(const std::vector<std::string>& photos, const std::vector<std::string>& bitmaps, int runs) {
  const bench::Spread photo = bench::SpreadOf(TickTimes(photos, runs));
  const bench::Spread bitmap = bench::SpreadOf(TickTimes(bitmaps, runs));
  std::printf(
      "Timer message to a new picture stretched on the screen (its centre pixel, read inside Wine), 3 s "
      "after the tick before:\n"
      "  6000 x 4000 JPEG %.0f ms [%.0f %.0f], 64 x 48 bitmap %.0f ms [%.0f %.0f], ratio of medians %.2f\n\n",
      photo.median, photo.low, photo.high, bitmap.median, bitmap.low, bitmap.high, photo.median / bitmap.median);
}

// Holds the running saver's own process to a tenth of a core until the result goes.
ChildProcess LimitSaverToATenthOfACore() {
  ProcessSpec cpulimit;
  cpulimit.argv = {"cpulimit", "-p", SaverPid(), "-l", "10", "-q", "-z"};
  cpulimit.environment = CurrentEnvironment();
  return ChildProcess(cpulimit);
}

// The saver held to a tenth of a core (cpulimit, which stops and continues the process): from each tick,
// 8 seconds apart, until its photo is whole on the screen, and from a key, pressed while the next photo is being
// prepared, until the show has gone from the screen.
void SlowComputer(const std::vector<std::string>& photos) {
  Show show;
  show.Install("Picdis=1\r\nSeq=1\r\n", photos);
  const Image black(Session().Screen().width, Session().Screen().height, Rgb{0, 0, 0});
  RunningSaver saver;
  const Hwnd window = saver.WaitForWindow();
  const auto shown = Clock::now();
  ChildProcess limit = LimitSaverToATenthOfACore();
  const std::optional<double> first = UntilNewScreen(black, shown, 30s);
  std::printf(
      "A tenth of a core (cpulimit -l 10 on the saver's process), 6000 x 4000 JPEGs, a tick every 8 s:\n"
      "  first photo whole %.0f ms after the window showed (its tick comes at 1000 ms)\n",
      first.value_or(-1));
  Inspector inspector(Session());
  for (int tick = 0; tick < kPhotos; ++tick) {
    std::this_thread::sleep_for(8s);
    const std::optional<double> ms = TickToNewScreen(inspector, window, 30s);
    std::printf("  tick %d: photo whole after %.0f ms\n", tick + 2, ms.value_or(-1));
  }
  // A tick right after the one before finds its photo not ready: drawn row by row as it decodes.
  const std::optional<double> late = TickToNewScreen(inspector, window, 60s);
  std::printf("  a tick at once after the one before: photo whole after %.0f ms\n", late.value_or(-1));
  std::this_thread::sleep_for(1s);
  const double cpu = SaverCpuSeconds(), wall = Ms(Clock::now() - shown) / 1000;
  std::printf("  the saver had %.1f s of processor time in %.1f s (%.0f %%)\n", cpu, wall, 100 * cpu / wall);
  const Image before = Screenshot();
  const auto pressed = Clock::now();
  TapKey(XK_Escape);
  const std::optional<double> ended = UntilAnyChange(before, pressed, 30s);
  std::printf("  key to the show gone from the screen: %.0f ms\n\n", ended.value_or(-1));
  saver.WaitForExit(30s);
  limit.Kill();
}

// The same tenth of a core with one 16000 x 12000 JPEG, which is not ready at the first tick: how long until it
// is whole, and how many screens with its rows partly drawn came before (its top rows drawn, its bottom ones
// still black).
void SlowLatePicture(const std::string& big) {
  Show show;
  show.Install("Picdis=1\r\nSeq=1\r\n", {big});
  const Image black(Session().Screen().width, Session().Screen().height, Rgb{0, 0, 0});
  RunningSaver saver;
  saver.WaitForWindow();
  const auto shown = Clock::now();
  ChildProcess limit = LimitSaverToATenthOfACore();
  const int width = black.Width(), height = black.Height();
  int partly = 0;
  double whole = -1;
  while (Clock::now() - shown < 120s) {
    const Image now = Screenshot();
    const bool topDrawn = !IsUniform(now, Rect{0, 0, width, 8}, Rgb{0, 0, 0});
    const bool bottomDrawn = !IsUniform(now, Rect{0, height - 8, width, 8}, Rgb{0, 0, 0});
    if (topDrawn && bottomDrawn) {
      whole = Ms(Clock::now() - shown);
      break;
    }
    partly += topDrawn ? 1 : 0;
    std::this_thread::sleep_for(100ms);
  }
  std::printf(
      "  one 16000 x 12000 JPEG, late at its first tick: whole %.0f ms after the window showed, with %d "
      "looks at it partly drawn before\n\n",
      whole, partly);
  TapKey(XK_Escape);
  saver.WaitForExit(30s);
  limit.Kill();
}

// From the start of the process to its first picture, which the first tick shows a second after the start-up.
double StartUpMs(const std::string& settings) {
  WriteWindowsFile("lumora.ini", settings);
  const auto start = Clock::now();
  RunningSaver saver;
  const Image shown(Session().Screen().width, Session().Screen().height, Rgb{9, 9, 9});
  double ms = -1;
  while (Clock::now() - start < 30s) {
    const Image shot = Screenshot();
    if (CountDifferences(shot, shot.Bounds(), shown) == 0) {
      ms = Ms(Clock::now() - start);
      break;
    }
    std::this_thread::sleep_for(5ms);
  }
  TapKey(XK_Escape);
  saver.WaitForExit(10s);
  return ms;
}

void StartUp(int runs) {
  ShowFiles files;
  const std::string picture = files.AddPicture("small.bmp", MakePicture(8, 8, [](int, int) {
                                                 return lumora::Rgb{9, 9, 9};
                                               }));
  const std::string sound = files.AddFile("quiet.wav", std::vector<uint8_t>(64, 0));
  SlotValues pictures, sounds;
  for (int slot = 1; slot <= 500; ++slot) pictures[slot] = picture, sounds[slot] = sound;
  const std::string full = SettingsFileText("Sound=0\r\nTime=120\r\nPicdis=1\r\n", pictures, sounds);
  const std::string one = SettingsFileText("Sound=0\r\nTime=120\r\nPicdis=1\r\n", {{1, picture}}, {{1, sound}});
  std::vector<double> fullTimes, oneTimes, ratios;
  for (int run = 0; run < runs; ++run) {
    oneTimes.push_back(StartUpMs(one));
    fullTimes.push_back(StartUpMs(full));
    ratios.push_back(fullTimes.back() / oneTimes.back());
  }
  const bench::Spread f = bench::SpreadOf(fullTimes), o = bench::SpreadOf(oneTimes), r = bench::SpreadOf(ratios);
  std::printf(
      "Start to the first picture (start-up, then the first tick a second later): 500 + 500 entries %.0f ms "
      "[%.0f %.0f], 1 + 1 %.0f ms [%.0f %.0f], ratio %.2f [%.2f %.2f]\n",
      f.median, f.low, f.high, o.median, o.low, o.high, r.median, r.low, r.high);
}

// Returns once the saver's processor time has stood still for half a second: it has handled what was sent.
void WaitUntilSaverIdle() {
  double before = SaverCpuSeconds();
  for (int look = 0; look < 600; ++look) {
    std::this_thread::sleep_for(500ms);
    const double now = SaverCpuSeconds();
    if (now == before) return;
    before = now;
  }
}

constexpr int kSoakTicks = 5000;
constexpr int kSoakBatch = 100;

// Soak: 5,000 ticks across the seven display modes (a saver for each), four 24-megapixel photos and a listed file
// gone once the show has started. Each tick is sent once the one before has been handled (so each waits for its
// picture) or a second has passed (a slide, which the next tick ends); after each 100 what the saver holds: its
// memory (VmRSS of its process, Wine included), the GDI objects its wrappers hold (it counts its own:
// GetGuiResources is a stub in Wine 8), its handles and its threads (Wine's among them).
void Soak(const std::vector<std::string>& photos) {
  const std::filesystem::path gone = Session().DriveC() / "soak-gone.jpg";
  const std::vector<uint8_t> small = EncodeJpeg({8, 8, SampleLayout::Rgb, std::vector<uint8_t>(192, 90)});
  std::vector<std::string> pictures = photos;
  pictures.insert(pictures.begin() + 2, ToWindowsPath(gone));
  Inspector inspector(Session());
  const auto liveGdiMessage =
      static_cast<unsigned>(ParseRecord(inspector.Call({"message-number", "LumoraLiveGdiObjects"})).Number("result"));
  std::printf(
      "Soak: %d ticks across the seven display modes, four 6000 x 4000 JPEGs and one listed file gone;\n"
      "after each %d ticks: memory MB (VmRSS), GDI objects, handles, threads\n",
      kSoakTicks, kSoakBatch);
  for (int mode = 1; mode <= 7; ++mode) {
    const int ticks = kSoakTicks / 7 + (mode <= kSoakTicks % 7 ? 1 : 0);
    Show show;
    show.Install("Picdis=" + std::to_string(mode) + "\r\nSeq=1\r\nWidth=700\r\nHeight=500\r\n", pictures);
    WriteFile(gone.string(), small);  // there when the saver checks its list, gone once the show runs
    RunningSaver saver;
    const Hwnd window = saver.WaitForWindow();
    std::filesystem::remove(gone);
    std::printf("  display mode %d:", mode);
    for (int sent = 0; sent < ticks; sent += kSoakBatch) {
      const int batch = std::min(kSoakBatch, ticks - sent);
      inspector.Run({"send-many", HwndText(window), std::to_string(kWmTimer), "1", "0", std::to_string(batch), "1000"},
                    600s);
      WaitUntilSaverIdle();
      const Record counts = ParseRecord(inspector.Call({"process-counts", HwndText(window)}));
      std::printf("  %d: %.1f %lld %lld %lld", sent + batch, MegabytesOf(SaverProcess(), "VmRSS"),
                  inspector.Send(window, liveGdiMessage, 0, 0, 10s).value_or(-1), counts.Number("handles"),
                  counts.Number("threads"));
    }
    std::printf("\n");
    TapKey(XK_Escape);
    saver.WaitForExit(10s);
  }
}

int Run(int runs, const std::string& only) {
  std::printf("lumora.scr %s under Wine, screen %d x %d\n\n", ArchName(Session().Arch()), Session().Screen().width,
              Session().Screen().height);
  ShowFiles files;
  std::vector<std::string> photos;
  for (int i = 0; i < kPhotos; ++i) {
    SampleImage image = bench::PhotoLikeImage(6000, 4000);
    for (size_t s = 0; s < image.samples.size(); s += 3)
      image.samples[s] ^= static_cast<uint8_t>(0x30 * i);  // tell apart
    photos.push_back(files.AddFile("photo" + std::to_string(i) + ".jpg", EncodeJpeg(image, {.quality = 90})));
  }
  std::vector<std::string> bitmaps;
  for (int i = 0; i < kPhotos; ++i)
    bitmaps.push_back(files.AddPicture(
        "small" + std::to_string(i) + ".bmp", MakePicture(64, 48, [i](int x, int y) {
          return lumora::Rgb{static_cast<uint8_t>(x * 4), static_cast<uint8_t>(y * 5), static_cast<uint8_t>(60 * i)};
        })));
  const std::string big = files.AddFile("big.jpg", bench::PhotoLikeJpeg(16000, 12000, 80));
  if (only == "slow") {
    SlowComputer(photos);
    SlowLatePicture(big);
    return 0;
  }
  if (only == "memory") {
    MemoryPerMode(photos, big, runs);
    return 0;
  }
  if (only == "soak") {
    Soak(photos);
    return 0;
  }
  TickLatency(photos, bitmaps, runs);
  if (only == "ticks") return 0;
  MemoryPerMode(photos, big, 1);
  StartUp(runs);
  return 0;
}

}  // namespace

}  // namespace lumora::e2e

namespace {

// The memory figures on a common screen and on a 4K one; everything else on the screen asked for.
std::vector<std::string> ScreensFor(const std::string& only) {
  if (only == "memory") return {"1024x768x24", "3840x2160x24"};
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  return lumora::e2e::RunBench(argc, argv, "saver bench", lumora::e2e::Run, ScreensFor);
}
