#pragma once
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/MediaDevice.h"
#include "platform/MessageBoxes.h"
#include "platform/PasswordServices.h"
#include "platform/ProfileFiles.h"
#include "platform/SystemServices.h"
#include "portable/IniText.h"

namespace lumora::test {

// Records what the core asked of the operating system; every answer is settable.
class FakeSystem : public SystemServices, public Clock {
 public:
  bool SaverWindowExists() override { return saverWindowExists; }
  bool ClaimSaverRun() override { return saverRunFree; }
  std::string WindowsDirectory() override { return windowsDir; }
  std::string SystemDirectory() override { return systemDir; }
  std::string ExecutablePath() override { return executablePath; }
  PlatformKind Platform() override { return platform; }
  void SetScreenSaverRunning(bool running) override {
    if (onScreenSaverRunning) onScreenSaverRunning(running);
    screenSaverRunning = running;
    events.push_back(running ? "saver-running" : "saver-stopped");
  }
  void ShowCursor(bool show) override {
    cursorCount += show ? 1 : -1;
    events.push_back(show ? "show-cursor" : "hide-cursor");
  }
  uint32_t MillisecondsSinceMidnightUtc() override { return milliseconds; }
  uint32_t Milliseconds() override { return steadyMilliseconds; }

  bool saverWindowExists = false;
  bool saverRunFree = true;  // no other process has claimed the saver run
  std::string windowsDir = "C:\\WINDOWS";
  std::string systemDir = "C:\\WINDOWS\\SYSTEM";
  std::string executablePath = "C:\\SAVERS\\lumora.scr";
  PlatformKind platform = PlatformKind::WindowsNT;
  uint32_t milliseconds = 0;
  uint32_t steadyMilliseconds = 0;
  bool screenSaverRunning = false;
  int cursorCount = 0;  // 0 shown; below 0 hidden
  std::vector<std::string> events;
  std::function<void(bool)> onScreenSaverRunning;
};

class FakeFileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override { return files.count(path) > 0; }
  std::optional<std::vector<uint8_t>> ReadFile(const std::string& path, size_t maxBytes) override;
  // A copy of the file's bytes as they are now, read a piece at a time.
  std::unique_ptr<FileReader> OpenFile(const std::string& path) override;
  // The size, and the bytes' sum in place of a time: a file given other bytes has another stamp.
  std::optional<FileStamp> Stamp(const std::string& path) override;

  void Add(const std::string& path, std::vector<uint8_t> bytes = {}) { files[path] = std::move(bytes); }
  std::map<std::string, std::vector<uint8_t>> files;
  std::vector<std::string> reads;  // each ReadFile and OpenFile
  size_t bytesRead = 0;            // through the readers OpenFile made
  std::function<void()> onOpen;    // runs as a file is opened or read, after `reads` took the path
  std::function<void()> onStamp;   // runs as a file's stamp is asked
};

// INI files held in memory with the same text rules as the files on disk.
class MemoryProfileFiles : public ProfileFiles {
 public:
  std::string ReadText(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& fallback) override;
  bool WriteText(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value) override;

  std::map<std::string, std::string> texts;
  // Writes beyond this many are refused.
  int writesAllowed = 1 << 30;
  std::vector<std::string> writes;  // "section/key=value"

 private:
  IniDocument& Document(const std::string& path);
  std::map<std::string, std::pair<std::string, IniDocument>> parsed_;
};

struct ShownBox {
  BoxKind kind;
  std::string text;
  BoxButtons buttons;
};

class FakeMessageBoxes : public MessageBoxes {
 public:
  bool Show(BoxKind kind, const std::string& text, BoxButtons buttons) override {
    shown.push_back({kind, text, buttons});
    return answerOk;
  }
  void ShowErrorReport(const std::string& text) override { errorReports.push_back(ErrorReportText(text)); }

  std::vector<ShownBox> shown;
  std::vector<std::string> errorReports;
  bool answerOk = true;
};

class FakePasswords : public PasswordServices {
 public:
  void ChangePassword(const std::string& libraryPath) override { changeCalls.push_back(libraryPath); }
  std::optional<bool> VerifyPassword(const std::string& libraryPath) override;
  std::optional<uint32_t> ScreenSaveUsePassword() override { return usePassword; }

  std::optional<uint32_t> usePassword;
  // Answers of the password dialog in order; nothing stands for a missing library or entry point.
  std::deque<std::optional<bool>> answers;
  std::vector<std::string> changeCalls;
  std::vector<std::string> verifyCalls;
  // Runs while the password dialog is open, standing in for the messages its own loop handles.
  std::function<void()> whileDialogOpen;
};

// An MCI device: each file named in `unplayable` fails to open; Play refuses with `playResult`.
class FakeMediaDevice : public MediaDevice {
 public:
  uint32_t Open(const std::string& elementName, uint32_t& deviceId) override;
  uint32_t Play(uint32_t deviceId) override;
  uint32_t Stop(uint32_t deviceId) override;
  uint32_t Close(uint32_t deviceId) override;
  std::optional<MediaMode> StatusMode(uint32_t deviceId) override;
  std::string ErrorString(uint32_t code) override { return code == 263 ? "The specified device is not open." : ""; }

  // The sound playing now ends by itself.
  void FinishPlaying() { mode = MediaMode::Stopped; }

  std::vector<std::string> unopenable;
  uint32_t openError = 263;
  uint32_t playResult = 0;
  MediaMode mode = MediaMode::Stopped;
  uint32_t nextDeviceId = 1;
  std::optional<uint32_t> openDevice;
  std::vector<std::string> calls;  // "open FILE", "play", "stop", "close"
};

}  // namespace lumora::test
