#include "image/JpegSession.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

#include <jerror.h>

#include "image/ExifOrientation.h"
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

[[noreturn]] void StopAtTooManyScans(JpegSession& session) {
  std::snprintf(session.errors.message, sizeof session.errors.message, "more than %d scans", kMaxInputScans);
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

// Called between rows of input and of output: bounds the work a file can ask, and stops when the watch is cancelled.
void WatchTheWork(j_common_ptr common) {
  if (!common->is_decompressor) return;
  JpegSession& session = *reinterpret_cast<JpegSession*>(common);
  if (session.info.input_scan_number > kMaxInputScans) StopAtTooManyScans(session);
  if (BlockVisits(session) > kMaxBlockVisits) Stop(session, "more decoding work than any photograph needs");
  if (session.watch != nullptr && session.watch->Cancelled()) Stop(session, "cancelled");
}

// Large enough that a photo of several megabytes takes a few hundred reads.
constexpr size_t kInputBufferBytes = 64 * 1024;

JpegInput& InputOf(j_decompress_ptr info) { return reinterpret_cast<JpegSession*>(info)->input; }

void StartInput(j_decompress_ptr) {}
void EndInput(j_decompress_ptr) {}

boolean FillInput(j_decompress_ptr info) {
  static constexpr JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};
  JpegInput& input = InputOf(info);
  const size_t read = input.ended ? 0 : input.reader->Read(input.buffer, kInputBufferBytes);
  if (read == 0) {
    WARNMS(info, JWRN_JPEG_EOF);
    input.ended = true;
    std::memcpy(input.buffer, kEndOfImage, sizeof kEndOfImage);
  }
  input.manager.next_input_byte = input.buffer;
  input.manager.bytes_in_buffer = read == 0 ? sizeof kEndOfImage : read;
  return TRUE;
}

// Past the file's end nothing is skipped: the reader meets the end marker next.
void SkipInput(j_decompress_ptr info, long count) {
  JpegInput& input = InputOf(info);
  if (count <= 0) return;
  auto left = static_cast<size_t>(count);
  while (left > input.manager.bytes_in_buffer) {
    if (input.ended) return;
    left -= input.manager.bytes_in_buffer;
    FillInput(info);
  }
  input.manager.next_input_byte += left;
  input.manager.bytes_in_buffer -= left;
}

void UseInput(JpegSession& session, FileReader& file) {
  JpegInput& input = session.input;
  input.reader = &file;
  input.ended = false;
  input.buffer = static_cast<JOCTET*>((*session.info.mem->alloc_small)(reinterpret_cast<j_common_ptr>(&session.info),
                                                                       JPOOL_PERMANENT, kInputBufferBytes));
  input.manager = {};
  input.manager.init_source = StartInput;
  input.manager.fill_input_buffer = FillInput;
  input.manager.skip_input_data = SkipInput;
  input.manager.resync_to_restart = jpeg_resync_to_restart;
  input.manager.term_source = EndInput;
  session.info.src = &input.manager;
}

// Up to `count` bytes of the file into `into`; fewer where it ends.
size_t TakeInput(j_decompress_ptr info, uint8_t* into, size_t count) {
  JpegInput& input = InputOf(info);
  size_t taken = 0;
  while (taken < count) {
    if (input.manager.bytes_in_buffer == 0) {
      if (input.ended) break;
      FillInput(info);
      if (input.ended) break;
    }
    const size_t piece = std::min(count - taken, input.manager.bytes_in_buffer);
    std::memcpy(into + taken, input.manager.next_input_byte, piece);
    input.manager.next_input_byte += piece;
    input.manager.bytes_in_buffer -= piece;
    taken += piece;
  }
  return taken;
}

// An APP1 segment: the first that holds Exif data is copied, the rest skipped unread.
boolean NoteExif(j_decompress_ptr info) {
  JpegSession& session = *reinterpret_cast<JpegSession*>(info);
  uint8_t lengthBytes[2];
  // The file ends inside the segment's length: the reader meets its end next.
  if (TakeInput(info, lengthBytes, 2) < 2) return TRUE;
  const size_t length = std::max(static_cast<size_t>(lengthBytes[0]) << 8 | lengthBytes[1], size_t{2}) - 2;
  uint8_t header[sizeof kExifHeader];
  const size_t headerLength = session.exif == nullptr ? TakeInput(info, header, std::min(length, sizeof header)) : 0;
  if (headerLength < sizeof header || std::memcmp(header, kExifHeader, sizeof header) != 0) {
    SkipInput(info, static_cast<long>(length - headerLength));
    return TRUE;
  }
  auto* data =
      static_cast<uint8_t*>((*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE, length));
  std::memcpy(data, header, sizeof header);
  session.exif = data;
  session.exifLength = sizeof header + TakeInput(info, data + sizeof header, length - sizeof header);
  return TRUE;
}

}  // namespace

bool OpenJpegSession(JpegSession& session, FileReader& file, DecodeWatch* watch, bool findExif) {
  session.info.err = jpeg_std_error(&session.errors.manager);
  session.errors.manager.error_exit = JumpToErrorExit;
  session.errors.manager.emit_message = CountWarning;
  session.progress.progress_monitor = WatchTheWork;
  session.watch = watch;
  if (setjmp(session.errors.exitJump)) return false;
  jpeg_create_decompress(&session.info);
  session.info.progress = &session.progress;
  session.info.mem->max_memory_to_use = static_cast<long>(kDecoderMemoryLimit);
  UseInput(session, file);
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
  // The source never suspends, so no rows means libjpeg cannot go on.
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
