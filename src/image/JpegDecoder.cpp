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

// Copies `width` pixels of a decoded row, from column `first`, into a BGR or index row.
void CopyColumns(const jpeg_decompress_struct& info, const uint8_t* row, int first, int width, uint8_t* out) {
  const int components = info.output_components;
  const uint8_t* in = row + static_cast<size_t>(first) * components;
  if (components != 4) {
    std::memcpy(out, in, static_cast<size_t>(width) * components);
    return;
  }
  for (int x = 0; x < width; ++x, in += 4, out += 3) {
    PutBgr(out, InvertedCmykToRgb(in[0], in[1], in[2], in[3]));
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
  if (session.watch != nullptr && session.reportRows && rows > 0) session.watch->NoteRows(target, rows);
}

// Reads the decoder's rows up to the region's bottom, keeping the region's rows and columns in `target`. Rows
// that need no conversion or cropping go straight into it. Quantised decoding can neither crop nor skip: it
// reads every row from the top.
bool ReadRegion(JpegSession& session, JpegColours colours, const PixelRect& region, PictureData& target) {
  jpeg_decompress_struct& info = session.info;
  DecodeWindow window{0, info.output_width, 0};
  if (!IsQuantised(colours)) {
    window = WindowFor(info, region);
    if (!CropColumns(session, window.left, window.width) || !SkipRows(session, window.top)) return false;
  }
  const int firstColumn = region.left - static_cast<int>(window.left);
  const bool direct = firstColumn == 0 && region.Width() == static_cast<int>(info.output_width) &&
                      info.output_components != 4;
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
      if (y >= region.top) CopyColumns(info, rows[i], firstColumn, region.Width(), target.Row(y - region.top));
    }
    NoteRows(session, target, static_cast<int>(info.output_scanline) - region.top);
  }
  return true;
}

// Reads only the rows listed, skipping to the row before each (its neighbour smooths it as in a whole decode).
bool ReadListedRows(JpegSession& session, JpegColours colours, const PixelRect& region, const RowList& wanted,
                    PictureData& target) {
  jpeg_decompress_struct& info = session.info;
  DecodeWindow window{0, info.output_width, 0};
  if (!IsQuantised(colours)) {
    window = WindowFor(info, region);
    if (!CropColumns(session, window.left, window.width)) return false;
  }
  std::vector<uint8_t> row(static_cast<size_t>(info.output_width) * info.output_components);
  JSAMPROW pointer = row.data();
  const int firstColumn = region.left - static_cast<int>(window.left);
  for (size_t kept = 0; kept < wanted.size(); ++kept) {
    const auto y = static_cast<JDIMENSION>(wanted[kept]);
    if (!IsQuantised(colours) && y > info.output_scanline + 1 && !SkipRows(session, y - 1 - info.output_scanline))
      return false;
    while (info.output_scanline <= y) {
      JDIMENSION read = 0;
      if (!ReadRows(session, &pointer, 1, read)) return false;
    }
    CopyColumns(info, row.data(), firstColumn, region.Width(), target.Row(static_cast<int>(kept)));
    NoteRows(session, target, static_cast<int>(kept) + 1);
  }
  return true;
}

std::nullopt_t Refuse(DecodeError& error, DecodeError why) {
  error = std::move(why);
  return std::nullopt;
}

