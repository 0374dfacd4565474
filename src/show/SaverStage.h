#pragma once
#include <string>

#include "image/Picture.h"
#include "show/PictureControl.h"

namespace lumora {

// A message the application's loop takes from the queue, as the saver's input hook sees it: one of the seven
// input messages, or any other message.
enum class QueuedMessage {
  KeyDown,
  KeyUp,
  SystemKeyDown,
  SystemKeyUp,
  LeftButtonDown,
  RightButtonDown,
  MiddleButtonDown,
  Other,
};

// The saver window as the core sees it: a borderless window over the whole screen with a background colour,
// the picture controls in a stacking order, its own drawing surface, an information label and one timer.
class SaverStage {
 public:
  virtual ~SaverStage() = default;
  virtual int ScreenWidth() = 0;
  virtual int ScreenHeight() = 0;
  virtual int BitsPerPixel() = 0;
  // Repaints the window background in `colour`; what was copied onto the surface is lost.
  virtual void SetBackground(Rgb colour) = 0;
  // Makes the information label visible with `caption`.
  virtual void ShowInfoLabel(const std::string& caption) = 0;
  // The control's picture, bounds, stretch or visibility changed.
  virtual void UpdateControl(ControlId id, const PictureControl& control) = 0;
  virtual void BringToFront(ControlId id) = 0;
  // Copies the whole picture, unscaled, onto the window surface with its top-left corner at (left, top).
  virtual void CopyToSurface(const Picture& picture, int left, int top) = 0;
  virtual void SetTimer(bool enabled, int intervalMs) = 0;
  // From now on every message the application's loop takes from the queue passes the saver's input hook.
  virtual void InstallInputHook() = 0;
  // Handles every pending window message (through the input hook) and returns.
  virtual void ProcessMessages() = 0;
  // Closes the window; the application ends once the messages already queued are handled.
  virtual void Close() = 0;
};

}  // namespace lumora
