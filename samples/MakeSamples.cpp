// Writes the demo's sample pictures into a folder and prints their file names, one per line.
#include <cstdio>
#include <filesystem>

#include "fakes/PictureWriter.h"
#include "samples/SamplePictures.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  std::filesystem::create_directories(argv[1]);
  for (const auto& sample : lumora::samples::MakeSamplePictures()) {
    const auto bytes = sample.format == lumora::samples::SampleFormat::Jpeg ? lumora::test::JpegFileOf(sample.picture)
                                                                            : lumora::test::BmpFileOf(sample.picture);
    lumora::test::WriteFile((std::filesystem::path(argv[1]) / sample.fileName).string(), bytes);
    std::printf("%s\n", sample.fileName.c_str());
  }
  return 0;
}
