#pragma once
#include <map>
#include <string>

#include "image/Stretch.h"
#include "settings_file/SettingsFile.h"
#include "support/PictureFiles.h"
#include "support/SaverHarness.h"
#include "support/SettingsFiles.h"

namespace lumora::test {

inline Picture Solid(int width, int height, Rgb colour) {
  return MakePicture(width, height, [=](int, int) { return colour; });
}

// Four quarters in four colours, so that position and orientation show.
inline Picture Quartered(int width, int height) {
  return MakePicture(width, height, [=](int x, int y) {
    static constexpr Rgb kQuarters[] = {{200, 0, 0}, {0, 200, 0}, {0, 0, 200}, {200, 200, 0}};
    return kQuarters[(x >= width / 2 ? 1 : 0) + (y >= height / 2 ? 2 : 0)];
  });
}

// A saver whose settings list the given pictures, stored as bitmap files, and sounds, with the given Options lines;
// without sounds, sound is off.
struct ShowFixture : SaverHarness {
  explicit ShowFixture(int screenWidth = 1024, int screenHeight = 768) : SaverHarness(screenWidth, screenHeight) {}

  std::string AddPicture(const Picture& picture) {
    const std::string path = "C:\\PICS\\" + std::to_string(++added) + ".bmp";
    files.Add(path, BmpFileOf(picture));
    pictures[added] = path;
    return path;
  }

  void Start(const std::string& options) {
    WriteIni(SettingsFileText((sounds.empty() ? "Sound=0\r\n" : "") + options, pictures, sounds));
    saverShow.Start();
  }

  void Ticks(int count) {
    for (int i = 0; i < count; ++i) saverShow.OnTick();
  }

  int added = 0;
  SlotValues pictures;
  SlotValues sounds;
};

// Every pixel of `part` appears at (left, top) of `frame`, clipped to the frame.
inline bool ShowsAt(const Picture& frame, const Picture& part, int left, int top) {
  for (int y = 0; y < part.Height(); ++y)
    for (int x = 0; x < part.Width(); ++x) {
      const int fx = left + x, fy = top + y;
      if (fx < 0 || fy < 0 || fx >= frame.Width() || fy >= frame.Height()) continue;
      if (!(frame.PixelAt(fx, fy) == part.PixelAt(x, y))) return false;
    }
  return true;
}

// The smallest rectangle holding every pixel that differs from `background`.
inline PixelRect ContentBounds(const Picture& frame, Rgb background) {
  PixelRect bounds{frame.Width(), frame.Height(), 0, 0};
  for (int y = 0; y < frame.Height(); ++y)
    for (int x = 0; x < frame.Width(); ++x)
      if (!(frame.PixelAt(x, y) == background)) {
        bounds.left = std::min(bounds.left, x);
        bounds.top = std::min(bounds.top, y);
        bounds.right = std::max(bounds.right, x + 1);
        bounds.bottom = std::max(bounds.bottom, y + 1);
      }
  return bounds;
}

}  // namespace lumora::test
