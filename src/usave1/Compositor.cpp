#include "usave1/Compositor.h"

#include <cstring>

namespace lumora {

namespace {

void Fill(PictureData& frame, Rgb colour) {
  for (int y = 0; y < frame.height; ++y) {
    uint8_t* row = frame.Row(y);
    for (int x = 0; x < frame.width; ++x) {
      row[x * 3] = colour.b;
      row[x * 3 + 1] = colour.g;
      row[x * 3 + 2] = colour.r;
    }
  }
}

PictureData CopyOf(const PictureData& data) {
  PictureData copy = AllocatePicture(data.width, data.height, data.bitCount);
  std::memcpy(copy.bits.get(), data.bits.get(), data.stride * data.height);
  return copy;
}

}  // namespace

void BlitOnto(PictureData& frame, const Picture& part, int left, int top) {
  for (int y = 0; y < part.Height(); ++y)
    std::memcpy(frame.Row(top + y) + static_cast<size_t>(left) * 3, part.Row(y), static_cast<size_t>(part.Width()) * 3);
}

Compositor::Compositor(int screenWidth, int screenHeight, int bitsPerPixel)
    : width_(screenWidth), height_(screenHeight), bitsPerPixel_(bitsPerPixel),
      surface_(AllocatePicture(screenWidth, screenHeight, 24)),
      stacking_{ControlId::Image1, ControlId::image2, ControlId::Image3, ControlId::Image4} {
  Fill(surface_, background);
}

void Compositor::SetBackground(Rgb colour) {
  background = colour;
  Fill(surface_, colour);
}

void Compositor::UpdateControl(ControlId id, const PictureControl& control) {
  controls_[static_cast<int>(id)] = control;
}

void Compositor::BringToFront(ControlId id) {
  std::erase(stacking_, id);
  stacking_.push_back(id);
}

void Compositor::CopyToSurface(const Picture& picture, int left, int top) {
  const PixelRect screen{0, 0, width_, height_};
  const PixelRect placed{left, top, left + picture.Width(), top + picture.Height()};
  const PixelRect visible = Intersect(screen, placed);
  if (visible.Empty()) return;
  const PixelRect inPicture{visible.left - left, visible.top - top, visible.right - left, visible.bottom - top};
  BlitOnto(surface_, CroppedPart(picture, inPicture), visible.left, visible.top);
}

void Compositor::SetTimer(bool enabled, int intervalMs) {
  timerEnabled = enabled;
  timerInterval = intervalMs;
}

void Compositor::ProcessMessages() {
  ++processMessagesCalls;
  if (onProcessMessages) onProcessMessages();
}

Picture Compositor::Render() const {
  PictureData frame = CopyOf(surface_);
  for (ControlId id : stacking_) DrawControl(frame, controls_[static_cast<int>(id)]);
  return Picture(std::move(frame));
}

void Compositor::DrawControl(PictureData& frame, const PictureControl& control) const {
  if (!control.visible || control.picture.Empty() || control.width <= 0 || control.height <= 0) return;
  const PixelRect bounds{control.left, control.top, control.left + control.width, control.top + control.height};
  const PixelRect visible = Intersect(bounds, PixelRect{0, 0, width_, height_});
  if (visible.Empty()) return;
  const PixelRect inControl{visible.left - control.left, visible.top - control.top, visible.right - control.left,
                            visible.bottom - control.top};
  if (control.stretch) {
    BlitOnto(frame, StretchedPart(control.picture, control.width, control.height, inControl), visible.left,
             visible.top);
    return;
  }
  const PixelRect inPicture = Intersect(inControl, PixelRect{0, 0, control.picture.Width(), control.picture.Height()});
  if (inPicture.Empty()) return;
  BlitOnto(frame, CroppedPart(control.picture, inPicture), control.left + inPicture.left,
           control.top + inPicture.top);
}

}  // namespace lumora
