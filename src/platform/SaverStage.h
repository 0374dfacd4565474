#pragma once
#include <string>

#include "image/Picture.h"
#include "image/Stretch.h"

namespace lumora {

// The four picture controls of the saver window that can be shown. The staging and placeholder pictures are
// never shown and live in the core only.
enum class ControlId { Image1, image2, Image3, Image4 };
inline constexpr int kShownControlCount = 4;

// A picture control: it owns at most one picture (a copy of what it was given) and draws it stretched to its
// bounds or at natural size from its top-left corner; an empty control draws nothing.
struct PictureControl {
  Picture picture;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool stretch = false;
  bool autoSize = false;  // takes the size of each non-empty picture put into it, keeping left and top
  bool visible = false;

  void Assign(const Picture& source) {
    picture = source;
    if (autoSize && !picture.Empty()) {
      width = picture.Width();
      height = picture.Height();
    }
  }
  void Clear() { picture = Picture(); }
};

// What a shown picture control puts on the screen: its pixels as it draws them there (stretched to its bounds,
// or at natural size from its top-left corner) and where they go. No pixels when it shows nothing on the screen.
struct ShownPart {
  Picture pixels;
  int left = 0;
  int top = 0;
};
ShownPart ShownPartOf(const PictureControl& control, const PixelRect& screen);
// The control's picture holding just the pixels the control shows on the screen, decoded, and no longer the
// file it came from: for a control whose picture and geometry stay as they are until it is emptied. The
// picture itself when it is held whole or cannot be decoded now (it then shows the placeholder when drawn).
Picture SettledPicture(const PictureControl& control, const PixelRect& screen);
// Two controls draw the same: same picture, bounds and stretching.
bool SameLook(const PictureControl& a, const PictureControl& b);

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
  // A key or mouse-button message waits in the queue.
  virtual bool InputPending() = 0;
  // Closes the window; the application ends once the messages already queued are handled.
  virtual void Close() = 0;
};

}  // namespace lumora
