#pragma once
#include <atomic>
#include <functional>
#include <optional>
#include <string>

#include "image/DecodeResult.h"
#include "image/DecodeWatch.h"
#include "image/JpegDecoder.h"
#include "image/Stretch.h"
#include "platform/FileSystem.h"

namespace lumora {

// What of a picture the next tick draws, worked out from the picture alone: nothing when it draws the picture
// held whole.
using NeedRule = std::function<std::optional<PixelNeed>(const Picture&)>;

// The next tick's picture, prepared by the worker while the show waits: the window's thread fills the request,
// starts the job, and reads the results only once the worker has finished it (or, for the backdrop, once
// `backdropReady` is set); the watch is shared while it runs.
struct PictureJob {
  // The request.
  int index = 0;  // in the list, from 1
  std::string path;
  JpegColours colours = JpegColours::Full24Bit;
  NeedRule need;
  // The picture shown now and what of it the next tick's backdrop draws; an empty picture when there is none.
  Picture backdropSource;
  NeedRule backdropNeed;
  // The tick keeps the loaded picture with its file (to draw the next backdrop from it); otherwise the file's
  // bytes go once the part is decoded.
  bool keepSource = false;

  // The results.
  std::optional<FileStamp> stamp;  // the file as it was when it was read
  std::optional<DecodeResult> loaded;
  Picture shown;  // the loaded picture holding what the tick draws of it
  // Set before the part's rows are decoded, for drawing the rows so far: the picture's natural size (no pixels,
  // no file) and what of it is decoded.
  Picture partFrame;
  PixelNeed partNeed;
  Picture backdrop;
  std::atomic<bool> backdropReady{false};

  DecodeWatch watch;
};

// The worker's side: the backdrop, then the file read and decoded to what the tick draws. A cancelled job ends
// between two steps or two rows, leaving no picture.
void PreparePicture(FileSystem& files, PictureJob& job);

}  // namespace lumora
