#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "image/Picture.h"
#include "image/Stretch.h"
#include "show/SaverStage.h"

namespace lumora {

// The saver window rendered in software: the window surface (background and whatever was copied onto it) with
// the shown picture controls over it in stacking order. Pixel for pixel what the Win32 window shows, so tests
// can look at a frame without a display. Only what is drawn is kept: the label, timer, hook, messages and
// closing belong to the window, and do nothing here.
class Compositor : public SaverStage {
 public:
  Compositor(int screenWidth, int screenHeight, int bitsPerPixel = 24);

  int ScreenWidth() override { return width_; }
  int ScreenHeight() override { return height_; }
  int BitsPerPixel() override { return bitsPerPixel_; }
  void SetBackground(Rgb colour) override;
  void ShowInfoLabel(const std::string&) override {}
  void UpdateControl(ControlId id, const PictureControl& control) override;
  void BringToFront(ControlId id) override;
  void CopyToSurface(const Picture& picture, int left, int top) override;
  void SetTimer(bool, int) override {}
  void InstallInputHook() override {}
  void ProcessMessages() override {}
  void Close() override {}

  // The screen as it stands: a 24-bit picture of the screen's size.
  Picture Render() const;
  const PictureControl& Control(ControlId id) const { return controls_[static_cast<int>(id)]; }
  // Bottom to top.
  const std::vector<ControlId>& StackingOrder() const { return stacking_; }

 private:
  void DrawControl(PictureData& frame, ControlId id) const;

  int width_, height_, bitsPerPixel_;
  PictureData surface_;
  std::array<PictureControl, kShownControlCount> controls_{};
  // What each control shows, made when first drawn after a change, as the Win32 stage does.
  mutable std::array<std::optional<ShownPart>, kShownControlCount> parts_{};
  std::vector<ControlId> stacking_;
};

// Copies `part` onto `frame` with its top-left corner at (left, top); `part` must lie inside the frame.
void BlitOnto(PictureData& frame, const Picture& part, int left, int top);

}  // namespace lumora
