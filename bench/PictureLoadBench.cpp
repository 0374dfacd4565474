// How fast Lumora loads a 24-megapixel photo, against the djpeg program of the same libjpeg-turbo.
// Usage: lumora_picture_load_bench [runs]   (best of `runs` for each figure, 7 unless given)
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchSaver.h"
#include "image/JpegDecoder.h"
#include "samples/JpegEncoder.h"
#include "samples/SettingsFiles.h"
#include "settings_file/SettingsFile.h"

extern char** environ;

namespace lumora::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
constexpr int kQuality = 90;
constexpr double kTargetRatio = 1.05;
constexpr double kTickTargetRatio = 1.10;

// Holds the bench's files; removed with everything in it on the way out.
class TempDirectory {
 public:
  TempDirectory() {
    std::string pattern = (fs::temp_directory_path() / "lumora-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary directory");
    path_ = pattern;
  }
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;
  ~TempDirectory() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

uint8_t Clamp(float value) { return static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value + 0.5f); }

// Smooth random relief: a lattice of random values every `cell` pixels, interpolated in between.
class ValueNoise {
 public:
  ValueNoise(int width, int height, int cell, std::mt19937& random)
      : cell_(cell), columns_(width / cell + 2), values_(static_cast<size_t>(columns_) * (height / cell + 2)) {
    std::uniform_real_distribution<float> spread(-1, 1);
    for (float& value : values_) value = spread(random);
  }
  float At(int x, int y) const {
    int cx = x / cell_, cy = y / cell_;
    float fx = static_cast<float>(x % cell_) / cell_, fy = static_cast<float>(y % cell_) / cell_;
    const float* top = &values_[static_cast<size_t>(cy) * columns_ + cx];
    const float* bottom = top + columns_;
    float upper = top[0] + (top[1] - top[0]) * fx, lower = bottom[0] + (bottom[1] - bottom[0]) * fx;
    return upper + (lower - upper) * fy;
  }

 private:
  int cell_;
  int columns_;
  std::vector<float> values_;
};

// A landscape: a graded sky, textured hills under a wavy horizon, coarse ground in front, sensor grain all over.
// JPEG codes it at a size close to a real photograph's, so the decoder does a realistic amount of work.
lumora::SampleImage PhotoLikeImage(int width, int height) {
  std::mt19937 random(20240601);
  ValueNoise foliage(width, height, 9, random), soil(width, height, 4, random), light(width, height, 400, random);
  std::normal_distribution<float> grain(0, 4);
  lumora::SampleImage image{width, height, lumora::SampleLayout::Rgb, {}};
  image.samples.resize(static_cast<size_t>(width) * height * 3);
  std::vector<float> horizons(width), grounds(width);
  for (int x = 0; x < width; ++x) {
    horizons[x] = height * 0.38f + 90 * std::sin(x * 0.0021f) + 25 * std::sin(x * 0.017f);
    grounds[x] = height * 0.72f + 60 * std::sin(x * 0.0013f + 1.0f);
  }
  uint8_t* out = image.samples.data();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x, out += 3) {
      float horizon = horizons[x], ground = grounds[x];
      float shade = 1 + 0.25f * light.At(x, y), noise = grain(random);
      float r, g, b;
      if (y < horizon) {
        float t = y / horizon;
        r = 90 + 80 * t, g = 140 + 60 * t, b = 230 - 20 * t;
      } else if (y < ground) {
        float leaf = 45 * foliage.At(x, y);
        r = 60 + leaf * 0.6f, g = 110 + leaf, b = 50 + leaf * 0.4f;
      } else {
        float clod = 55 * soil.At(x, y) + 25 * foliage.At(x, y);
        r = 140 + clod, g = 100 + clod * 0.8f, b = 70 + clod * 0.6f;
      }
      out[0] = Clamp(r * shade + noise), out[1] = Clamp(g * shade + noise), out[2] = Clamp(b * shade + noise);
    }
  }
  return image;
}

