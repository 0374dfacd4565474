#include "harness/WineProcess.h"

namespace lumora::e2e {

WineProcess::WineProcess(std::string name, const ProcessSpec& launch)
    : name_(std::move(name)), stdoutFile_(launch.stdoutFile), stderrFile_(launch.stderrFile), process_(launch) {}

}  // namespace lumora::e2e
