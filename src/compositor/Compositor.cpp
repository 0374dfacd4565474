#include "compositor/Compositor.h"

#include <cstring>

namespace lumora {

namespace {

void Fill(PictureData& frame, Rgb colour) {
  for (int y = 0; y < frame.height; ++y) {
    uint8_t* row = frame.Row(y);
    for (int x = 0; x < frame.width; ++x) PutBgr(row + x * 3, colour);
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
    : width_(screenWidth),
      height_(screenHeight),
      bitsPerPixel_(bitsPerPixel),
      surface_(AllocatePicture(screenWidth, screenHeight, 24)),
      stacking_{ControlId::Main, ControlId::Backdrop, ControlId::ThirdTile, ControlId::FourthTile} {
  Fill(surface_, Rgb{});
}

void Compositor::SetBackground(Rgb colour) { Fill(surface_, colour); }

void Compositor::UpdateControl(ControlId id, const PictureControl& control) {
  PictureControl& kept = controls_[static_cast<int>(id)];
  if (!SameLook(kept, control)) parts_[static_cast<int>(id)].reset();
  kept = control;
}

void Compositor::BringToFront(ControlId id) {
  std::erase(stacking_, id);
  stacking_.push_back(id);
}

void Compositor::CopyToSurface(const Picture& picture, int left, int top) {
  const VisiblePart visible = VisiblePartOf(PixelRect{left, top, left + picture.Width(), top + picture.Height()},
                                            PixelRect{0, 0, width_, height_});
  if (visible.onScreen.Empty()) return;
  BlitOnto(surface_, CroppedPart(picture, visible.inBounds), visible.onScreen.left, visible.onScreen.top);
}

Picture Compositor::Render() const {
  PictureData frame = CopyOf(surface_);
  for (ControlId id : stacking_) DrawControl(frame, id);
  return Picture(std::move(frame));
}

void Compositor::DrawControl(PictureData& frame, ControlId id) const {
  const PictureControl& control = controls_[static_cast<int>(id)];
  if (!control.visible) return;
  std::optional<ShownPart>& part = parts_[static_cast<int>(id)];
  if (!part) part = ShownPartOf(control, PixelRect{0, 0, width_, height_});
  if (!part->pixels.Empty()) BlitOnto(frame, part->pixels, part->left, part->top);
}

}  // namespace lumora
