#pragma once
// The harness's own connection to the test display: screenshots, the pointer's cursor and synthetic input (XTest).
#include <chrono>
#include <initializer_list>
#include <memory>
#include <string>

#include "harness/Image.h"

using Display = struct _XDisplay;  // Xlib's type, kept out of the tests' namespace

namespace lumora::e2e {

using KeySymbol = unsigned long;  // an X keysym such as XK_Escape from <X11/keysym.h>

class XDisplay {
 public:
  // Keeps trying until the server accepts a connection or the timeout passes; throws then.
  XDisplay(const std::string& name, std::chrono::milliseconds timeout);
  ~XDisplay();
  XDisplay(const XDisplay&) = delete;
  XDisplay& operator=(const XDisplay&) = delete;

  static bool Accepts(const std::string& name);

  Image Screenshot() const;
  // Whether the pointer's current cursor image has any opaque pixel; Wine shows an empty cursor while hidden.
  bool CursorVisible() const;
  struct Point {
    int x = 0, y = 0;
  };
  Point PointerPosition() const;
  // The name (WM_NAME) of the top-level window that has the keyboard focus, where typed keys go; empty for none.
  std::string FocusedWindowName() const;

  void KeyDown(KeySymbol key) const;
  void KeyUp(KeySymbol key) const;
  // Presses the modifiers in order, taps the key, releases the modifiers in reverse order.
  void TapKey(KeySymbol key, std::initializer_list<KeySymbol> modifiers = {}) const;
  void ButtonDown(int button) const;
  void ButtonUp(int button) const;
  void MovePointer(int x, int y) const;
  void Click(int x, int y, int button = 1) const;

 private:
  void FakeKey(KeySymbol key, bool press) const;
  void Sync() const;

  Display* display_ = nullptr;
};

}  // namespace lumora::e2e
