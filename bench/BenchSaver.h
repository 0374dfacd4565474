#pragma once
// A saver window for the benchmarks: TForm1 on the machine's own files, its stage rendered by the compositor,
// with no sound, passwords or message boxes.
#include <string>

#include "portable/PortableFileSystem.h"
#include "portable/PortableProfileFiles.h"
#include "compositor/Compositor.h"
#include "show/TForm1.h"

namespace lumora::bench {

class QuietSystem : public SystemServices, public Clock {
 public:
  explicit QuietSystem(std::string windowsDir) : windowsDir_(std::move(windowsDir)) {}
  bool SaverWindowExists() override { return false; }
  bool ClaimSaverRun() override { return true; }
  std::string WindowsDirectory() override { return windowsDir_; }
  std::string SystemDirectory() override { return windowsDir_; }
  std::string ExecutablePath() override { return "lumora.scr"; }
  PlatformKind Platform() override { return PlatformKind::WindowsNT; }
  void SetScreenSaverRunning(bool) override {}
  void ShowCursor(bool) override {}
  uint32_t MillisecondsSinceMidnightUtc() override { return 0; }

 private:
  std::string windowsDir_;
};

class QuietBoxes : public MessageBoxes {
 public:
  bool Show(BoxKind, const std::string&, BoxButtons) override { return true; }
  void ShowErrorReport(const std::string&) override {}
};

class NoPasswords : public PasswordServices {
 public:
  void ChangePassword(const std::string&) override {}
  std::optional<bool> VerifyPassword(const std::string&) override { return std::nullopt; }
  std::optional<uint32_t> ScreenSaveUsePassword() override { return std::nullopt; }
};

// Every sound fails to open, so the saver turns sound off.
class NoSound : public MediaDevice {
 public:
  uint32_t Open(const std::string&, uint32_t&) override { return 1; }
  uint32_t Play(uint32_t) override { return 1; }
  uint32_t Stop(uint32_t) override { return 1; }
  uint32_t Close(uint32_t) override { return 0; }
  std::optional<MediaMode> StatusMode(uint32_t) override { return std::nullopt; }
  std::string ErrorString(uint32_t) override { return ""; }
};

// The saver reading `folder`/lumora.ini, shown on a screen of the given size.
struct BenchSaver {
  BenchSaver(const std::string& folder, int screenWidth, int screenHeight)
      : system(folder), stage(screenWidth, screenHeight),
        form(state, SaverServices{system, files, profiles, system, boxes, stage, passwords, media}) {}

  QuietSystem system;
  PortableFileSystem files;
  PortableProfileFiles profiles;
  QuietBoxes boxes;
  NoPasswords passwords;
  NoSound media;
  Compositor stage;
  SaverState state;
  TForm1 form;
};

}  // namespace lumora::bench
