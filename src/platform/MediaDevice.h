#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace lumora {

// What the device is doing, as its mode query reports it.
enum class MediaMode { NotReady, Stopped, Playing, Recording, Seeking, Paused, Open };
// How a play request ended, as its notification reports it.
enum class MediaNotify { Successful, Superseded, Aborted, Failure };

// The platform's media device layer. Each call returns the device layer's result code, 0 for success.
class MediaDevice {
 public:
  virtual ~MediaDevice() = default;
  // Waits for the open; the system picks the device from the file's type. No element when the name is empty.
  virtual uint32_t Open(const std::string& elementName, uint32_t& deviceId) = 0;
  // Returns at once; the end of play is posted to the player's window as a notification.
  virtual uint32_t Play(uint32_t deviceId) = 0;
  virtual uint32_t Stop(uint32_t deviceId) = 0;
  virtual uint32_t Close(uint32_t deviceId) = 0;
  // Nothing when the query fails or reports a mode outside the list.
  virtual std::optional<MediaMode> StatusMode(uint32_t deviceId) = 0;
  // The system's text for an error code, empty when it has none.
  virtual std::string ErrorString(uint32_t code) = 0;
};

}  // namespace lumora
