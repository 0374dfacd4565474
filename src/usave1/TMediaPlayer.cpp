#include "usave1/TMediaPlayer.h"

namespace lumora {

namespace {

constexpr uint32_t kNotifySuccessful = 1;
constexpr uint32_t kNotifySuperseded = 2;
constexpr uint32_t kNotifyAborted = 4;
constexpr uint32_t kNotifyFailure = 8;

}  // namespace

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
  uint32_t mode = 0;
  if (device_.StatusMode(deviceId_, mode) != 0) return std::nullopt;
  if (mode < kMciModeNotReady || mode > kMciModeOpen) return std::nullopt;
  return static_cast<MPModes>(mode - kMciModeNotReady);
}

void TMediaPlayer::Notified(uint32_t notifyCode) {
  switch (notifyCode) {
    case kNotifySuccessful: notifyValue_ = MPNotifyValue::Successful; break;
    case kNotifySuperseded: notifyValue_ = MPNotifyValue::Superseded; break;
    case kNotifyAborted: notifyValue_ = MPNotifyValue::Aborted; break;
    case kNotifyFailure: notifyValue_ = MPNotifyValue::Failure; break;
    default: break;
  }
}

void TMediaPlayer::RequireOpenDevice() const {
  if (!open_) throw EMCIDeviceError("No MCI device open");
}

std::string TMediaPlayer::ErrorText(uint32_t code) {
  std::string text = device_.ErrorString(code);
  return text.empty() ? "Unknown error code" : text;
}

}  // namespace lumora
