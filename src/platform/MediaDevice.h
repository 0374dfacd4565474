#pragma once
#include <cstdint>
#include <string>

namespace lumora {

// MCI mode values as the status query reports them.
inline constexpr uint32_t kMciModeNotReady = 524;
inline constexpr uint32_t kMciModeStop = 525;
inline constexpr uint32_t kMciModePlay = 526;
inline constexpr uint32_t kMciModeOpen = 530;

// The platform's media device layer. Each call returns the MCI result, 0 for success.
class MediaDevice {
 public:
  virtual ~MediaDevice() = default;
  // Waits for the open; the system picks the device from the file's type. No element when the name is empty.
  virtual uint32_t Open(const std::string& elementName, uint32_t& deviceId) = 0;
  // Returns at once; the end of play is posted to the player's window as a notification.
  virtual uint32_t Play(uint32_t deviceId) = 0;
  virtual uint32_t Stop(uint32_t deviceId) = 0;
  virtual uint32_t Close(uint32_t deviceId) = 0;
  virtual uint32_t StatusMode(uint32_t deviceId, uint32_t& mode) = 0;
  // The system's text for an error code, empty when it has none.
  virtual std::string ErrorString(uint32_t code) = 0;
};

}  // namespace lumora
