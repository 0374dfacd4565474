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
// starts the job, and reads the results only once the worker has finished it (the backdrop once it is made); the
// watch is shared while it runs.
struct PictureJob {
  // The request.
  std::string path;
  JpegColours colours = JpegColours::Full24Bit;
  NeedRule need;
  // In the picture-in-picture mode, the file of the picture the tick before showed (empty before the first) and
  // the screen: the next tick draws that picture first, as its backdrop stretched over the screen. The backdrop
  // is made first, and held as drawn, so it costs no more than the screen.
  std::string backdropPath;
  PixelRect screen;

  // The results.
  std::optional<FileStamp> stamp;      // the file as it was when it was read
  std::optional<DecodeResult> loaded;  // the picture holds no file: only its prepared parts are drawn
  Picture shown;                       // the loaded picture holding what the tick draws of it
  Picture backdrop;
  // Set once the backdrop is made: from then on the window's thread may take it while the picture is prepared.
  std::atomic<bool> backdropMade{false};
  // Set before the part's rows are decoded, for drawing the rows so far: the picture's natural size (no pixels,
  // no file) and what of it is decoded. The window's thread reads them while the job runs only once it has taken
  // a copy of rows from the watch, which the worker hands over after writing them.
  Picture partFrame;
  PixelNeed partNeed;

  DecodeWatch watch;
};

// The worker's side: the backdrop made, and the file read and decoded to what the tick draws. Every decode is
// watched: a cancelled job ends between two steps or two rows, leaving no picture.
void PreparePicture(FileSystem& files, PictureJob& job);

// The worker's side at the tick: `job`, asking what `prepared` asked, takes over its results when the file is as it
// was when read, or prepares the picture again. `prepared` has finished and is the worker's until this returns:
// asking a file's stamp may wait as long as a share that stopped answering, so the window's thread never asks it.
void PrepareAgainIfChanged(FileSystem& files, PictureJob& prepared, PictureJob& job);

}  // namespace lumora
