#pragma once

namespace lumora {

// Names Windows knows the backend's own windows and objects by; the end-to-end tests look for them.
inline constexpr const char* kMediaPlayerWindowClass = "TMediaPlayer";  // the hidden window the sound device notifies
inline constexpr const char* kPictureWindowClass = "LumoraPicture";
inline constexpr const char* kCoverWindowClass = "LumoraCover";
inline constexpr const char* kPanelWindowClass = "LumoraPanel";
// Held by the session's one running saver (ClaimSaverRun) until its process ends.
inline constexpr const char* kSaverRunMutex = "LumoraScreensaverRun";

}  // namespace lumora
