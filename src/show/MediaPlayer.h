#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/LumoraError.h"
#include "platform/MediaDevice.h"

namespace lumora {

class MediaDeviceError : public LumoraError {
 public:
  using LumoraError::LumoraError;
};

// The saver's hidden media player: one MCI device at a time, opened by file name with the device chosen from
// the file's type, played with an end-of-play notification.
class MediaPlayer {
 public:
  explicit MediaPlayer(MediaDevice& device) : device_(device) {}
  ~MediaPlayer();
  MediaPlayer(const MediaPlayer&) = delete;
  MediaPlayer& operator=(const MediaPlayer&) = delete;

  // Opens the device for `fileName`, closing the open one first. Raises MediaDeviceError with the system's text when
  // the open fails.
  void Open(const std::string& fileName);
  // Raise "No MCI device open" without a device; a refused play or stop is only stored in Error().
  void Play();
  void Stop();
  void Close();
  // Nothing when no device is open or the device cannot say.
  std::optional<MediaMode> Mode() const;
  // The device's end-of-play notification arrived.
  void Notified(MediaNotify outcome) { notifyValue_ = outcome; }

  bool IsOpen() const { return open_; }
  uint32_t Error() const { return error_; }
  std::optional<MediaNotify> NotifyValue() const { return notifyValue_; }

 private:
  void RequireOpenDevice() const;
  std::string ErrorText(uint32_t code);

  MediaDevice& device_;
  bool open_ = false;
  uint32_t deviceId_ = 0;
  uint32_t error_ = 0;
  std::optional<MediaNotify> notifyValue_;
};

}  // namespace lumora
