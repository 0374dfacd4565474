#pragma once
// One libjpeg decompression with its error manager: errors long-jump back into the step that was running, which
// then reports false with libjpeg's text in `errors.message`. Everything libjpeg reaches between setjmp and
// longjmp is plain data, so a jump skips no destructor.
#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>  // jpeglib.h needs FILE
#include <type_traits>

#include <jpeglib.h>

#include "image/DecodeWatch.h"
#include "image/JpegDecoder.h"
#include "platform/FileSystem.h"

namespace lumora {

// The file as libjpeg reads it: a piece at a time into a buffer; past its end, an end-of-image marker, with a
// warning, so a truncated file decodes as far as it goes. It never suspends.
struct JpegInput {
  jpeg_source_mgr manager;
  FileReader* reader;
  JOCTET* buffer;
  bool ended;  // the reader has no more: the buffer holds the marker put in its place
};

struct JpegSession {
  struct Errors {
    jpeg_error_mgr manager;  // first member: libjpeg hands back a pointer to it
    std::jmp_buf exitJump;
    char message[JMSG_LENGTH_MAX];  // libjpeg's text for the error that ended the decoding
  };

  jpeg_decompress_struct info;  // first member: libjpeg's progress calls hand back a pointer to it
  Errors errors;
  jpeg_progress_mgr progress;
  JpegInput input;
  // The work bound: blocks of coefficients decoded, one count per block in each scan.
  uint64_t blockVisits;
  int countedScan;
  DecodeWatch* watch;          // when set: asked between rows whether to stop, and told of them
  const Orientation* upright;  // when set: the turn that stands the rows told of upright
  // A copy of the first Exif segment's data, when the header was read with `findExif`; libjpeg frees it.
  const uint8_t* exif;
  size_t exifLength;
};
static_assert(std::is_trivially_destructible_v<JpegSession> && std::is_standard_layout_v<JpegSession>);

// The most blocks of coefficients a file may make the decoder visit, each scan counted: twice what a
// progressive photo of 200 megapixels needs (about 20 million), and the top 1.7 gigapixels of a sequential one; a
// file of a few kilobytes that asks hundreds of scans over a huge frame needs far more.
inline constexpr uint64_t kMaxBlockVisits = 40'000'000;

// Creates the decompressor on `session` and reads the file's header from `file`, which must outlive the session;
// false when the file has none. With `findExif`, the first Exif segment is copied to `session.exif`; no other
// APP1 segment is kept, however many the file holds.
bool OpenJpegSession(JpegSession& session, FileReader& file, DecodeWatch* watch = nullptr, bool findExif = false);
// The steps after the header, each in its own jump region.
bool CalculateOutput(JpegSession& session);
bool StartDecompress(JpegSession& session);
// Leaves only the columns from `xoffset` (moved left to a block boundary) for `width` columns in the output.
bool CropColumns(JpegSession& session, JDIMENSION& xoffset, JDIMENSION& width);
bool SkipRows(JpegSession& session, JDIMENSION rows);
// Reads up to `count` rows into `rows`; `read` is how many came.
bool ReadRows(JpegSession& session, JSAMPROW* rows, JDIMENSION count, JDIMENSION& read);
void SetMessage(JpegSession& session, const char* text);

// Ends the decompression however far it went.
class JpegSessionCloser {
 public:
  explicit JpegSessionCloser(JpegSession& session) : session_(session) {}
  JpegSessionCloser(const JpegSessionCloser&) = delete;
  JpegSessionCloser& operator=(const JpegSessionCloser&) = delete;
  ~JpegSessionCloser() { jpeg_destroy_decompress(&session_.info); }

 private:
  JpegSession& session_;
};

}  // namespace lumora
