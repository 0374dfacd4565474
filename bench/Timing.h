#pragma once
// Timing for the benchmarks: whole runs of a piece of work in this process or of a program, repeated, with the
// median and the spread of each figure.
#include <functional>
#include <string>
#include <vector>

namespace lumora::bench {

struct Sample {
  double wallMs = 0;
  double cpuMs = 0;   // user + system: steadier than wall time on a busy machine
  long newPages = 0;  // minor page faults: memory the system had to hand over fresh
};

Sample TimeInProcess(const std::function<void()>& work);
// Starts the program, waits for it, and takes its own figures from the system; throws when it fails.
Sample TimeProgram(std::vector<std::string> arguments);

// Median, lowest and highest of one figure over the runs.
struct Spread {
  double median = 0, low = 0, high = 0;
};
Spread SpreadOf(std::vector<double> values);

// Something measured over several runs.
struct Contender {
  std::string name;
  std::function<Sample()> measure;
  std::vector<Sample> samples;

  Spread Wall() const;
  Spread Cpu() const;
};

// Runs alternate between the contenders, so that load from elsewhere on the machine falls on all of them alike.
void RunInterleaved(std::vector<Contender*> contenders, int runs);
// The ratio of two contenders' medians, taken run by run (the median of the runs' ratios), with its spread.
Spread RatioOf(const Contender& subject, const Contender& reference);

void PrintTable(const std::vector<const Contender*>& contenders);
void PrintRatio(const std::string& what, const Spread& ratio, double target = 0);

}  // namespace lumora::bench
