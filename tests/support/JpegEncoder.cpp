#include "support/JpegEncoder.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <jpeglib.h>

namespace lumora {
namespace {

constexpr int kDeepestBit = 10;  // the highest successive-approximation bit libjpeg accepts for 8-bit samples
constexpr uint8_t kStartOfScan = 0xDA;

// The images come from our own programs, so a failure here is a broken caller: say why and stop.
[[noreturn]] void AbortOnEncoderError(j_common_ptr info) {
  char message[JMSG_LENGTH_MAX];
  info->err->format_message(info, message);
  std::fprintf(stderr, "JpegEncoder: libjpeg failed: %s\n", message);
  std::abort();
}

struct SourceFormat {
  J_COLOR_SPACE space;
  int components;
};

SourceFormat FormatOf(SampleLayout layout) {
  switch (layout) {
    case SampleLayout::Grayscale: return {JCS_GRAYSCALE, 1};
    case SampleLayout::InvertedCmyk: return {JCS_CMYK, 4};
    case SampleLayout::Rgb: break;
  }
  return {JCS_RGB, 3};
}

jpeg_scan_info Scan(int component, int firstCoefficient, int lastCoefficient, int high, int low) {
  jpeg_scan_info scan{};
  scan.comps_in_scan = 1;
  scan.component_index[0] = component;
  scan.Ss = firstCoefficient;
  scan.Se = lastCoefficient;
  scan.Ah = high;
  scan.Al = low;
  return scan;
}

// Every coefficient of every component gets a first scan at the deepest bit and one refining scan per bit.
std::vector<jpeg_scan_info> EveryBitAloneScript(int components) {
  std::vector<jpeg_scan_info> script;
  for (int coefficient = 0; coefficient < DCTSIZE2; ++coefficient) {
    for (int component = 0; component < components; ++component) {
      script.push_back(Scan(component, coefficient, coefficient, 0, kDeepestBit));
      for (int bit = kDeepestBit; bit > 0; --bit)
        script.push_back(Scan(component, coefficient, coefficient, bit, bit - 1));
    }
  }
  return script;
}

void ChooseParameters(jpeg_compress_struct& info, const JpegOptions& options, std::vector<jpeg_scan_info>& script) {
  jpeg_set_defaults(&info);
  if (options.storeAsRgb) jpeg_set_colorspace(&info, JCS_RGB);
  if (options.storeAsYcck) jpeg_set_colorspace(&info, JCS_YCCK);
  jpeg_set_quality(&info, options.quality, TRUE);
  if (options.fullChroma) info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 1;
  if (options.scans == ScanScript::Progressive) jpeg_simple_progression(&info);
  if (options.scans == ScanScript::EveryBitAlone) {
    script = EveryBitAloneScript(info.num_components);
    info.scan_info = script.data();
    info.num_scans = static_cast<int>(script.size());
  }
}

// Where each marker segment after SOI starts, skipping the entropy-coded data that follows each scan header.
std::vector<size_t> SegmentOffsets(const std::vector<uint8_t>& jpeg) {
  std::vector<size_t> offsets;
  auto isMarker = [&](size_t at) { return jpeg[at] == 0xFF && jpeg[at + 1] != 0 && (jpeg[at + 1] & 0xF8) != 0xD0; };
  size_t i = 2;
  while (i + 4 <= jpeg.size() && jpeg[i] == 0xFF) {
    uint8_t marker = jpeg[i + 1];
    if (marker == 0xFF) {
      ++i;
      continue;
    }
    if (marker == 0xD9) break;
    offsets.push_back(i);
    i += 2 + (static_cast<size_t>(jpeg[i + 2]) << 8 | jpeg[i + 3]);
    if (marker == kStartOfScan)
      while (i + 1 < jpeg.size() && !isMarker(i)) ++i;
  }
  return offsets;
}

// SOF0 to SOF15, less DHT, JPG and DAC, which share the range.
bool IsFrameHeader(uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

}  // namespace

std::vector<uint8_t> EncodeJpegRows(int width, int height, SampleLayout layout, const RowSamples& rowAt,
                                    const JpegOptions& options) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  errors.error_exit = AbortOnEncoderError;
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);

