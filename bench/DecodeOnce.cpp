// Decodes one JPEG file whole at a scale of eighths, as lumora.scr decodes a picture it draws that small, and
// exits: the program the benchmark times against djpeg -scale, process for process.
// Usage: lumora_decode_once FILE EIGHTHS
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <vector>

#include "image/JpegDecoder.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s FILE EIGHTHS\n", argv[0]);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary | std::ios::ate);
  std::vector<uint8_t> file(static_cast<size_t>(in.tellg()));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(file.data()), static_cast<std::streamsize>(file.size()))) return 1;
  const int eighths = std::atoi(argv[2]);
  const lumora::DecodeResult opened = lumora::OpenJpeg(std::move(file), lumora::JpegColours::Full24Bit);
  if (!opened || eighths < 1 || eighths > 8) return 1;
  const lumora::PixelRect whole{0, 0, lumora::ScaledSize(opened->Width(), eighths),
                                lumora::ScaledSize(opened->Height(), eighths)};
  try {
    return opened->Part(eighths, whole).Empty() ? 1 : 0;
  } catch (const std::exception& refused) {
    std::fprintf(stderr, "%s: %s\n", argv[1], refused.what());
    return 1;
  }
}
