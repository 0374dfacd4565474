#pragma once
#include <cstdint>
#include <string>

namespace lumora {

constexpr int kPlatformWin32Windows = 1;  // Windows 95 and 98
constexpr int kPlatformWin32Nt = 2;

// The operating system's services that the entry and the saver ask for by name.
class SystemServices {
 public:
  virtual ~SystemServices() = default;
  // A top-level window of class "TForm1" titled "zurarize" exists.
  virtual bool SaverWindowExists() = 0;
  // The Windows directory; "c:\windows" when the platform cannot say.
  virtual std::string WindowsDirectory() = 0;
  // The system directory, empty when the platform cannot say.
  virtual std::string SystemDirectory() = 0;
  // Full path of the running executable.
  virtual std::string ExecutablePath() = 0;
  // dwPlatformId as the version query reports it.
  virtual int PlatformId() = 0;
  virtual void SetScreenSaverRunning(bool running) = 0;
  // Raises (true) or lowers (false) the cursor's display count by one.
  virtual void ShowCursor(bool show) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint32_t MillisecondsSinceMidnightUtc() = 0;
};

}  // namespace lumora