  const SourceFormat format = FormatOf(layout);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.in_color_space = format.space;
  info.input_components = format.components;
  std::vector<jpeg_scan_info> script;
  ChooseParameters(info, options, script);

  jpeg_start_compress(&info, TRUE);
  if (!options.app1.empty())
    jpeg_write_marker(&info, JPEG_APP0 + 1, options.app1.data(), static_cast<unsigned>(options.app1.size()));
  std::vector<uint8_t> samples(static_cast<size_t>(width) * format.components);
  while (info.next_scanline < info.image_height) {
    rowAt(static_cast<int>(info.next_scanline), samples.data());
    JSAMPROW row = samples.data();
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);

  std::unique_ptr<unsigned char, decltype(&std::free)> owned(buffer, &std::free);
  return std::vector<uint8_t>(buffer, buffer + size);
}

std::vector<uint8_t> EncodeJpeg(const SampleImage& image, const JpegOptions& options) {
  const size_t rowBytes = static_cast<size_t>(image.width) * FormatOf(image.layout).components;
  return EncodeJpegRows(
      image.width, image.height, image.layout,
      [&](int y, uint8_t* row) {
        std::memcpy(row, image.samples.data() + static_cast<size_t>(y) * rowBytes, rowBytes);
      },
      options);
}

// clang-format off
std::vector<uint8_t> ExifWithOrientation(uint16_t orientation) {
  return {'E', 'x', 'i', 'f', 0, 0,                                          // Exif header
          'I', 'I', 42, 0, 8, 0, 0, 0,                                       // TIFF header, IFD0 at 8
          1, 0,                                                              // one field
          0x12, 0x01, 3, 0, 1, 0, 0, 0,                                      // 0x0112, SHORT, count 1
          static_cast<uint8_t>(orientation), static_cast<uint8_t>(orientation >> 8), 0, 0,
          0, 0, 0, 0};                                                       // no next IFD
  // clang-format on
}

int CountScans(const std::vector<uint8_t>& jpeg) {
  int scans = 0;
  for (size_t segment : SegmentOffsets(jpeg)) scans += jpeg[segment + 1] == kStartOfScan;
  return scans;
}

bool PatchFrameSize(std::vector<uint8_t>& jpeg, uint16_t width, uint16_t height) {
  for (size_t segment : SegmentOffsets(jpeg)) {
    if (!IsFrameHeader(jpeg[segment + 1]) || segment + 9 > jpeg.size()) continue;
    jpeg[segment + 5] = static_cast<uint8_t>(height >> 8);
    jpeg[segment + 6] = static_cast<uint8_t>(height);
    jpeg[segment + 7] = static_cast<uint8_t>(width >> 8);
    jpeg[segment + 8] = static_cast<uint8_t>(width);
    return true;
  }
  return false;
}

bool RepeatFirstScan(std::vector<uint8_t>& jpeg, int copies) {
  const std::vector<size_t> segments = SegmentOffsets(jpeg);
  for (size_t i = 0; i + 1 < segments.size(); ++i) {
    if (jpeg[segments[i] + 1] != kStartOfScan) continue;
    const std::vector<uint8_t> scan(jpeg.begin() + static_cast<std::ptrdiff_t>(segments[i]),
                                    jpeg.begin() + static_cast<std::ptrdiff_t>(segments[i + 1]));
    for (int copy = 0; copy < copies; ++copy)
      jpeg.insert(jpeg.begin() + static_cast<std::ptrdiff_t>(segments[i + 1]), scan.begin(), scan.end());
    return true;
  }
  return false;
}

}  // namespace lumora
