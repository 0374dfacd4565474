#include "image/JpegDecoder.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>
#include <stdexcept>

#include "image/ExifOrientation.h"
#include "image/JpegSession.h"
#include "image/Orientation.h"

namespace lumora {
namespace {

constexpr int kQuantisedColours = 236;
constexpr JDIMENSION kRowsPerRead = 16;

bool IsQuantised(JpegColours colours) { return colours == JpegColours::Quantised236; }

// CMYK and YCCK files are decoded as CMYK and converted here; everything else libjpeg turns into BGR itself.
bool ChooseOutput(jpeg_decompress_struct& info, JpegColours colours, int eighths) {
  const bool quantised = IsQuantised(colours);
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
  info.scale_num = static_cast<unsigned>(eighths);
  info.scale_denom = 8;
  return true;
}

// Guards the row writes: libjpeg must produce exactly the samples each row was sized for.
bool HasExpectedComponents(const jpeg_decompress_struct& info, JpegColours colours) {
  if (IsQuantised(colours)) return info.output_components == 1;
  if (info.out_color_space == JCS_CMYK) return info.output_components == 4;
  return info.output_components == 3;
}

uint8_t ScaleByBlack(unsigned value, unsigned black) { return static_cast<uint8_t>((value * black + 127) / 255); }

// libjpeg keeps CMYK the way Adobe writes it, inverted (255 is no ink), so each colour left after the black
// ink is the stored value scaled by the stored black.
Rgb InvertedCmykToRgb(uint8_t c, uint8_t m, uint8_t y, uint8_t k) {
  return Rgb{ScaleByBlack(c, k), ScaleByBlack(m, k), ScaleByBlack(y, k)};
}

// Where the pixels kept of a decoded row lie in it: a run of `width` from `first`, or one offset per column listed.
struct KeptColumns {
  int first = 0;
  int width = 0;
  std::vector<size_t> offsets;  // in bytes; empty for a run
};

KeptColumns KeptColumnsOf(const jpeg_decompress_struct& info, const PixelNeed& need, JDIMENSION rowStart) {
  KeptColumns kept{need.region.left - static_cast<int>(rowStart), need.Width(), {}};
  if (need.Columns())
    for (const int column : need.columns)
      kept.offsets.push_back(static_cast<size_t>(column - static_cast<int>(rowStart)) * info.output_components);
  return kept;
}

// Copies the pixels kept of a decoded row into a BGR or index row.
void CopyColumns(const jpeg_decompress_struct& info, const uint8_t* row, const KeptColumns& kept, uint8_t* out) {
  const int components = info.output_components;
  if (kept.offsets.empty() && components != 4) {
    std::memcpy(out, row + static_cast<size_t>(kept.first) * components, static_cast<size_t>(kept.width) * components);
    return;
  }
  for (int x = 0; x < kept.width; ++x) {
    const uint8_t* in = row + (kept.offsets.empty() ? static_cast<size_t>(kept.first + x) * components
                                                    : kept.offsets[static_cast<size_t>(x)]);
    if (components == 4) {
      PutBgr(out, InvertedCmykToRgb(in[0], in[1], in[2], in[3]));
      out += 3;
    } else {
      for (int c = 0; c < components; ++c) *out++ = in[c];
    }
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

DecodeError Failed(DecodeFailure failure, const char* attempt, const JpegSession& session) {
  return DecodeError{failure, std::string(attempt) + ": " + session.errors.message};
}

// The decoder's columns and rows for a region: one more on each side where there is one, so that the region's
// edge pixels are smoothed from their real neighbours as in a whole decode.
struct DecodeWindow {
  JDIMENSION left, width, top;
};

DecodeWindow WindowFor(const jpeg_decompress_struct& info, const PixelRect& region) {
  const auto left = static_cast<JDIMENSION>(std::max(region.left - 1, 0));
  const auto right = std::min(static_cast<JDIMENSION>(region.right) + 1, info.output_width);
  return {left, right - left, static_cast<JDIMENSION>(std::max(region.top - 1, 0))};
}

void NoteRows(JpegSession& session, const PictureData& target, int rows) {
  if (session.watch != nullptr && rows > 0) session.watch->NoteRows(target, rows, session.upright);
}

// Reads the decoder's rows up to the region's bottom, keeping the region's rows and the columns named in `target`.
// Rows that need no conversion or choosing go straight into it. Quantised decoding can neither crop nor skip: it
// reads every row from the top.
bool ReadRegion(JpegSession& session, JpegColours colours, const PixelNeed& need, PictureData& target) {
  jpeg_decompress_struct& info = session.info;
  const PixelRect& region = need.region;
  DecodeWindow window{0, info.output_width, 0};
  if (!IsQuantised(colours)) {
    window = WindowFor(info, region);
    if (!CropColumns(session, window.left, window.width) || !SkipRows(session, window.top)) return false;
  }
  const KeptColumns kept = KeptColumnsOf(info, need, window.left);
  const bool direct = kept.first == 0 && kept.offsets.empty() &&
                      region.Width() == static_cast<int>(info.output_width) && info.output_components != 4;
  const size_t rowBytes = static_cast<size_t>(info.output_width) * info.output_components;
  std::vector<uint8_t> strip(rowBytes * kRowsPerRead);
  JSAMPROW rows[kRowsPerRead];
  while (static_cast<int>(info.output_scanline) < region.bottom) {
    const JDIMENSION first = info.output_scanline;
    const JDIMENSION wanted = std::min(kRowsPerRead, static_cast<JDIMENSION>(region.bottom) - first);
    for (JDIMENSION i = 0; i < wanted; ++i) {
      const int y = static_cast<int>(first + i);
      rows[i] = direct && y >= region.top ? target.Row(y - region.top) : strip.data() + i * rowBytes;
    }
    JDIMENSION read = 0;
    if (!ReadRows(session, rows, wanted, read)) return false;
    for (JDIMENSION i = 0; i < read && !direct; ++i) {
      const int y = static_cast<int>(first + i);
      if (y >= region.top) CopyColumns(info, rows[i], kept, target.Row(y - region.top));
    }
    NoteRows(session, target, static_cast<int>(info.output_scanline) - region.top);
  }
  return true;
}

// Reads only the rows listed, skipping to the row before each (its neighbour smooths it as in a whole decode).
bool ReadListedRows(JpegSession& session, JpegColours colours, const PixelNeed& need, PictureData& target) {
  jpeg_decompress_struct& info = session.info;
  DecodeWindow window{0, info.output_width, 0};
  if (!IsQuantised(colours)) {
    window = WindowFor(info, need.region);
    if (!CropColumns(session, window.left, window.width)) return false;
  }
  const KeptColumns kept = KeptColumnsOf(info, need, window.left);
  std::vector<uint8_t> row(static_cast<size_t>(info.output_width) * info.output_components);
  JSAMPROW pointer = row.data();
  for (size_t done = 0; done < need.rows.size(); ++done) {
    const auto y = static_cast<JDIMENSION>(need.rows[done]);
    if (!IsQuantised(colours) && y > info.output_scanline + 1 && !SkipRows(session, y - 1 - info.output_scanline))
      return false;
    while (info.output_scanline <= y) {
      JDIMENSION read = 0;
      if (!ReadRows(session, &pointer, 1, read)) return false;
    }
    CopyColumns(info, row.data(), kept, target.Row(static_cast<int>(done)));
    NoteRows(session, target, static_cast<int>(done) + 1);
  }
  return true;
}

std::nullopt_t Refuse(DecodeError& error, DecodeError why) {
  error = std::move(why);
  return std::nullopt;
}

bool LinesWithin(const std::vector<int>* lines, int first, int end) {
  return lines == nullptr || (!lines->empty() && lines->front() >= first && lines->back() < end);
}

// The pixels `need` names of a JPEG, or why there are none; `upright`, when given, turns the copies of the rows
// decoded so far that the watch hands out.
std::optional<PictureData> DecodeRegion(FileReader& file, JpegColours colours, const PixelNeed& need,
                                        DecodeWatch* watch, const Orientation* upright, DecodeError& error) {
  JpegSession session{};
  JpegSessionCloser closer(session);
  session.upright = upright;
  if (!OpenJpegSession(session, file, watch))
    return Refuse(error, Failed(DecodeFailure::BadHeader, "reading JPEG header", session));
  jpeg_decompress_struct& info = session.info;
  if (!ChooseOutput(info, colours, need.eighths))
    return Refuse(error, {DecodeFailure::BadHeader, "unsupported colour space"});
  if (!CalculateOutput(session))
    return Refuse(error, Failed(DecodeFailure::BadHeader, "choosing the output size", session));
  const PixelRect whole{0, 0, static_cast<int>(info.output_width), static_cast<int>(info.output_height)};
  const PixelRect& part = need.region;
  if (part.Empty() || !whole.Contains(part))
    return Refuse(error, {DecodeFailure::BadData, "asked for pixels outside the picture"});
  // libjpeg works on 24-bit pixels, and quantising holds the whole picture, before any allocation.
  const bool fits = IsQuantised(colours) ? FitsPictureLimit(whole.Width(), whole.Height(), 24)
                                         : FitsPictureLimit(need.Width(), need.Height(), 24);
  if (!fits) return Refuse(error, {DecodeFailure::TooLarge, "pixels beyond the picture size limit"});
  if (!HasExpectedComponents(info, colours))
    return Refuse(error, {DecodeFailure::BadHeader, "unexpected number of colour components"});
  if (!LinesWithin(need.Rows(), part.top, part.bottom) || !LinesWithin(need.Columns(), part.left, part.right))
    return Refuse(error, {DecodeFailure::BadData, "asked for rows or columns outside the region"});
  PictureData target = AllocatePicture(need.Width(), need.Height(), IsQuantised(colours) ? 8 : 24);
  if (!StartDecompress(session))
    return Refuse(error, Failed(DecodeFailure::BadData, "starting JPEG decompression", session));
  if (IsQuantised(colours)) target.palette = PaletteOf(info);
  const bool read =
      need.Rows() ? ReadListedRows(session, colours, need, target) : ReadRegion(session, colours, need, target);
  if (!read) return Refuse(error, Failed(DecodeFailure::BadData, "decoding JPEG rows", session));
  return target;
}

// The first Exif block's orientation; 1 without one.
int OrientationOf(const JpegSession& session) {
  return session.exif == nullptr ? 1 : ExifOrientation(std::span<const uint8_t>(session.exif, session.exifLength));
}

class JpegPictureSource : public PictureSource {
 public:
  JpegPictureSource(FileOpener file, JpegColours colours, int orientation, int storedWidth, int storedHeight)
      : file_(std::move(file)),
        colours_(colours),
        orientation_(orientation),
        storedWidth_(storedWidth),
        storedHeight_(storedHeight) {}

  // A turned photo decodes the stored pixels that hold the upright ones asked for, and turns them upright; so do
  // the copies of the rows decoded so far, which then show at their upright place.
  PictureData DecodePart(const PixelNeed& need, DecodeWatch* watch) const override {
    if (need.region.Empty()) throw std::runtime_error("asked for no pixels");
    if (orientation_ == 1) return DecodeStored(need, watch, nullptr);
    const Orientation turn(orientation_, ScaledSize(storedWidth_, need.eighths),
                           ScaledSize(storedHeight_, need.eighths));
    const PictureData stored = DecodeStored(turn.StoredNeed(need), watch, &turn);
    try {
      return turn.Upright(stored);
    } catch (const std::bad_alloc&) { throw std::runtime_error("no memory for the pixels"); }
  }

 private:
  PictureData DecodeStored(const PixelNeed& need, DecodeWatch* watch, const Orientation* upright) const {
    DecodeError error;
    std::optional<PictureData> pixels;
    try {
      const std::unique_ptr<FileReader> file = file_();
      if (!file) throw std::runtime_error("cannot read the file");
      pixels = DecodeRegion(*file, colours_, need, watch, upright, error);
    } catch (const std::bad_alloc&) { throw std::runtime_error("no memory for the pixels"); }
    if (!pixels) throw std::runtime_error(error.reason);
    return std::move(*pixels);
  }

  FileOpener file_;
  JpegColours colours_;
  int orientation_;
  int storedWidth_, storedHeight_;
};

}  // namespace

DecodeResult OpenJpeg(FileOpener file, JpegColours colours) {
  const std::unique_ptr<FileReader> header = file();
  if (!header) return DecodeError{DecodeFailure::Unreadable, "cannot read the file"};
  JpegSession session{};
  JpegSessionCloser closer(session);
  if (!OpenJpegSession(session, *header, nullptr, true))
    return Failed(DecodeFailure::BadHeader, "reading JPEG header", session);
  if (!ChooseOutput(session.info, colours, 8)) return DecodeError{DecodeFailure::BadHeader, "unsupported colour space"};
  const int width = static_cast<int>(session.info.image_width), height = static_cast<int>(session.info.image_height);
  const int orientation = OrientationOf(session);
  const bool transposes = Orientation(orientation, width, height).Transposes();
  auto source = std::make_shared<JpegPictureSource>(std::move(file), colours, orientation, width, height);
  return transposes ? Picture(height, width, std::move(source)) : Picture(width, height, std::move(source));
}

DecodeResult OpenJpeg(std::vector<uint8_t> file, JpegColours colours) {
  if (file.empty()) return DecodeError{DecodeFailure::Unreadable, "empty file"};
  auto held = std::make_shared<const std::vector<uint8_t>>(std::move(file));
  return OpenJpeg([held] { return std::make_unique<HeldFileReader>(held); }, colours);
}

}  // namespace lumora
