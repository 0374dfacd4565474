#include "harness/WineProcess.h"

namespace lumora::e2e {

WineProcess::WineProcess(std::string name, const ProcessSpec& spec)
    : name_(std::move(name)), stdoutFile_(spec.stdoutFile), stderrFile_(spec.stderrFile), process_(spec) {}

}  // namespace lumora::e2e
