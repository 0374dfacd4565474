#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace lumora {

enum class SampleLayout { Rgb, Grayscale, InvertedCmyk };

// Samples to encode, rows top-down without padding: r, g, b; one grey; or c, m, y, k stored inverted the way
// Adobe writes them (255 means no ink).
struct SampleImage {
  int width = 0;
  int height = 0;
  SampleLayout layout = SampleLayout::Rgb;
  std::vector<uint8_t> samples;
};

enum class ScanScript {
  Sequential,     // one baseline scan
  Progressive,    // libjpeg's standard progression
  EveryBitAlone,  // progressive, one scan per coefficient and bit: about 700 scans per component
};

struct JpegOptions {
  int quality = 95;
  ScanScript scans = ScanScript::Sequential;
  bool fullChroma = false;         // 4:4:4 instead of libjpeg's 4:2:0
  bool storeAsRgb = false;         // colour samples kept as RGB rather than YCbCr
  bool storeAsYcck = false;        // CMYK samples only
  std::vector<uint8_t> app1 = {};  // the contents of an APP1 segment written after the header, when not empty
};

// An Exif block for an APP1 segment holding only the orientation field, little-endian.
std::vector<uint8_t> ExifWithOrientation(uint16_t orientation);

std::vector<uint8_t> EncodeJpeg(const SampleImage& image, const JpegOptions& options = {});

// The samples of row y, written into `row` (width times the layout's components); for pictures too large to
// hold as samples.
using RowSamples = std::function<void(int y, uint8_t* row)>;
std::vector<uint8_t> EncodeJpegRows(int width, int height, SampleLayout layout, const RowSamples& rowAt,
                                    const JpegOptions& options = {});

// The start-of-scan markers in the file.
int CountScans(const std::vector<uint8_t>& jpeg);
// Rewrites the picture size in the frame header; false when the file has none.
bool PatchFrameSize(std::vector<uint8_t>& jpeg, uint16_t width, uint16_t height);
// Repeats the file's first scan (header and data) `copies` more times right after it; false when it has none.
bool RepeatFirstScan(std::vector<uint8_t>& jpeg, int copies);

}  // namespace lumora
