#pragma once
#include <windows.h>

#include <atomic>
#include <functional>

#include "platform/Worker.h"
#include "win32_services/Handles.h"

namespace lumora::win32 {

// One thread made with CreateThread and driven by two events, as Windows 95 and NT 4.0 have them. When the
// thread cannot be made, each job runs at once on the caller's thread.
class Win32Worker : public Worker {
 public:
  Win32Worker();
  // Waits for the job under way (its owner has cancelled it, so a decode stops at its next row) and ends the
  // thread. A job still running after kEndWaitMs (a file that does not answer) ends the process: nothing is let
  // go that it may still use, and the saver never stays on after its show.
  ~Win32Worker();
  static constexpr DWORD kEndWaitMs = 1000;
  Win32Worker(const Win32Worker&) = delete;
  Win32Worker& operator=(const Win32Worker&) = delete;

  void Start(std::function<void()> job) override;
  bool Finished() override;
  void WaitForJobOrMessage(uint32_t timeoutMs) override;

 private:
  static DWORD WINAPI ThreadMain(LPVOID self);
  void Serve();

  UniqueHandle jobReady_;  // auto-reset: a job or the stop is waiting for the thread
  UniqueHandle jobDone_;   // manual-reset: no job is under way
  UniqueHandle thread_;
  std::function<void()> job_;
  std::atomic<bool> stop_{false};
};

}  // namespace lumora::win32
