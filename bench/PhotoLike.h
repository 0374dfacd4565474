#pragma once
// A photograph-like picture for the benchmarks: JPEG codes it at a size close to a real photograph's, so the
// decoder does a realistic amount of work.
#include "support/JpegEncoder.h"

namespace lumora::bench {

// A landscape: a graded sky, textured hills under a wavy horizon, coarse ground in front, sensor grain all over.
SampleImage PhotoLikeImage(int width, int height);
// The same landscape as a JPEG file (4:2:0), encoded row by row, for pictures too large to hold as samples.
std::vector<uint8_t> PhotoLikeJpeg(int width, int height, int quality);

}  // namespace lumora::bench
