#pragma once
#include <string>

#include "show/SaverShow.h"
#include "support/FakePlatform.h"
#include "support/RecordingStage.h"
#include "support/ThreadWorker.h"

namespace lumora::test {

// A saver window on fakes, its stage rendered by the compositor and recorded.
struct SaverHarness {
  explicit SaverHarness(int screenWidth = 1024, int screenHeight = 768)
      : stage(screenWidth, screenHeight),
        services{system, files, profiles, system, boxes, stage, passwords, media, worker},
        saverShow(state, services) {}

  std::string IniPath() const { return system.windowsDir + "\\lumora.ini"; }
  SaverSettings ReadSettings() { return ReadSaverSettings(SettingsStore(profiles, IniPath()), files); }
  void WriteIni(const std::string& text) {
    profiles.texts[IniPath()] = text;
    files.Add(IniPath());
  }

  FakeSystem system;
  FakeFileSystem files;
  MemoryProfileFiles profiles;
  FakeMessageBoxes boxes;
  FakePasswords passwords;
  FakeMediaDevice media;
  ThreadWorker worker;
  RecordingStage stage;
  SaverState state;
  SaverServices services;
  SaverShow saverShow;
};

}  // namespace lumora::test
