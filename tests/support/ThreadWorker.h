#pragma once
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/Worker.h"

namespace lumora::test {

// The worker seam on a real second thread, so that the sanitizers see what the two threads share. A job runs on
// that thread while Start waits for it, so that a test sees the same steps every run; unless told to hold it: a
// held job starts when the window first waits for it, after `onWait` (which may change the files or send input
// meanwhile), and then runs beside the window's thread.
class ThreadWorker : public Worker {
 public:
  ThreadWorker();
  // Waits for the job under way, and ends the thread.
  ~ThreadWorker() override;
  ThreadWorker(const ThreadWorker&) = delete;
  ThreadWorker& operator=(const ThreadWorker&) = delete;

  void Start(std::function<void()> job) override;
  bool Finished() override;
  void WaitForJobOrMessage(uint32_t timeoutMs) override;
  // Returns once the job started last has run; a held one is let go first.
  void WaitUntilFinished();

  bool hold = false;
  std::function<void()> onWait;
  int jobsStarted = 0;
  int waits = 0;

 private:
  void Serve();
  void Release();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::function<void()> held_;   // started, waiting for the window to wait for it
  std::function<void()> ready_;  // handed to the thread
  bool running_ = false;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace lumora::test
