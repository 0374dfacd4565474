#include "support/ThreadWorker.h"

#include <chrono>
#include <utility>

namespace lumora::test {

ThreadWorker::ThreadWorker() : thread_([this] { Serve(); }) {}

ThreadWorker::~ThreadWorker() {
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !ready_ && !running_; });
    stop_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

// What a job held goes on this thread, as it does in the saver's own worker.
void ThreadWorker::Serve() {
  std::unique_lock lock(mutex_);
  while (true) {
    changed_.wait(lock, [this] { return stop_ || ready_; });
    if (stop_) return;
    std::function<void()> job = std::exchange(ready_, nullptr);
    running_ = true;
    lock.unlock();
    job();
    job = nullptr;
    lock.lock();
    running_ = false;
    changed_.notify_all();
  }
}

// With the lock held.
void ThreadWorker::Release() {
  ready_ = std::exchange(held_, nullptr);
  changed_.notify_all();
}

void ThreadWorker::Start(std::function<void()> job) {
  std::unique_lock lock(mutex_);
  ++jobsStarted;
  held_ = std::move(job);
  if (hold) return;
  Release();
  changed_.wait(lock, [this] { return !ready_ && !running_; });
}

bool ThreadWorker::Finished() {
  std::lock_guard lock(mutex_);
  return !held_ && !ready_ && !running_;
}

void ThreadWorker::WaitForJobOrMessage(uint32_t timeoutMs) {
  ++waits;
  if (onWait) onWait();
  std::unique_lock lock(mutex_);
  if (held_) Release();
  changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !ready_ && !running_; });
}

void ThreadWorker::WaitUntilFinished() {
  std::unique_lock lock(mutex_);
  if (held_) Release();
  changed_.wait(lock, [this] { return !ready_ && !running_; });
}

}  // namespace lumora::test
