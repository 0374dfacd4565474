#include "harness/Harness.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/WindowNames.h"

namespace lumora::e2e {

using namespace std::chrono_literals;

WineProcess StartScr(const std::vector<std::string>& args, const WineRunOptions& options,
                     const std::filesystem::path& scr) {
  const std::filesystem::path program = scr.empty() ? Session().ScrPath() : scr;
  return Session().Start(ToWindowsPath(program), args, options);
}

int RunScr(const std::vector<std::string>& args, std::chrono::milliseconds timeout, const WineRunOptions& options,
           const std::filesystem::path& scr) {
  WineProcess process = StartScr(args, options, scr);
  if (auto code = process.Wait(timeout)) return *code;
  process.Kill();
  std::string command;
  for (const auto& arg : args) command += " " + arg;
  ADD_FAILURE() << process.Name() << command << " did not end within " << timeout.count()
                << " ms and was killed; stderr in " << process.StderrFile();
  return -1;
}

void WaitUntilNoSaverRuns() {
  constexpr std::chrono::seconds kTimeout{10};
  try {
    WaitFor([] { return !Inspector(Session()).MutexExists(kSaverRunMutex); }, kTimeout);
  } catch (const HarnessError&) {
    // The next saver's own checks say what went wrong.
  }
}

std::filesystem::path CopyScr(const std::filesystem::path& folder, const std::string& fileName) {
  std::filesystem::create_directories(folder);
  const auto copy = folder / fileName;
  std::filesystem::copy_file(Session().ScrPath(), copy, std::filesystem::copy_options::overwrite_existing);
  return copy;
}

Image Screenshot() { return Session().X().Screenshot(); }
void SaveForReadme(const Rect& bounds, const std::string& fileName) {
  const char* folder = std::getenv("LUMORA_E2E_SCREENSHOTS");
  if (folder == nullptr) return;
  Image shot = Screenshot().Crop(bounds);
  int unchanged = 0;
  WaitFor(
      [&] {
        const Image again = Screenshot().Crop(bounds);
        unchanged = CountDifferences(again, again.Bounds(), shot) == 0 ? unchanged + 1 : 0;
        shot = again;
        return unchanged >= 8;
      },
      30s, 250ms);
  shot.SavePng(std::filesystem::path(folder) / fileName);
}

bool CursorVisible() { return Session().X().CursorVisible(); }
void TapKey(KeySymbol key, std::initializer_list<KeySymbol> modifiers) { Session().X().TapKey(key, modifiers); }
void KeyDown(KeySymbol key) { Session().X().KeyDown(key); }
void KeyUp(KeySymbol key) { Session().X().KeyUp(key); }
void MovePointer(int x, int y) { Session().X().MovePointer(x, y); }
void ButtonDown(int button) { Session().X().ButtonDown(button); }
void ButtonUp(int button) { Session().X().ButtonUp(button); }
void Click(int x, int y, int button) { Session().X().Click(x, y, button); }

}  // namespace lumora::e2e
