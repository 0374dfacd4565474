#pragma once
#include <map>
#include <optional>
#include <string>

#include "platform/LumoraError.h"
#include "settings_window/SettingsForm.h"
#include "settings_window/SettingsLayout.h"
#include "support/FakePlatform.h"
#include "support/FakeSettingsView.h"
#include "support/SettingsFiles.h"

namespace lumora::test {

// A file exists exactly when the in-memory profile store holds its text.
class ProfileBackedFiles : public FileSystem {
 public:
  explicit ProfileBackedFiles(MemoryProfileFiles& profiles) : profiles_(profiles) {}
  bool FileExists(const std::string& path) override { return profiles_.texts.count(path) > 0; }
  std::optional<std::vector<uint8_t>> ReadFile(const std::string&, size_t) override { return std::nullopt; }
  std::unique_ptr<FileReader> OpenFile(const std::string&) override { return nullptr; }
  std::optional<FileStamp> Stamp(const std::string&) override { return std::nullopt; }

 private:
  MemoryProfileFiles& profiles_;
};

// The settings window on fakes. Handlers run through Run(), which reports an escaping error the way the
// application's default handler does.
struct SettingsHarness {
  explicit SettingsHarness(int screenWidth = 1024, int screenHeight = 768)
      : view(SettingsFormLayout(), screenWidth, screenHeight), form(state, {system, files, profiles, boxes, view}) {}

  std::string IniPath() const { return system.windowsDir + "\\lumora.ini"; }
  std::string& IniText() { return profiles.texts[IniPath()]; }

  template <class Handler>
  void Run(Handler handler) {
    try {
      handler(form);
    } catch (const LumoraError& error) { boxes.ShowErrorReport(error.what()); }
  }
  void Open() {
    Run([](SettingsForm& f) { f.Open(); });
  }

  FakeSystem system;
  MemoryProfileFiles profiles;
  ProfileBackedFiles files{profiles};
  FakeMessageBoxes boxes;
  FakeSettingsView view;
  SettingsFormState state;
  SettingsForm form;
};

}  // namespace lumora::test
