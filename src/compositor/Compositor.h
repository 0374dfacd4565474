#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "image/Picture.h"
#include "image/Stretch.h"
#include "show/SaverStage.h"

namespace lumora {

// The saver window rendered in software: the window surface (background and whatever was copied onto it) with
// the shown picture controls over it in stacking order. Pixel for pixel what the Win32 window shows, so tests
// can look at a frame without a display.
class Compositor : public SaverStage {
 public:
  Compositor(int screenWidth, int screenHeight, int bitsPerPixel = 24);

  int ScreenWidth() override { return width_; }
  int ScreenHeight() override { return height_; }
  int BitsPerPixel() override { return bitsPerPixel_; }
  void SetBackground(Rgb colour) override;
  void ShowInfoLabel(const std::string& caption) override { infoLabel = caption; }
  void UpdateControl(ControlId id, const PictureControl& control) override;
  void BringToFront(ControlId id) override;
  void CopyToSurface(const Picture& picture, int left, int top) override;
  void SetTimer(bool enabled, int intervalMs) override;
  void InstallInputHook() override { hookInstalled = true; }
  void ProcessMessages() override;
  bool InputPending() override { return inputPending; }
  void Close() override { closed = true; }

  // The screen as it stands: a 24-bit picture of the screen's size.
  Picture Render() const;
  const PictureControl& Control(ControlId id) const { return controls_[static_cast<int>(id)]; }
  // Bottom to top.
  const std::vector<ControlId>& StackingOrder() const { return stacking_; }

  Rgb background{};
  std::optional<std::string> infoLabel;
  bool timerEnabled = false;
  int timerInterval = 0;
  bool hookInstalled = false;
  bool closed = false;
  int processMessagesCalls = 0;
  bool inputPending = false;
  // Runs inside ProcessMessages, standing in for the messages that would be handled there.
  std::function<void()> onProcessMessages;

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
