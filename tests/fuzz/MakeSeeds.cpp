// Writes the fuzz targets' starting inputs: small pictures, settings files and command lines, whole and slightly
// damaged, from the same picture and settings writers the tests use.
// Usage: lumora_make_fuzz_seeds FOLDER   (writes FOLDER/bmp, FOLDER/jpeg, FOLDER/settings, FOLDER/command_line)
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/BmpBuilder.h"
#include "support/JpegEncoder.h"
#include "support/PictureFiles.h"
#include "support/SettingsFiles.h"

namespace {

using namespace lumora;
namespace fs = std::filesystem;

void Write(const fs::path& folder, const std::string& name, const std::vector<uint8_t>& bytes) {
  fs::create_directories(folder);
  WriteFile((folder / name).string(), bytes);
}

void Write(const fs::path& folder, const std::string& name, const std::string& text) {
  Write(folder, name, std::vector<uint8_t>(text.begin(), text.end()));
}

Picture Colours(int width, int height) {
  return MakePicture(width, height, [](int x, int y) {
    return Rgb{static_cast<uint8_t>(x * 40), static_cast<uint8_t>(y * 60), static_cast<uint8_t>(x * y * 9)};
  });
}

// clang-format off
void BmpSeeds(const fs::path& folder) {
  Write(folder, "24bit.bmp", BmpFileOf(Colours(5, 3)));
  const std::vector<Rgb> palette{{0, 0, 0}, {255, 255, 255}, {200, 10, 10}, {10, 200, 10}};
  Write(folder, "8bit.bmp", test::BuildBmp({.width = 3, .height = 2, .bitCount = 8, .colorsUsed = 4, .palette = palette,
                                            .pixels = test::PaddedRows({{0, 1, 2}, {3, 2, 1}})}));
  Write(folder, "rle8.bmp", test::BuildBmp({.width = 4, .height = 2, .bitCount = 8, .compression = 1, .colorsUsed = 4,
                                            .palette = palette,
                                            .pixels = {0x02, 0x01, 0x00, 0x02, 0x01, 0x00, 0x00, 0x03, 0x01, 0x02,
                                                       0x03, 0x00, 0x00, 0x01}}));
  Write(folder, "rle4.bmp", test::BuildBmp({.width = 5, .height = 1, .bitCount = 4, .compression = 2, .colorsUsed = 4,
                                            .palette = palette, .pixels = {0x05, 0x12, 0x00, 0x01}}));
  Write(folder, "bitfields16.bmp", test::BuildBmp({.headerSize = 56, .width = 2, .height = -1, .bitCount = 16,
                                                   .compression = 3, .masks = {0xF800, 0x07E0, 0x001F, 0},
                                                   .pixels = test::PaddedRows({{0x12, 0x34, 0x56, 0x78}})}));
  Write(folder, "core.bmp", test::BuildBmp({.headerSize = 12, .width = 2, .height = 2, .bitCount = 24,
                        // clang-format on
                        .pixels = test::PaddedRows({{1, 2, 3, 4, 5, 6}, {7, 8, 9, 1, 2, 3}})}));
}

void JpegSeeds(const fs::path& folder) {
  SampleImage image{16, 16, SampleLayout::Rgb, {}};
  for (int i = 0; i < 16 * 16; ++i)
    image.samples.insert(image.samples.end(), {uint8_t(i), uint8_t(i * 3), uint8_t(i * 7)});
  Write(folder, "baseline.jpg", EncodeJpeg(image, {.quality = 50}));
  Write(folder, "progressive.jpg", EncodeJpeg(image, {.quality = 50, .scans = ScanScript::Progressive}));
  Write(folder, "444.jpg", EncodeJpeg(image, {.quality = 50, .fullChroma = true}));
  SampleImage grey{8, 8, SampleLayout::Grayscale, std::vector<uint8_t>(64, 90)};
  Write(folder, "grey.jpg", EncodeJpeg(grey, {.quality = 50}));
  SampleImage cmyk{8, 8, SampleLayout::InvertedCmyk, std::vector<uint8_t>(256, 120)};
  Write(folder, "ycck.jpg", EncodeJpeg(cmyk, {.quality = 50, .storeAsYcck = true}));
  SampleImage wide{24, 8, SampleLayout::Rgb, std::vector<uint8_t>(image.samples.begin(), image.samples.begin() + 576)};
  Write(folder, "turned.jpg", EncodeJpeg(wide, {.quality = 50, .app1 = ExifWithOrientation(6)}));
  Write(folder, "exif.bin", ExifWithOrientation(7));
}

void SettingsSeeds(const fs::path& folder) {
  Write(folder, "prepared.ini",
        SettingsFileText("Sound=1\r\nSeq=0\r\nColor=0x2\r\nPicdis=5\r\nTime=8\r\nHeight=300\r\nWidth=-4\r\n",
                         {{1, "C:\\P\\a.jpg"}, {3, "C:\\P\\b.bmp"}}, {{2, std::nullopt}})
            .substr(0, 2000));
  Write(folder, "quoted.ini", std::string("[options]\nPicdis = \"3\"\n[JpegConfig]\nName1='C:\\a b.jpg'\nName2\n"));
  Write(folder, "sections.ini",
        std::string("Sound=1\r\n[Options]\r\n[Options]\r\nTime=1\r\n[ WavConfig ]\r\nName1=x\r\n"));
}

void CommandLineSeeds(const fs::path& folder) {
  for (const std::string line : {"lumora.scr /s", "\"C:\\Program Files\\lumora.scr\" /c:1234", "lumora.scr /a 99",
                                 "x \"\" /S", "a b\"c d\"e \"\" f", "lumora.scr /p 0x1234"})
    Write(folder, std::to_string(std::hash<std::string>{}(line) % 100000) + ".txt", line);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const fs::path folder = argv[1];
  BmpSeeds(folder / "bmp");
  JpegSeeds(folder / "jpeg");
  SettingsSeeds(folder / "settings");
  CommandLineSeeds(folder / "command_line");
  return 0;
}
