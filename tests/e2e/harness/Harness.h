#pragma once
// Everything a test under Wine needs: the session, the Windows-side programs, the screen and synthetic input.
#include <chrono>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "harness/Image.h"
#include "harness/Inspector.h"
#include "harness/TestDlls.h"
#include "harness/Wait.h"
#include "harness/WindowsFiles.h"
#include "harness/WineSession.h"

namespace lumora::e2e {

// The run's session, started once before the first test.
WineSession& Session();

// lumora.scr (or a copy made by CopyScr) with the given arguments, e.g. {"/S"} or {"/c:1234"}.
WineProcess StartScr(const std::vector<std::string>& args, const WineRunOptions& options = {},
                     const std::filesystem::path& scr = {});
// Runs it to its end and returns the exit code; on a timeout the test fails, the program is killed, -1 comes back.
int RunScr(const std::vector<std::string>& args, std::chrono::milliseconds timeout, const WineRunOptions& options = {},
           const std::filesystem::path& scr = {});
// Waits until no saver holds its claim on the show. Wine lets go of a process's objects a moment after the process
// itself has ended, thread by thread: a saver started before then finds the claim and ends at once, as a second
// saver must. Every test that ends a saver calls this before the next one starts.
void WaitUntilNoSaverRuns();
// Copies lumora.scr into the folder under another name (the program names its settings file after itself).
std::filesystem::path CopyScr(const std::filesystem::path& folder, const std::string& fileName);

Image Screenshot();
// With LUMORA_E2E_SCREENSHOTS=DIR, that part of the screen (a window inside its frame, or with it), as the README
// shows it, once it has looked the same for two seconds.
void SaveForReadme(const Rect& bounds, const std::string& fileName);
bool CursorVisible();  // the X cursor under the pointer has an opaque pixel
void TapKey(KeySymbol key, std::initializer_list<KeySymbol> modifiers = {});
void KeyDown(KeySymbol key);
void KeyUp(KeySymbol key);
void MovePointer(int x, int y);
void ButtonDown(int button);  // 1 left, 2 middle, 3 right
void ButtonUp(int button);
void Click(int x, int y, int button = 1);

}  // namespace lumora::e2e
