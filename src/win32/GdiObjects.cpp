#include "win32/GdiObjects.h"

#include <algorithm>

namespace lumora::win32 {

namespace {

long liveGdiObjects = 0;

// Rows drawn in one call: the system may first convert the pixels of a call to the surface's own format in a copy
// (Wine does, into 32 bits), which bands keep small however large the picture.
constexpr int kRowsPerCall = 64;

// A header with room for a full palette.
struct DibHeader {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

}  // namespace

long LiveGdiObjects() { return liveGdiObjects; }

void CountGdiObjects(long change) { liveGdiObjects += change; }

void DrawPicturePart(HDC dc, const Picture& picture, int firstColumn, int firstRow, int columns, int rows, int left,
                     int top) {
  if (picture.Empty() || columns <= 0 || rows <= 0) return;
  DibHeader dib{};
  dib.header.biSize = sizeof(BITMAPINFOHEADER);
  dib.header.biWidth = picture.Width();
  dib.header.biPlanes = 1;
  dib.header.biBitCount = static_cast<WORD>(picture.BitCount());
  dib.header.biCompression = BI_RGB;
  if (picture.BitCount() == 8) {
    const auto& palette = picture.Palette();
    dib.header.biClrUsed = static_cast<DWORD>(palette.size());
    for (size_t i = 0; i < palette.size() && i < 256; ++i)
      dib.colours[i] = RGBQUAD{palette[i].b, palette[i].g, palette[i].r, 0};
  }
  // On a palette display the platform's halftoning makes the best of the few colours there are.
  if (GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) <= 8) {
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
  }
  for (int done = 0; done < rows; done += kRowsPerCall) {
    const int band = std::min(kRowsPerCall, rows - done);
    // Top-down, and only the rows that are drawn, so the source rectangle starts at the first row either way
    // round the platform counts rows.
    dib.header.biHeight = -band;
    StretchDIBits(dc, left, top + done, columns, band, firstColumn, 0, columns, band, picture.Row(firstRow + done),
                  reinterpret_cast<const BITMAPINFO*>(&dib), DIB_RGB_COLORS, SRCCOPY);
  }
}

}  // namespace lumora::win32
