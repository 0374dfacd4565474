#pragma once
// The entry of a benchmark under Wine: one session for the whole run, which Session() hands the harness.
#include <functional>
#include <string>
#include <vector>

namespace lumora::e2e {

// Starts the session (LUMORA_E2E_ARCH and LUMORA_E2E_SCREEN as for the e2e tests) and runs `bench` with the number
// of runs (the first argument, 5 when none) and the last argument; a failure is printed after `name`. Where
// `screensFor` names screens for the last argument ("1024x768x24"), the bench runs once in a session on each.
int RunBench(int argc, char** argv, const char* name,
             const std::function<int(int runs, const std::string& last)>& bench,
             const std::function<std::vector<std::string>(const std::string& last)>& screensFor = {});

}  // namespace lumora::e2e