std::vector<uint8_t> ReadFile(const fs::path& path) {
  std::vector<uint8_t> bytes(fs::file_size(path));
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) throw std::runtime_error("cannot open " + path.string());
  size_t read = std::fread(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  if (read != bytes.size()) throw std::runtime_error("cannot read " + path.string());
  return bytes;
}

void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) throw std::runtime_error("cannot create " + path.string());
  size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
  if (std::fclose(file) != 0 || written != bytes.size()) throw std::runtime_error("cannot write " + path.string());
}

struct Sample {
  double wallMs;
  double cpuMs;   // user + system: steadier than wall time on a busy machine
  long newPages;  // minor page faults: memory the system had to hand over fresh
};

double Ms(const timeval& time) { return time.tv_sec * 1e3 + time.tv_usec / 1e3; }
double Ms(Clock::duration time) { return std::chrono::duration<double, std::milli>(time).count(); }

Sample TimeInProcess(const std::function<void()>& work) {
  rusage before{}, after{};
  getrusage(RUSAGE_SELF, &before);
  Clock::time_point start = Clock::now();
  work();
  double wall = Ms(Clock::now() - start);
  getrusage(RUSAGE_SELF, &after);
  double cpu = Ms(after.ru_utime) + Ms(after.ru_stime) - Ms(before.ru_utime) - Ms(before.ru_stime);
  return {wall, cpu, after.ru_minflt - before.ru_minflt};
}

Sample TimeProgram(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  Clock::time_point start = Clock::now();
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
    throw std::runtime_error("cannot start " + arguments[0]);
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error(arguments[0] + " failed");
  return {Ms(Clock::now() - start), Ms(usage.ru_utime) + Ms(usage.ru_stime), usage.ru_minflt};
}

struct Contender {
  std::string name;
  std::function<Sample()> measure;
  Sample best{1e300, 1e300, LONG_MAX};
};

// Runs alternate between the contenders, so that load from elsewhere on the machine falls on all of them alike.
void RunInterleaved(std::vector<Contender>& contenders, int runs) {
  for (int run = 0; run < runs; ++run) {
    for (Contender& contender : contenders) {
      Sample sample = contender.measure();
      contender.best = {std::min(contender.best.wallMs, sample.wallMs), std::min(contender.best.cpuMs, sample.cpuMs),
                        std::min(contender.best.newPages, sample.newPages)};
    }
  }
}

Contender LumoraLoad(const fs::path& jpeg, JpegColours colours, const std::string& name) {
  return {name, [=] {
            return TimeInProcess([&] {
              std::vector<uint8_t> file = ReadFile(jpeg);
              if (!DecodeJpeg(file, colours)) throw std::runtime_error("DecodeJpeg refused the bench picture");
            });
          }};
}

Contender DjpegDecode(const fs::path& jpeg, const std::string& format) {
  std::vector<std::string> command{"djpeg", format, "-outfile", "/dev/null", jpeg.string()};
  return {"djpeg " + format + " -outfile /dev/null", [=] { return TimeProgram(command); }};
}

// ---- Whole tick --------------------------------------------------------------------------------------------
// One display tick costs more than the bare decode: it reads the file, decodes it, and the stage stretches it
// over a 1920 x 1080 screen and composes the frame. Both run in this process on the same bytes.
Contender BareDecode(const std::vector<uint8_t>& bytes) {
  return {"Lumora bare decode (DecodeJpeg from memory)", [&bytes] {
            return TimeInProcess([&] {
              if (!DecodeJpeg(bytes, JpegColours::Full24Bit)) throw std::runtime_error("decode failed");
            });
          }};
}

Contender WholeTick(BenchSaver& saver) {
  return {"Lumora whole tick: load, stretch to 1920 x 1080, compose", [&saver] {
            return TimeInProcess([&] {
              saver.form.Timer1Timer();
              if (saver.stage.Render().Empty()) throw std::runtime_error("nothing rendered");
            });
          }};
}

std::string BenchSettings(const fs::path& picture) {
  return SettingsFileText("Sound=0\r\nPicdis=1\r\n", {{1, picture.string()}});
}

