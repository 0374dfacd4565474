// The demo's eyes and hands on an X display: "shot DISPLAY FILE.png" saves the screen, "key DISPLAY" presses
// Escape (which ends a running show).
#include <X11/keysym.h>

#include <cstdio>
#include <exception>
#include <string>

#include "harness/XDisplay.h"

int main(int argc, char** argv) {
  const std::string command = argc > 2 ? argv[1] : "";
  try {
    if (command == "shot" && argc == 4) {
      lumora::e2e::XDisplay display(argv[2], std::chrono::seconds(5));
      display.Screenshot().SavePng(argv[3]);
      return 0;
    }
    if (command == "key" && argc == 3) {
      lumora::e2e::XDisplay display(argv[2], std::chrono::seconds(5));
      display.TapKey(XK_Escape);
      return 0;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  std::fprintf(stderr, "usage: %s shot DISPLAY FILE.png | key DISPLAY\n", argv[0]);
  return 2;
}