// The pixels of `region` (nothing: the whole picture) of a JPEG scaled to eighths/8, only the rows listed when
// `rows` is given, or why there are none.
std::optional<PictureData> DecodeRegion(FileReader& file, JpegColours colours, int eighths,
                                        std::optional<PixelRect> region, const RowList* rows,
                                        DecodeWatch* watch, bool reportRows, DecodeError& error) {
  JpegSession session{};
  JpegSessionCloser closer(session);
  session.reportRows = reportRows;
  if (!OpenJpegSession(session, file, watch))
    return Refuse(error, Failed(DecodeFailure::BadHeader, "reading JPEG header", session));
  jpeg_decompress_struct& info = session.info;
  if (!ChooseOutput(info, colours, eighths)) return Refuse(error, {DecodeFailure::BadHeader, "unsupported colour space"});
  if (!CalculateOutput(session))
    return Refuse(error, Failed(DecodeFailure::BadHeader, "choosing the output size", session));
  const PixelRect whole{0, 0, static_cast<int>(info.output_width), static_cast<int>(info.output_height)};
  const PixelRect part = region.value_or(whole);
  if (part.Empty() || !whole.Contains(part))
    return Refuse(error, {DecodeFailure::BadData, "asked for pixels outside the picture"});
  // libjpeg works on 24-bit pixels, and quantising holds the whole picture, before any allocation.
  const PixelRect limited = IsQuantised(colours) ? whole : part;
  if (!FitsPictureLimit(limited.Width(), limited.Height(), 24))
    return Refuse(error, {DecodeFailure::TooLarge, "pixels beyond the picture size limit"});
  if (!HasExpectedComponents(info, colours))
    return Refuse(error, {DecodeFailure::BadHeader, "unexpected number of colour components"});
  if (rows != nullptr && (rows->empty() || rows->front() < part.top || rows->back() >= part.bottom))
    return Refuse(error, {DecodeFailure::BadData, "asked for rows outside the region"});
  const int height = rows != nullptr ? static_cast<int>(rows->size()) : part.Height();
  PictureData target = AllocatePicture(part.Width(), height, IsQuantised(colours) ? 8 : 24);
  if (!StartDecompress(session))
    return Refuse(error, Failed(DecodeFailure::BadData, "starting JPEG decompression", session));
  if (IsQuantised(colours)) target.palette = PaletteOf(info);
  const bool read = rows != nullptr ? ReadListedRows(session, colours, part, *rows, target)
                                    : ReadRegion(session, colours, part, target);
  if (!read) return Refuse(error, Failed(DecodeFailure::BadData, "decoding JPEG rows", session));
  return target;
}

// The first Exif block's orientation; 1 without one.
int OrientationOf(const JpegSession& session) {
  return session.exif == nullptr ? 1 : ExifOrientation(std::span<const uint8_t>(session.exif, session.exifLength));
}

bool RowsWithin(const RowList& rows, const PixelRect& region) {
  return !rows.empty() && rows.front() >= region.top && rows.back() < region.bottom;
}

class JpegPictureSource : public PictureSource {
 public:
  JpegPictureSource(FileOpener file, JpegColours colours, int orientation, int storedWidth, int storedHeight)
      : file_(std::move(file)), colours_(colours), orientation_(orientation),
        storedWidth_(storedWidth), storedHeight_(storedHeight) {}

  // A turned photo decodes the stored pixels of the region; upright rows of a transposing turn are stored
  // columns, so there the decoder cannot keep only some and decodes the region whole.
  // Only upright rows are reported to the watch: a turned photo's rows are final once the whole part is turned.
  PictureData DecodePart(int eighths, const PixelRect& region, const RowList* rows,
                         DecodeWatch* watch) const override {
    if (orientation_ == 1) return DecodeStored(eighths, region, rows, watch, true);
    if (region.Empty() || (rows != nullptr && !RowsWithin(*rows, region)))
      throw std::runtime_error("asked for rows outside the region");
    const Orientation turn(orientation_, ScaledSize(storedWidth_, eighths), ScaledSize(storedHeight_, eighths));
    const RowList storedRows = rows != nullptr && !turn.Transposes() ? turn.StoredRows(*rows) : RowList{};
    const PictureData stored =
        DecodeStored(eighths, turn.StoredRegion(region), storedRows.empty() ? nullptr : &storedRows, watch, false);
    try {
      return turn.Upright(stored, region, rows);
    } catch (const std::bad_alloc&) {
      throw std::runtime_error("no memory for the pixels");
    }
  }

 private:
  PictureData DecodeStored(int eighths, const PixelRect& region, const RowList* rows, DecodeWatch* watch,
                           bool reportRows) const {
    DecodeError error;
    std::optional<PictureData> pixels;
    try {
      const std::unique_ptr<FileReader> file = file_();
      if (!file) throw std::runtime_error("cannot read the file");
      pixels = DecodeRegion(*file, colours_, eighths, region, rows, watch, reportRows, error);
    } catch (const std::bad_alloc&) {
      throw std::runtime_error("no memory for the pixels");
    }
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
