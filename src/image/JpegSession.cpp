#include "image/JpegSession.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <cstdio>

#include "image/Picture.h"

namespace lumora {

namespace {

// Real progressive files have about ten scans; thousands make every scan walk the whole picture again.
constexpr int kMaxInputScans = 500;
// Caps libjpeg's whole-image buffers (the coefficients of a file of several scans, two-pass quantising): enough
// for a progressive photo of 105 megapixels; a file that would make libjpeg take more is refused.
constexpr uint64_t kDecoderMemoryLimit = 5 * kMaxPictureBytes / 4;
static_assert(kDecoderMemoryLimit <= LONG_MAX, "max_memory_to_use is a long, 32 bits on Windows");

[[noreturn]] void JumpToErrorExit(j_common_ptr info) {
  auto* errors = reinterpret_cast<JpegSession::Errors*>(info->err);
  errors->manager.format_message(info, errors->message);
  std::longjmp(errors->exitJump, 1);
}

// Damaged data yields warnings, and the picture is still shown as far as libjpeg could decode it.
void CountWarning(j_common_ptr info, int messageLevel) {
  if (messageLevel < 0) ++info->err->num_warnings;
}

[[noreturn]] void Stop(JpegSession& session, const char* why) {
  SetMessage(session, why);
  std::longjmp(session.errors.exitJump, 1);
}

uint64_t BlocksInScan(const jpeg_decompress_struct& info) {
  uint64_t blocks = 0;
  for (int i = 0; i < info.comps_in_scan; ++i)
    blocks += uint64_t{info.cur_comp_info[i]->width_in_blocks} * info.cur_comp_info[i]->height_in_blocks;
  return blocks;
}

// The blocks decoded so far: every block of every scan read whole of a file of several scans (they are all read
// before the first row comes out), the part of the one scan read so far of a file of one.
uint64_t BlockVisits(JpegSession& session) {
  const jpeg_decompress_struct& info = session.info;
  if (jpeg_has_multiple_scans(const_cast<j_decompress_ptr>(&info))) {
    if (info.input_scan_number != session.countedScan) {
      session.countedScan = info.input_scan_number;
      session.blockVisits += BlocksInScan(info);
    }
    return session.blockVisits;
  }
  if (info.output_height == 0) return 0;
  return BlocksInScan(info) * info.output_scanline / info.output_height;
}

// Called between rows of input and of output: bounds the work a file can ask, and lets waiting input stop it.
void WatchTheWork(j_common_ptr common) {
  if (!common->is_decompressor) return;
  JpegSession& session = *reinterpret_cast<JpegSession*>(common);
  if (session.info.input_scan_number > kMaxInputScans) Stop(session, "more than 500 scans");
  if (BlockVisits(session) > kMaxBlockVisits) Stop(session, "more decoding work than any photograph needs");
  if (session.watch != nullptr && session.watch->Cancelled()) Stop(session, "cancelled");
}

// Reads an APP1 segment in place: the source is the file's bytes in memory, which outlive the session.
boolean NoteExif(j_decompress_ptr info) {
  static constexpr uint8_t kExifHeader[6] = {'E', 'x', 'i', 'f', 0, 0};
  JpegSession& session = *reinterpret_cast<JpegSession*>(info);
  jpeg_source_mgr& source = *info->src;
  if (source.bytes_in_buffer < 2) {
    // The file ends inside the segment's length: the reader meets its end next.
    source.skip_input_data(info, static_cast<long>(source.bytes_in_buffer));
    return TRUE;
  }
  const size_t length = static_cast<size_t>(source.next_input_byte[0]) << 8 | source.next_input_byte[1];
  const size_t held = std::min(std::max(length, size_t{2}), source.bytes_in_buffer) - 2;
  const uint8_t* data = source.next_input_byte + 2;
  if (session.exif == nullptr && held >= sizeof kExifHeader && std::memcmp(data, kExifHeader, sizeof kExifHeader) == 0) {
    session.exif = data;
    session.exifLength = held;
  }
  source.skip_input_data(info, static_cast<long>(std::max(length, size_t{2})));
  return TRUE;
}

}  // namespace

bool OpenJpegSession(JpegSession& session, std::span<const uint8_t> file, DecodeWatch* watch, bool findExif) {
  session.info.err = jpeg_std_error(&session.errors.manager);
  session.errors.manager.error_exit = JumpToErrorExit;
  session.errors.manager.emit_message = CountWarning;
  session.progress.progress_monitor = WatchTheWork;
  session.watch = watch;
  if (setjmp(session.errors.exitJump)) return false;
  jpeg_create_decompress(&session.info);
  session.info.progress = &session.progress;
  session.info.mem->max_memory_to_use = static_cast<long>(kDecoderMemoryLimit);
  jpeg_mem_src(&session.info, file.data(), static_cast<unsigned long>(file.size()));
  if (findExif) jpeg_set_marker_processor(&session.info, JPEG_APP0 + 1, NoteExif);
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

bool CropColumns(JpegSession& session, JDIMENSION& xoffset, JDIMENSION& width) {
  if (setjmp(session.errors.exitJump)) return false;
  jpeg_crop_scanline(&session.info, &xoffset, &width);
  return true;
}

namespace {

// In a file of several scans, libjpeg-turbo's skip can count past the rows it has (seen with unusual sampling
// factors) and then wait without end for input that never comes. Every scan of such a file is decoded before the
// first row comes out, so reading the rows instead costs only their inverse transforms.
bool DiscardRows(JpegSession& session, JDIMENSION rows) {
  j_common_ptr common = reinterpret_cast<j_common_ptr>(&session.info);
  const JDIMENSION rowBytes = session.info.output_width * static_cast<JDIMENSION>(session.info.output_components);
  JSAMPARRAY scratch = (*session.info.mem->alloc_sarray)(common, JPOOL_IMAGE, rowBytes, 1);
  for (JDIMENSION done = 0; done < rows; ++done)
    if (jpeg_read_scanlines(&session.info, scratch, 1) != 1) {
      SetMessage(session, "the decoder gave no more rows");
      return false;
    }
  return true;
}

}  // namespace

bool SkipRows(JpegSession& session, JDIMENSION rows) {
  if (setjmp(session.errors.exitJump)) return false;
  if (jpeg_has_multiple_scans(&session.info)) return DiscardRows(session, rows);
  if (rows > 0 && jpeg_skip_scanlines(&session.info, rows) != rows) {
    SetMessage(session, "the decoder skipped fewer rows than asked");
    return false;
  }
  return true;
}

bool ReadRows(JpegSession& session, JSAMPROW* rows, JDIMENSION count, JDIMENSION& read) {
  if (setjmp(session.errors.exitJump)) return false;
  read = jpeg_read_scanlines(&session.info, rows, count);
  // A memory source never suspends, so no rows means libjpeg cannot go on.
  if (read == 0) {
    SetMessage(session, "the decoder gave no more rows");
    return false;
  }
  return true;
}

void SetMessage(JpegSession& session, const char* text) {
  std::snprintf(session.errors.message, sizeof session.errors.message, "%s", text);
}

}  // namespace lumora
