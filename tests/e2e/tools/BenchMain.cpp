#include "BenchMain.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "harness/Harness.h"

namespace lumora::e2e {

namespace {

WineSession* runningSession = nullptr;

}  // namespace

WineSession& Session() {
  if (runningSession == nullptr) throw HarnessError("the Wine session is not running");
  return *runningSession;
}

int RunBench(int argc, char** argv, const char* name,
             const std::function<int(int runs, const std::string& last)>& bench) {
  const int runs = argc > 1 && std::atoi(argv[1]) > 0 ? std::atoi(argv[1]) : 5;
  const std::string last = argc > 1 ? argv[argc - 1] : "";
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  try {
    auto running = std::make_unique<WineSession>(ConfigFromBuild());
    runningSession = running.get();
    const int result = bench(runs, last);
    runningSession = nullptr;
    return result;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", name, error.what());
    return 1;
  }
}

}  // namespace lumora::e2e
