#pragma once
#include <map>
#include <optional>
#include <string>

#include "fakes/FakePlatform.h"
#include "fakes/FakeSettingsView.h"
#include "settings/LumoraError.h"
#include "usave2/SettingsLayout.h"
#include "usave2/TForm2.h"

namespace lumora::test {

// A file exists exactly when the in-memory profile store holds its text.
class ProfileBackedFiles : public FileSystem {
 public:
  explicit ProfileBackedFiles(MemoryProfileFiles& profiles) : profiles_(profiles) {}
  bool FileExists(const std::string& path) override { return profiles_.texts.count(path) > 0; }
  std::optional<std::vector<uint8_t>> ReadFile(const std::string&, size_t) override { return std::nullopt; }

 private:
  MemoryProfileFiles& profiles_;
};

// Settings text with the given Options lines ("Key=value" joined by CRLF) and both lists: the slots named in
// the maps hold their value, or are left out of the file when it is nothing; every other slot is "Null".
using SlotValues = std::map<int, std::optional<std::string>>;
inline std::string SettingsText(const std::string& optionLines, const SlotValues& pictures = {},
                                const SlotValues& sounds = {}) {
  std::string text = "[Options]\r\n" + optionLines;
  auto list = [&](const char* section, const SlotValues& values) {
    text += std::string("[") + section + "]\r\n";
    for (int slot = 1; slot <= kSlotCount; ++slot) {
      auto found = values.find(slot);
      if (found == values.end())
        text += SlotKey(slot) + "=Null\r\n";
      else if (found->second)
        text += SlotKey(slot) + "=" + *found->second + "\r\n";
    }
  };
  list(kPictureSection, pictures);
  list(kSoundSection, sounds);
  return text;
}

// The settings window on fakes. Handlers run through Run(), which reports an escaping error the way the
// application's default handler does.
struct SettingsHarness {
  explicit SettingsHarness(int screenWidth = 1024, int screenHeight = 768)
      : view(SettingsForm(), screenWidth, screenHeight), form(state, {system, files, profiles, boxes, view}) {}

  std::string IniPath() const { return system.windowsDir + "\\lumora.ini"; }
  std::string& IniText() { return profiles.texts[IniPath()]; }

  template <class Handler>
  void Run(Handler handler) {
    try {
      handler(form);
    } catch (const LumoraError& error) {
      boxes.ShowErrorReport(error.what());
    }
  }
  void Open() {
    Run([](TForm2& f) { f.FormCreate(); });
  }

  FakeSystem system;
  MemoryProfileFiles profiles;
  ProfileBackedFiles files{profiles};
  FakeMessageBoxes boxes;
  FakeSettingsView view;
  TForm2State state;
  TForm2 form;
};

}  // namespace lumora::test
