#pragma once
#include <functional>
#include <optional>
#include <string>

#include "compositor/Compositor.h"

namespace lumora::test {

// The saver window on the compositor, recording what the saver asked of it besides drawing.
class RecordingStage : public Compositor {
 public:
  using Compositor::Compositor;

  void SetBackground(Rgb colour) override {
    background = colour;
    Compositor::SetBackground(colour);
  }
  void ShowInfoLabel(const std::string& caption) override { infoLabel = caption; }
  void SetTimer(bool enabled, int intervalMs) override {
    timerEnabled = enabled;
    timerInterval = intervalMs;
  }
  void InstallInputHook() override { hookInstalled = true; }
  void ProcessMessages() override {
    ++processMessagesCalls;
    if (onProcessMessages) onProcessMessages();
  }
  void Close() override { closed = true; }

  Rgb background{};
  std::optional<std::string> infoLabel;
  bool timerEnabled = false;
  int timerInterval = 0;
  bool hookInstalled = false;
  bool closed = false;
  int processMessagesCalls = 0;
  // Runs inside ProcessMessages, standing in for the messages that would be handled there.
  std::function<void()> onProcessMessages;
};

}  // namespace lumora::test
