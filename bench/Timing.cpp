#include "Timing.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>

extern char** environ;

namespace lumora::bench {

namespace {

using Clock = std::chrono::steady_clock;

double Ms(const timeval& time) { return time.tv_sec * 1e3 + time.tv_usec / 1e3; }
double Ms(Clock::duration time) { return std::chrono::duration<double, std::milli>(time).count(); }

Spread Figure(const std::vector<Sample>& samples, double Sample::*field) {
  std::vector<double> values;
  for (const Sample& sample : samples) values.push_back(sample.*field);
  return SpreadOf(values);
}

}  // namespace

Sample TimeInProcess(const std::function<void()>& work) {
  rusage before{}, after{};
  getrusage(RUSAGE_SELF, &before);
  const Clock::time_point start = Clock::now();
  work();
  const double wall = Ms(Clock::now() - start);
  getrusage(RUSAGE_SELF, &after);
  const double cpu = Ms(after.ru_utime) + Ms(after.ru_stime) - Ms(before.ru_utime) - Ms(before.ru_stime);
  return {wall, cpu, after.ru_minflt - before.ru_minflt};
}

Sample TimeProgram(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const Clock::time_point start = Clock::now();
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
    throw std::runtime_error("cannot start " + arguments[0]);
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error(arguments[0] + " failed");
  return {Ms(Clock::now() - start), Ms(usage.ru_utime) + Ms(usage.ru_stime), usage.ru_minflt};
}

Spread SpreadOf(std::vector<double> values) {
  if (values.empty()) return {};
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  const double median = values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
  return {median, values.front(), values.back()};
}

Spread Contender::Wall() const { return Figure(samples, &Sample::wallMs); }
Spread Contender::Cpu() const { return Figure(samples, &Sample::cpuMs); }

void RunInterleaved(std::vector<Contender*> contenders, int runs) {
  for (Contender* contender : contenders) contender->measure();  // a warm-up: files in the cache, code paged in
  for (int run = 0; run < runs; ++run)
    for (Contender* contender : contenders) contender->samples.push_back(contender->measure());
}

Spread RatioOf(const Contender& subject, const Contender& reference) {
  std::vector<double> ratios;
  for (size_t i = 0; i < std::min(subject.samples.size(), reference.samples.size()); ++i)
    ratios.push_back(subject.samples[i].wallMs / reference.samples[i].wallMs);
  return SpreadOf(ratios);
}

void PrintTable(const std::vector<const Contender*>& contenders) {
  std::printf("  %-62s %22s %9s %10s\n", "", "wall ms median [range]", "cpu ms", "new pages");
  for (const Contender* c : contenders) {
    const Spread wall = c->Wall();
    std::printf("  %-62s %7.1f [%6.1f %6.1f] %9.1f %10ld\n", c->name.c_str(), wall.median, wall.low, wall.high,
                c->Cpu().median, c->samples.empty() ? 0 : c->samples.back().newPages);
  }
}

void PrintRatio(const std::string& what, const Spread& ratio, double target) {
  std::printf("%-70s %.3f [%.3f %.3f]", what.c_str(), ratio.median, ratio.low, ratio.high);
  if (target > 0) std::printf("  (target <= %.2f: %s)", target, ratio.median <= target ? "met" : "NOT MET");
  std::printf("\n");
}

}  // namespace lumora::bench
