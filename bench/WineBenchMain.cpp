#include "WineBenchMain.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "harness/Harness.h"
#include "harness/WineSession.h"
#include "harness/Xvfb.h"

namespace lumora::e2e {

namespace {

WineSession* runningSession = nullptr;

}  // namespace

WineSession& Session() {
  if (runningSession == nullptr) throw HarnessError("the Wine session is not running");
  return *runningSession;
}

int RunBench(int argc, char** argv, const char* name,
             const std::function<int(int runs, const std::string& last)>& bench,
             const std::function<std::vector<std::string>(const std::string& last)>& screensFor) {
  const int runs = argc > 1 && std::atoi(argv[1]) > 0 ? std::atoi(argv[1]) : 5;
  const std::string last = argc > 1 ? argv[argc - 1] : "";
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  try {
    std::vector<SessionConfig> configs{ConfigFromBuild()};
    if (screensFor) {
      const std::vector<std::string> screens = screensFor(last);
      if (!screens.empty()) configs.assign(screens.size(), configs.front());
      for (size_t i = 0; i < screens.size(); ++i) configs[i].screen = ParseScreenSize(screens[i]);
    }
    for (const SessionConfig& config : configs) {
      auto running = std::make_unique<WineSession>(config);
      runningSession = running.get();
      const int result = bench(runs, last);
      runningSession = nullptr;
      if (result != 0) return result;
    }
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", name, error.what());
    return 1;
  }
}

}  // namespace lumora::e2e
