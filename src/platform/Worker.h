#pragma once
#include <cstdint>
#include <functional>

namespace lumora {

// A second thread for work that must not hold up the window's messages: one job at a time.
class Worker {
 public:
  virtual ~Worker() = default;
  // Hands `job` to the worker, which runs it apart from the window's thread; it may have returned by the time Start
  // does (a test's worker waits for it). Called only once the job before has returned.
  virtual void Start(std::function<void()> job) = 0;
  // The job last started has returned; true when none was started.
  virtual bool Finished() = 0;
  // Returns once the job has returned, a message waits for the window's thread, or `timeoutMs` have passed.
  virtual void WaitForJobOrMessage(uint32_t timeoutMs) = 0;
};

}  // namespace lumora
