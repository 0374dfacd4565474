#pragma once
#include <cstdint>
#include <string>

namespace lumora {

// The family of Windows the program runs on, as the version query reports it.
enum class PlatformKind { Windows9x, WindowsNT, Other };

// The operating system's services that the entry and the saver ask for by name.
class SystemServices {
 public:
  virtual ~SystemServices() = default;
  // A top-level window of the saver's class and title (kSaverWindowClass, kSaverWindowTitle) exists.
  virtual bool SaverWindowExists() = 0;
  // Claims the one saver run of the session for this process, until it ends; false when another process has it.
  virtual bool ClaimSaverRun() = 0;
  // The Windows directory; "c:\windows" when the platform cannot say.
  virtual std::string WindowsDirectory() = 0;
  // The system directory, empty when the platform cannot say.
  virtual std::string SystemDirectory() = 0;
  // Full path of the running executable.
  virtual std::string ExecutablePath() = 0;
  virtual PlatformKind Platform() = 0;
  virtual void SetScreenSaverRunning(bool running) = 0;
  // Raises (true) or lowers (false) the cursor's display count by one.
  virtual void ShowCursor(bool show) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint32_t MillisecondsSinceMidnightUtc() = 0;
  // Milliseconds since some fixed moment, steady for about 49 days: for intervals.
  virtual uint32_t Milliseconds() = 0;
};

// `directory` followed by `libraryName`, with a backslash between them when the directory does not end in one.
std::string LibraryPathIn(const std::string& directory, const std::string& libraryName);

}  // namespace lumora
