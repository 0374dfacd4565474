#pragma once
// The entry of a benchmark under Wine: one session for the whole run, which Session() hands the harness.
#include <functional>
#include <string>

namespace lumora::e2e {

// Starts the session (LUMORA_E2E_ARCH and LUMORA_E2E_SCREEN as for the e2e tests) and runs `bench` with the number
// of runs (the first argument, 5 when none) and the last argument; a failure is printed after `name`.
int RunBench(int argc, char** argv, const char* name,
             const std::function<int(int runs, const std::string& last)>& bench);

}  // namespace lumora::e2e
