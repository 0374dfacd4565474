#pragma once
// What the harness's test window (testwindow.exe) is made of, for the program and for the tests that look at it.

namespace lumora::test_window {

inline constexpr char kClassName[] = "LumoraHarnessWindow";
inline constexpr char kTitle[] = "Lumora harness window";
inline constexpr unsigned char kRed = 200, kGreen = 40, kBlue = 160;  // its background

}  // namespace lumora::test_window
