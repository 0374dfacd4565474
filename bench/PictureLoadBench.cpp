// How fast Lumora loads and shows a 24-megapixel photo: the decode at each scale, the decode against the djpeg
// program of the same libjpeg-turbo process for process, and whole display ticks against a full decode.
// Usage: lumora_picture_load_bench [runs]   (medians of `runs` for each figure, 7 unless given)
// Every large buffer here comes fresh from the system, as the saver's do on Windows, whose heap hands blocks
// of a megabyte and more straight from VirtualAlloc: the reference decode and the ticks alike.
#include <malloc.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchSaver.h"
#include "PhotoLike.h"
#include "Timing.h"
#include "image/JpegDecoder.h"
#include "settings_file/SettingsFile.h"
#include "support/PictureFiles.h"
#include "support/SettingsFiles.h"

namespace lumora::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
constexpr int kQuality = 90;
constexpr double kStretchTickTarget = 0.9;
constexpr double kTileTickTarget = 0.8;

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

std::vector<uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes(fs::file_size(path));
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
    throw std::runtime_error("cannot read " + path.string());
  return bytes;
}

// Reading the file and decoding all of it, at natural size or at a scale.
Contender Decode(const fs::path& jpeg, int eighths) {
  const std::string name = "Lumora read + decode at " + std::to_string(eighths) + "/8";
  return {name,
          [=] {
            return TimeInProcess([&] {
              const DecodeResult opened = OpenJpeg(ReadFile(jpeg), JpegColours::Full24Bit);
              if (!opened) throw std::runtime_error("the bench picture does not open");
              const PixelRect whole{0, 0, ScaledSize(kWidth, eighths), ScaledSize(kHeight, eighths)};
              if (opened->Part(eighths, whole).Empty()) throw std::runtime_error("nothing decoded");
            });
          },
          {}};
}

Contender DecodeProcess(const fs::path& program, const fs::path& jpeg, int eighths) {
  const std::vector<std::string> command{program.string(), jpeg.string(), std::to_string(eighths)};
  return {
      "lumora_decode_once at " + std::to_string(eighths) + "/8 (a process)", [=] { return TimeProgram(command); }, {}};
}

Contender Djpeg(const fs::path& jpeg, int eighths) {
  const std::string scale = std::to_string(eighths) + "/8";
  const std::vector<std::string> command{"djpeg", "-scale", scale, "-outfile", "/dev/null", jpeg.string()};
  return {"djpeg -scale " + scale + " (a process)", [=] { return TimeProgram(command); }, {}};
}

// One display tick of a saver showing the photo: read, decode what is drawn, stretch, compose the screen.
struct TickBench {
  TickBench(const fs::path& folder, const fs::path& jpeg, int displayMode, int screenWidth, int screenHeight)
      : saver(folder.string(), screenWidth, screenHeight) {
    const std::string settings =
        SettingsFileText("Sound=0\r\nPicdis=" + std::to_string(displayMode) + "\r\n", {{1, jpeg.string()}});
    // The saver names its settings file after its Windows directory with a backslash: one file in the folder.
    WriteFile(IniFileName(saver.system.WindowsDirectory(), saver.system.ExecutablePath()),
              std::vector<uint8_t>(settings.begin(), settings.end()));
    saver.saverShow.Start();
  }
  Contender Tick(const std::string& name) {
    return {name,
            [this] {
              return TimeInProcess([this] {
                saver.saverShow.OnTick();
                if (saver.stage.Render().Empty()) throw std::runtime_error("nothing rendered");
              });
            },
            {}};
  }
  BenchSaver saver;
};

int Run(int runs, const fs::path& decodeOnce) {
  // A fixed threshold: glibc would otherwise raise it after the first large free and reuse the heap instead.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  TempDirectory directory;
  const fs::path jpeg = directory.Path() / "photo.jpg";
  WriteFile(jpeg.string(), EncodeJpeg(PhotoLikeImage(kWidth, kHeight), {.quality = kQuality}));
  std::printf("%d x %d JPEG, quality %d, 4:2:0, %.2f MB; medians of %d runs [lowest highest]\n\n", kWidth, kHeight,
              kQuality, static_cast<double>(fs::file_size(jpeg)) / 1e6, runs);

  std::vector<Contender> scales;
  for (int eighths = 8; eighths >= 1; --eighths) scales.push_back(Decode(jpeg, eighths));
  std::vector<Contender*> scaleRuns;
  for (Contender& c : scales) scaleRuns.push_back(&c);
  RunInterleaved(scaleRuns, runs);
  std::printf("In process, each scale against the whole decode:\n");
  for (size_t i = 1; i < scales.size(); ++i)
    PrintRatio("  " + scales[i].name + " / 8/8", RatioOf(scales[i], scales[0]));

  std::printf("\nProcess for process, Lumora against djpeg at the same scale:\n");
  for (int eighths : {8, 4, 2, 1}) {
    Contender lumora = DecodeProcess(decodeOnce, jpeg, eighths), djpeg = Djpeg(jpeg, eighths);
    RunInterleaved({&lumora, &djpeg}, runs);
    PrintRatio("  lumora_decode_once / djpeg at " + std::to_string(eighths) + "/8", RatioOf(lumora, djpeg));
  }

  TickBench stretch(directory.Path() / "stretch", jpeg, 1, 1920, 1080);
  TickBench tiles(directory.Path() / "tiles", jpeg, 4, 1024, 768);
  Contender full = Decode(jpeg, 8);
  Contender stretchTick = stretch.Tick("stretch-mode tick, 1920 x 1080 (read, decode, stretch, compose)");
  Contender tileTick = tiles.Tick("tile-mode tick, 1024 x 768 (read, decode, stretch, compose)");
  RunInterleaved({&full, &stretchTick, &tileTick}, runs);
  std::printf("\nWhole ticks against reading and decoding the whole file:\n");
  PrintTable({&full, &stretchTick, &tileTick});
  PrintRatio("stretch-mode tick / whole decode", RatioOf(stretchTick, full), kStretchTickTarget);
  PrintRatio("tile-mode tick / whole decode", RatioOf(tileTick, full), kTileTickTarget);
  return 0;
}

}  // namespace
}  // namespace lumora::bench

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 7;
  const std::filesystem::path decodeOnce = std::filesystem::path(argv[0]).parent_path() / "lumora_decode_once";
  try {
    return lumora::bench::Run(runs > 0 ? runs : 7, decodeOnce);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "picture load bench: %s\n", error.what());
    return 1;
  }
}
