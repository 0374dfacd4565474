#include "harness/XDisplay.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>

#include <memory>
#include <thread>

#include "harness/Process.h"

namespace lumora::e2e {
namespace {

int ChannelShift(unsigned long mask) {
  int shift = 0;
  while (mask != 0 && (mask & 1UL) == 0) mask >>= 1, ++shift;
  return shift;
}

std::uint8_t Channel(unsigned long pixel, unsigned long mask) {
  const unsigned long value = (pixel & mask) >> ChannelShift(mask);
  const unsigned long maximum = mask >> ChannelShift(mask);
  return static_cast<std::uint8_t>(maximum == 255 ? value : value * 255 / (maximum == 0 ? 1 : maximum));
}

struct ImageDeleter {
  void operator()(XImage* image) const { XDestroyImage(image); }
};

}  // namespace

XDisplay::XDisplay(const std::string& name, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while ((display_ = XOpenDisplay(name.c_str())) == nullptr) {
    if (std::chrono::steady_clock::now() >= deadline) throw HarnessError("cannot connect to X display " + name);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  int event = 0, error = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(display_, &event, &error, &major, &minor)) {
    XCloseDisplay(display_);
    throw HarnessError("X display " + name + " has no XTest extension");
  }
}

XDisplay::~XDisplay() { XCloseDisplay(display_); }

bool XDisplay::Accepts(const std::string& name) {
  Display* display = XOpenDisplay(name.c_str());
  if (display != nullptr) XCloseDisplay(display);
  return display != nullptr;
}

Image XDisplay::Screenshot() const {
  const Window root = DefaultRootWindow(display_);
  XWindowAttributes attributes{};
  XGetWindowAttributes(display_, root, &attributes);
  std::unique_ptr<XImage, ImageDeleter> shot(
      XGetImage(display_, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap));
  if (!shot) throw HarnessError("XGetImage of the root window failed");
  // Screenshots are taken in polls, many times a second: each pixel is written in place.
  std::vector<std::uint8_t> pixels(static_cast<size_t>(attributes.width) * attributes.height * 3);
  std::uint8_t* out = pixels.data();
  const bool packed32 = shot->bits_per_pixel == 32 && shot->byte_order == LSBFirst && shot->red_mask == 0xff0000 &&
                        shot->green_mask == 0xff00 && shot->blue_mask == 0xff;
  for (int y = 0; y < attributes.height; ++y) {
    const auto* row = reinterpret_cast<const std::uint8_t*>(shot->data) + static_cast<size_t>(y) * shot->bytes_per_line;
    for (int x = 0; x < attributes.width; ++x, out += 3) {
      if (packed32) {  // stored as B, G, R, unused
        out[0] = row[x * 4 + 2];
        out[1] = row[x * 4 + 1];
        out[2] = row[x * 4];
        continue;
      }
      const unsigned long pixel = XGetPixel(shot.get(), x, y);
      out[0] = Channel(pixel, shot->red_mask);
      out[1] = Channel(pixel, shot->green_mask);
      out[2] = Channel(pixel, shot->blue_mask);
    }
  }
  return Image::FromRgb(attributes.width, attributes.height, std::move(pixels));
}

bool XDisplay::CursorVisible() const {
  std::unique_ptr<XFixesCursorImage, int (*)(void*)> cursor(XFixesGetCursorImage(display_), &XFree);
  if (!cursor) throw HarnessError("XFixesGetCursorImage failed");
  const long count = static_cast<long>(cursor->width) * cursor->height;
  for (long i = 0; i < count; ++i)
    if ((cursor->pixels[i] >> 24) != 0) return true;
  return false;
}

XDisplay::Point XDisplay::PointerPosition() const {
  Window rootReturn = 0, child = 0;
  int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
  unsigned int mask = 0;
  XQueryPointer(display_, DefaultRootWindow(display_), &rootReturn, &child, &rootX, &rootY, &windowX, &windowY, &mask);
  return {rootX, rootY};
}

std::string XDisplay::FocusedWindowName() const {
  Window window = 0;
  int revertTo = 0;
  XGetInputFocus(display_, &window, &revertTo);
  const Window root = DefaultRootWindow(display_);
  while (window != None && window != PointerRoot && window != root) {
    char* name = nullptr;
    if (XFetchName(display_, window, &name) != 0 && name != nullptr) {
      const std::string text = name;
      XFree(name);
      return text;
    }
    Window parent = 0, rootReturn = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display_, window, &rootReturn, &parent, &children, &count) == 0) break;
    if (children != nullptr) XFree(children);
    window = parent;
  }
  return {};
}

void XDisplay::Sync() const { XSync(display_, False); }

void XDisplay::FakeKey(KeySymbol key, bool press) const {
  const KeyCode code = XKeysymToKeycode(display_, key);
  if (code == 0) throw HarnessError("the test display's keymap has no key for keysym " + std::to_string(key));
  XTestFakeKeyEvent(display_, code, press ? True : False, CurrentTime);
  Sync();
}

void XDisplay::KeyDown(KeySymbol key) const { FakeKey(key, true); }
void XDisplay::KeyUp(KeySymbol key) const { FakeKey(key, false); }

void XDisplay::TapKey(KeySymbol key, std::initializer_list<KeySymbol> modifiers) const {
  for (KeySymbol modifier : modifiers) KeyDown(modifier);
  KeyDown(key);
  KeyUp(key);
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) KeyUp(*it);
}

void XDisplay::ButtonDown(int button) const {
  XTestFakeButtonEvent(display_, static_cast<unsigned>(button), True, CurrentTime);
  Sync();
}

void XDisplay::ButtonUp(int button) const {
  XTestFakeButtonEvent(display_, static_cast<unsigned>(button), False, CurrentTime);
  Sync();
}

void XDisplay::MovePointer(int x, int y) const {
  XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
  Sync();
}

void XDisplay::Click(int x, int y, int button) const {
  MovePointer(x, y);
  ButtonDown(button);
  ButtonUp(button);
}

}  // namespace lumora::e2e
