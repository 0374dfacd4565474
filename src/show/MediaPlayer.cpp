#include "show/MediaPlayer.h"

namespace lumora {

MediaPlayer::~MediaPlayer() {
  if (open_) device_.Close(deviceId_);
}

void MediaPlayer::Open(const std::string& fileName) {
  if (open_) Close();
  uint32_t deviceId = 0;
  error_ = device_.Open(fileName, deviceId);
  if (error_ != 0) throw MediaDeviceError(ErrorText(error_));
  deviceId_ = deviceId;
  open_ = true;
}

void MediaPlayer::Play() {
  RequireOpenDevice();
  error_ = device_.Play(deviceId_);
}

void MediaPlayer::Stop() {
  RequireOpenDevice();
  error_ = device_.Stop(deviceId_);
}

void MediaPlayer::Close() {
  error_ = device_.Close(deviceId_);
  if (error_ == 0) {
    open_ = false;
    deviceId_ = 0;
  }
}

std::optional<MediaMode> MediaPlayer::Mode() const {
  if (!open_) return std::nullopt;
  return device_.StatusMode(deviceId_);
}

void MediaPlayer::RequireOpenDevice() const {
  if (!open_) throw MediaDeviceError("No MCI device open");
}

std::string MediaPlayer::ErrorText(uint32_t code) {
  std::string text = device_.ErrorString(code);
  return text.empty() ? "Unknown error code" : text;
}

}  // namespace lumora