void PrintTickRatio(const Contender& tick, const Contender& decode) {
  double wall = tick.best.wallMs / decode.best.wallMs, cpu = tick.best.cpuMs / decode.best.cpuMs;
  std::printf("whole tick / bare decode: wall %.3f, cpu %.3f (target <= %.2f): %s\n", wall, cpu, kTickTargetRatio,
              wall <= kTickTargetRatio ? "met" : "NOT MET");
}
// --------------------------------------------------------------------------------------------------------------

void Print(const std::vector<Contender>& contenders) {
  std::printf("  %-58s %9s %9s %10s\n", "", "wall ms", "cpu ms", "new pages");
  for (const Contender& c : contenders)
    std::printf("  %-58s %9.1f %9.1f %10ld\n", c.name.c_str(), c.best.wallMs, c.best.cpuMs, c.best.newPages);
}

void PrintRatio(const Contender& lumora, const Contender& djpeg) {
  double wall = lumora.best.wallMs / djpeg.best.wallMs, cpu = lumora.best.cpuMs / djpeg.best.cpuMs;
  std::printf("%s / %s: wall %.3f, cpu %.3f (target <= %.2f): %s\n", lumora.name.c_str(), djpeg.name.c_str(), wall, cpu,
              kTargetRatio, wall <= kTargetRatio ? "met" : "NOT MET");
}

int Run(int runs) {
  TempDirectory directory;
  fs::path jpeg = directory.Path() / "photo.jpg";
  Clock::time_point start = Clock::now();
  WriteFile(jpeg, lumora::EncodeJpeg(PhotoLikeImage(kWidth, kHeight), {.quality = kQuality}));
  std::printf("Picture load: %d x %d JPEG, quality %d, 4:2:0, %.2f MB (made in %.0f ms)\n", kWidth, kHeight, kQuality,
              static_cast<double>(fs::file_size(jpeg)) / 1e6, Ms(Clock::now() - start));

  std::vector<Contender> decode{
      LumoraLoad(jpeg, JpegColours::Full24Bit, "Lumora DecodeJpeg 24-bit (read file + decode)"),
      DjpegDecode(jpeg, "-ppm"), DjpegDecode(jpeg, "-bmp")};
  RunInterleaved(decode, runs);

  const std::vector<uint8_t> bytes = ReadFile(jpeg);
  // The saver names its settings file after its Windows directory with a backslash: one file in the folder here.
  BenchSaver saver((directory.Path() / "windows").string(), 1920, 1080);
  const std::string settings = BenchSettings(jpeg);
  WriteFile(IniFileName(saver.system.WindowsDirectory(), saver.system.ExecutablePath()),
            std::vector<uint8_t>(settings.begin(), settings.end()));
  saver.form.FormCreate();
  std::vector<Contender> tick{BareDecode(bytes), WholeTick(saver)};
  RunInterleaved(tick, runs);
  std::vector<Contender> quantised{
      LumoraLoad(jpeg, JpegColours::Quantised236, "Lumora DecodeJpeg 236 colours (read file + decode)")};
  int quantisedRuns = std::max(1, runs / 3);  // for information only, and four times slower
  RunInterleaved(quantised, quantisedRuns);

  const Contender& cheapestDjpeg = decode[1].best.wallMs <= decode[2].best.wallMs ? decode[1] : decode[2];
  std::vector<Contender> all = decode;
  all.push_back(quantised.front());
  all.insert(all.end(), tick.begin(), tick.end());
  std::printf("Best of %d runs (236 colours: %d), djpeg as a separate process:\n", runs, quantisedRuns);
  Print(all);
  PrintRatio(decode[0], cheapestDjpeg);
  PrintTickRatio(tick[1], tick[0]);
  return 0;
}

}  // namespace
}  // namespace lumora::bench

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::atoi(argv[1]) : 7;
  try {
    return lumora::bench::Run(runs > 0 ? runs : 7);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "picture load bench: %s\n", error.what());
    return 1;
  }
}
