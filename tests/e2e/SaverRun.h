#pragma once
// What the product's end-to-end tests share: settings files and pictures in the prefix, a running saver, and the
// frame the core renders for the same settings, to compare screenshots with.
#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "harness/Harness.h"
#include "image/Picture.h"
#include "platform/WindowNames.h"
#include "support/SettingsFiles.h"

namespace lumora::e2e {

// Files the show reads, put under C:\lumora-files in the prefix and remembered by their Windows paths.
class ShowFiles {
 public:
  ShowFiles();
  // Written as a bitmap (.bmp) or a JPEG (.jpg) by its name; returns the Windows path.
  std::string AddPicture(const std::string& fileName, const lumora::Picture& picture);
  std::string AddFile(const std::string& fileName, const std::vector<uint8_t>& bytes);
  // A file already in the prefix, under the Windows path the settings file names it by.
  void Include(const std::string& windowsPath, std::vector<uint8_t> bytes) { files_[windowsPath] = std::move(bytes); }
  const std::map<std::string, std::vector<uint8_t>>& Files() const { return files_; }

 private:
  std::map<std::string, std::vector<uint8_t>> files_;
};

// The screen the core's compositor renders after `ticks` ticks of a saver with these settings and files.
Image ExpectedFrame(const std::string& settingsText, const ShowFiles& files, int ticks);
Image ToImage(const lumora::Picture& frame);

// lumora.scr /S for one test; killed at the end if still running.
class RunningSaver {
 public:
  explicit RunningSaver(const WineRunOptions& options = {}, const std::vector<std::string>& args = {"/S"});
  ~RunningSaver();
  RunningSaver(const RunningSaver&) = delete;
  RunningSaver& operator=(const RunningSaver&) = delete;

  // The saver window, once it exists.
  Hwnd WaitForWindow(std::chrono::milliseconds timeout = std::chrono::seconds(30));
  WineProcess& Process() { return process_; }
  std::optional<int> WaitForExit(std::chrono::milliseconds timeout) { return process_.Wait(timeout); }

 private:
  WineProcess process_;
};

// Polls the screen until its top-left part (the primary monitor) shows `expected` exactly, or the timeout passes;
// returns the last screenshot.
Image WaitForScreen(const Image& expected, std::chrono::milliseconds timeout);

// The dialog or message box whose text holds `words`, once it shows in the foreground with the keyboard's focus,
// where keys reach it; throws when none does within a minute.
DialogInfo WaitForDialogSaying(Inspector& inspector, const std::string& words);

// C:\Albums, the first folder of C:, made afresh: a.jpg and b.bmp, trip\c.jpg, and notes.txt beside them.
void WriteAlbums();
// In the system's folder dialog, with the focus on its OK button: to the folder tree, My Computer, and down
// through (C:) to its first folder, each opened on the way.
void SelectFirstFolderOfDriveC();

// Clicks the OK button of the message box with this caption; false when there is none.
bool PressOkOn(const std::string& caption);

// Windows 98 as far as the saver can tell, with the test's PASSWORD.CPL in the system directory and the
// password setting as given (none: no setting), for the object's lifetime.
class Windows98 {
 public:
  explicit Windows98(std::optional<std::string> usePassword, const std::string& type = "REG_DWORD");
  ~Windows98();
  Windows98(const Windows98&) = delete;
  Windows98& operator=(const Windows98&) = delete;

 private:
  SystemFileInstall passwordCpl_;
};

}  // namespace lumora::e2e
