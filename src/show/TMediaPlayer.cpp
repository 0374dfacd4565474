#include "show/TMediaPlayer.h"

namespace lumora {

TMediaPlayer::~TMediaPlayer() {
  if (open_) device_.Close(deviceId_);
}

void TMediaPlayer::Open() {
  if (open_) Close();
  uint32_t deviceId = 0;
  error_ = device_.Open(FileName, deviceId);
  if (error_ != 0) throw EMCIDeviceError(ErrorText(error_));
  deviceId_ = deviceId;
  open_ = true;
}

void TMediaPlayer::Play() {
  RequireOpenDevice();
  error_ = device_.Play(deviceId_);
}

void TMediaPlayer::Stop() {
  RequireOpenDevice();
  error_ = device_.Stop(deviceId_);
}

void TMediaPlayer::Close() {
  error_ = device_.Close(deviceId_);
  if (error_ == 0) {
    open_ = false;
    deviceId_ = 0;
  }
}

std::optional<MPModes> TMediaPlayer::Mode() {
  if (!open_) return std::nullopt;
  return device_.StatusMode(deviceId_);
}

void TMediaPlayer::RequireOpenDevice() const {
  if (!open_) throw EMCIDeviceError("No MCI device open");
}

std::string TMediaPlayer::ErrorText(uint32_t code) {
  std::string text = device_.ErrorString(code);
  return text.empty() ? "Unknown error code" : text;
}

}  // namespace lumora
