#pragma once

namespace lumora {

// Names Windows knows the program's windows and objects by; the end-to-end tests look for them. A running saver is
// a top-level window of the saver's class and title: a second start looks for it.
inline constexpr const char* kSaverWindowClass = "TForm1";
inline constexpr const char* kSaverWindowTitle = "zurarize";
inline constexpr const char* kSettingsWindowClass = "TForm2";
inline constexpr const char* kDisclaimerWindowClass = "Tfrmdisc";
inline constexpr const char* kMediaPlayerWindowClass = "TMediaPlayer";  // the hidden window the sound device notifies
inline constexpr const char* kPictureWindowClass = "LumoraPicture";
inline constexpr const char* kCoverWindowClass = "LumoraCover";
inline constexpr const char* kPanelWindowClass = "LumoraPanel";
// Held by the session's one running saver (ClaimSaverRun) until its process ends.
inline constexpr const char* kSaverRunMutex = "LumoraScreensaverRun";

}  // namespace lumora
