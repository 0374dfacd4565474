#include "image/JpegDecoder.h"

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <new>
#include <type_traits>
#include <vector>

#include <jpeglib.h>

namespace lumora {
namespace {

// Real progressive files have about ten scans; thousands make every scan walk the whole picture again.
constexpr int kMaxInputScans = 500;
constexpr int kQuantisedColours = 236;
// Caps libjpeg's whole-image buffers (multi-scan coefficients, two-pass quantising). A picture within the limit
// needs at most about three times the limit for them; a file that would make libjpeg take more is refused.
constexpr uint64_t kDecoderMemoryLimit = 4 * kMaxPictureBytes;
static_assert(kDecoderMemoryLimit <= LONG_MAX, "max_memory_to_use is a long, 32 bits on Windows");
constexpr int kRowsPerRead = 16;

// libjpeg and everything it reaches between setjmp and longjmp: plain data only, so a jump skips no destructor.
struct DecoderErrors {
  jpeg_error_mgr manager;  // first member: libjpeg hands back a pointer to it
  std::jmp_buf exitJump;
  char message[JMSG_LENGTH_MAX];  // libjpeg's text for the error that ended the decoding
};

struct JpegSession {
  jpeg_decompress_struct info;
  DecoderErrors errors;
  jpeg_progress_mgr progress;
};
static_assert(std::is_trivially_destructible_v<JpegSession> && std::is_standard_layout_v<JpegSession>);

// Where the decoded rows go. With `cmykRow` set, libjpeg writes CMYK there and each row is converted after it.
struct RowSink {
  uint8_t* firstRow;
  size_t stride;
  uint8_t* cmykRow;
};

[[noreturn]] void JumpToErrorExit(j_common_ptr info) {
  auto* errors = reinterpret_cast<DecoderErrors*>(info->err);
  errors->manager.format_message(info, errors->message);
  std::longjmp(errors->exitJump, 1);
}

// Damaged data yields warnings, and the picture is still shown as far as libjpeg could decode it.
void CountWarning(j_common_ptr info, int messageLevel) {
  if (messageLevel < 0) ++info->err->num_warnings;
}

void StopAfterScanLimit(j_common_ptr info) {
  if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxInputScans) {
    auto* errors = reinterpret_cast<DecoderErrors*>(info->err);
    std::snprintf(errors->message, sizeof errors->message, "more than %d scans", kMaxInputScans);
    std::longjmp(errors->exitJump, 1);
  }
}

bool IsQuantised(JpegColours colours) { return colours == JpegColours::Quantised236; }

// CMYK and YCCK files are decoded as CMYK and converted here; everything else libjpeg turns into BGR itself.
bool ChooseOutput(jpeg_decompress_struct& info, JpegColours colours) {
  bool quantised = IsQuantised(colours);
  switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE: info.out_color_space = quantised ? JCS_GRAYSCALE : JCS_EXT_BGR; break;
    case JCS_RGB:
    case JCS_YCbCr: info.out_color_space = quantised ? JCS_RGB : JCS_EXT_BGR; break;
    case JCS_CMYK:
    case JCS_YCCK: info.out_color_space = JCS_CMYK; break;
    default: return false;
  }
  if (quantised) {
    info.quantize_colors = TRUE;
    info.desired_number_of_colors = kQuantisedColours;
  }
  return true;
}

void PrepareSession(JpegSession& session) {
  session.info.err = jpeg_std_error(&session.errors.manager);
  session.errors.manager.error_exit = JumpToErrorExit;
  session.errors.manager.emit_message = CountWarning;
  session.progress.progress_monitor = StopAfterScanLimit;
}

// The jump regions: each returns false when libjpeg gave up, and holds nothing but the session.
bool OpenAndReadHeader(JpegSession& session, std::span<const uint8_t> file) {
  if (setjmp(session.errors.exitJump)) return false;
  jpeg_create_decompress(&session.info);
  session.info.progress = &session.progress;
  session.info.mem->max_memory_to_use = static_cast<long>(kDecoderMemoryLimit);
  jpeg_mem_src(&session.info, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&session.info, TRUE);
  return true;
}

bool CalculateOutput(JpegSession& session) {
  if (setjmp(session.errors.exitJump)) return false;
  jpeg_calc_output_dimensions(&session.info);
  return true;
}

bool StartDecompress(JpegSession& session) {
  if (setjmp(session.errors.exitJump)) return false;
  jpeg_start_decompress(&session.info);
  return true;
}

uint8_t ScaleByBlack(unsigned value, unsigned black) { return static_cast<uint8_t>((value * black + 127) / 255); }

// libjpeg keeps CMYK the way Adobe writes it, inverted (255 is no ink), so each colour left after the black
// ink is the stored value scaled by the stored black.
Rgb InvertedCmykToRgb(uint8_t c, uint8_t m, uint8_t y, uint8_t k) {
  return Rgb{ScaleByBlack(c, k), ScaleByBlack(m, k), ScaleByBlack(y, k)};
}

void CmykRowToBgr(const uint8_t* cmyk, uint8_t* bgr, size_t width) {
  for (size_t x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    Rgb colour = InvertedCmykToRgb(cmyk[0], cmyk[1], cmyk[2], cmyk[3]);
    bgr[0] = colour.b;
    bgr[1] = colour.g;
    bgr[2] = colour.r;
  }
}

