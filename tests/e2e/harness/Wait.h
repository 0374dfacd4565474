#pragma once
#include <chrono>
#include <thread>

namespace lumora::e2e {

// Polls until the predicate holds; false when the timeout passes first. The predicate is always asked at least
// once more after the deadline, so a slow poll cannot make a late success look like a failure.
template <typename Predicate>
bool WaitFor(Predicate predicate, std::chrono::milliseconds timeout,
             std::chrono::milliseconds interval = std::chrono::milliseconds(50)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    const bool late = std::chrono::steady_clock::now() >= deadline;
    if (predicate()) return true;
    if (late) return false;
    std::this_thread::sleep_for(interval);
  }
}

}  // namespace lumora::e2e
