#include "win32/Win32Worker.h"

#include <algorithm>
#include <utility>

#include "win32/CrashGuard.h"

namespace lumora::win32 {

namespace {

// The queue states that Windows 95 and NT 4.0 know: their QS_ALLINPUT. A wait that names any other (raw input
// from XP on, touch and pointer from Windows 8 on, all in today's QS_ALLINPUT) fails at once on older systems.
constexpr DWORD kWindows95QueueStates = 0x00FF;
// Any message for the window's thread ends the wait.
constexpr DWORD kAnyMessage =
    QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_SENDMESSAGE | QS_HOTKEY;
static_assert((kAnyMessage & ~kWindows95QueueStates) == 0, "the wait names a queue state Windows 95 does not know");
// After a wait that failed, the window's thread still must not spin against the worker.
constexpr uint32_t kFailedWaitSleepMs = 10;

}  // namespace

Win32Worker::Win32Worker()
    : jobReady_(CreateEventA(nullptr, FALSE, FALSE, nullptr)), jobDone_(CreateEventA(nullptr, TRUE, TRUE, nullptr)) {
  if (!jobReady_ || !jobDone_) return;
  // Windows 95 refuses CreateThread without somewhere to put the thread's id.
  DWORD id = 0;
  thread_.reset(CreateThread(nullptr, 0, ThreadMain, this, 0, &id));
  // Input and painting come first: on a slow computer a key must not wait behind a decode.
  if (thread_) SetThreadPriority(thread_.get(), THREAD_PRIORITY_BELOW_NORMAL);
}

Win32Worker::~Win32Worker() {
  if (!thread_) return;
  stop_.store(true);
  SetEvent(jobReady_.get());
  if (WaitForSingleObject(thread_.get(), kEndWaitMs) == WAIT_TIMEOUT) EndSaverProcess(0);
}

DWORD WINAPI Win32Worker::ThreadMain(LPVOID self) {
  static_cast<Win32Worker*>(self)->Serve();
  return 0;
}

// The job is handed over through job_: written before jobReady_ is set, read after the thread wakes on it, and
// let go before jobDone_ is set, so that what it held goes on this thread.
void Win32Worker::Serve() {
  while (WaitForSingleObject(jobReady_.get(), INFINITE) == WAIT_OBJECT_0 && !stop_.load()) {
    std::function<void()> job = std::exchange(job_, nullptr);
    job();
    job = nullptr;
    SetEvent(jobDone_.get());
  }
}

void Win32Worker::Start(std::function<void()> job) {
  if (!thread_) {
    job();
    return;
  }
  ResetEvent(jobDone_.get());
  job_ = std::move(job);
  SetEvent(jobReady_.get());
}

bool Win32Worker::Finished() { return !thread_ || WaitForSingleObject(jobDone_.get(), 0) == WAIT_OBJECT_0; }

void Win32Worker::WaitForJobOrMessage(uint32_t timeoutMs) {
  if (!thread_) return;
  HANDLE done = jobDone_.get();
  if (MsgWaitForMultipleObjects(1, &done, FALSE, timeoutMs, kAnyMessage) == WAIT_FAILED)
    Sleep(std::min(timeoutMs, kFailedWaitSleepMs));
}

}  // namespace lumora::win32