bool ReadAllRows(jpeg_decompress_struct& info, const RowSink& sink) {
  JSAMPROW rows[kRowsPerRead];
  while (info.output_scanline < info.output_height) {
    JDIMENSION first = info.output_scanline;
    JDIMENSION wanted = sink.cmykRow ? 1 : std::min<JDIMENSION>(kRowsPerRead, info.output_height - first);
    for (JDIMENSION i = 0; i < wanted; ++i)
      rows[i] = sink.cmykRow ? sink.cmykRow : sink.firstRow + static_cast<size_t>(first + i) * sink.stride;
    // A memory source never suspends, so no rows means libjpeg cannot go on.
    if (jpeg_read_scanlines(&info, rows, wanted) == 0) return false;
    if (sink.cmykRow)
      CmykRowToBgr(sink.cmykRow, sink.firstRow + static_cast<size_t>(first) * sink.stride, info.output_width);
  }
  return true;
}

bool DecodeRows(JpegSession& session, const RowSink& sink) {
  if (setjmp(session.errors.exitJump)) return false;
  if (!ReadAllRows(session.info, sink)) {
    std::snprintf(session.errors.message, sizeof session.errors.message, "the decoder gave no more rows");
    return false;
  }
  jpeg_finish_decompress(&session.info);
  return true;
}

DecodeError Failed(DecodeFailure failure, const char* attempt, const JpegSession& session) {
  return DecodeError{failure, std::string(attempt) + ": " + session.errors.message};
}

class SessionCloser {
 public:
  explicit SessionCloser(JpegSession& session) : session_(session) {}
  SessionCloser(const SessionCloser&) = delete;
  SessionCloser& operator=(const SessionCloser&) = delete;
  ~SessionCloser() { jpeg_destroy_decompress(&session_.info); }

 private:
  JpegSession& session_;
};

// Guards the row writes: libjpeg must produce exactly the samples each row was sized for.
bool HasExpectedComponents(const jpeg_decompress_struct& info, JpegColours colours) {
  if (IsQuantised(colours)) return info.output_components == 1;
  if (info.out_color_space == JCS_CMYK) return info.output_components == 4;
  return info.output_components == 3;
}

struct DecodeTarget {
  PictureData picture;
  std::vector<uint8_t> cmykRow;
};

std::optional<DecodeTarget> AllocateTarget(const jpeg_decompress_struct& info, JpegColours colours) {
  int width = static_cast<int>(info.output_width);
  int height = static_cast<int>(info.output_height);
  try {
    DecodeTarget target{AllocatePicture(width, height, IsQuantised(colours) ? 8 : 24), {}};
    if (!IsQuantised(colours) && info.out_color_space == JCS_CMYK)
      target.cmykRow.resize(static_cast<size_t>(width) * 4);
    return target;
  } catch (const std::bad_alloc&) {
    // Within the limit yet more than the process can get: treated like libjpeg running out of memory.
    return std::nullopt;
  }
}

std::vector<Rgb> PaletteOf(const jpeg_decompress_struct& info) {
  std::vector<Rgb> palette(static_cast<size_t>(std::max(info.actual_number_of_colors, 0)));
  JSAMPARRAY map = info.colormap;
  for (size_t i = 0; i < palette.size(); ++i) {
    switch (info.out_color_components) {
      case 1: palette[i] = Rgb{map[0][i], map[0][i], map[0][i]}; break;
      case 3: palette[i] = Rgb{map[0][i], map[1][i], map[2][i]}; break;
      case 4: palette[i] = InvertedCmykToRgb(map[0][i], map[1][i], map[2][i], map[3][i]); break;
      default: break;
    }
  }
  return palette;
}

}  // namespace

DecodeResult DecodeJpeg(std::span<const uint8_t> file, JpegColours colours) {
  if (file.empty() || file.size() > ULONG_MAX) return DecodeError{DecodeFailure::Unreadable, "empty or oversized file"};
  JpegSession session{};
  PrepareSession(session);
  SessionCloser closer(session);
  if (!OpenAndReadHeader(session, file)) return Failed(DecodeFailure::BadHeader, "reading JPEG header", session);
  if (!ChooseOutput(session.info, colours)) return DecodeError{DecodeFailure::BadHeader, "unsupported colour space"};
  if (!CalculateOutput(session)) return Failed(DecodeFailure::BadHeader, "choosing the output size", session);

  // The decoder works on 24-bit pixels even when quantising, so the limit applies to those before any allocation.
  const jpeg_decompress_struct& info = session.info;
  if (!FitsPictureLimit(info.output_width, info.output_height, 24))
    return DecodeError{DecodeFailure::TooLarge, "pixels beyond the picture size limit"};
  if (!HasExpectedComponents(info, colours))
    return DecodeError{DecodeFailure::BadHeader, "unexpected number of colour components"};
  std::optional<DecodeTarget> target = AllocateTarget(info, colours);
  if (!target) return DecodeError{DecodeFailure::OutOfMemory, "no memory for the pixels"};

  if (!StartDecompress(session)) return Failed(DecodeFailure::BadData, "starting JPEG decompression", session);
  if (IsQuantised(colours)) target->picture.palette = PaletteOf(info);
  RowSink sink{target->picture.bits.get(), target->picture.stride,
               target->cmykRow.empty() ? nullptr : target->cmykRow.data()};
  if (!DecodeRows(session, sink)) return Failed(DecodeFailure::BadData, "decoding JPEG rows", session);
  return Picture(std::move(target->picture));
}

}  // namespace lumora
