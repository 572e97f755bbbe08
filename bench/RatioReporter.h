#pragma once
// The console report of a benchmark run, followed by the ratio of each
// measured benchmark's median time to its baseline's (both measured in the
// same run) against the goal; and the start of every benchmark run of
// bench/ (Initialize). Where both sides carry the counter "CPU" (seconds of
// processor time per iteration, counted by the benchmark itself, say to
// take in a child process or a worker thread), the ratio of their CPU times
// follows against the same goal.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {

// Starts the benchmark library as every benchmark here runs: with the
// repetitions of all benchmarks interleaved at random (Google Benchmark's
// --benchmark_enable_random_interleaving), so that a measured side and its
// baseline share the machine's noise. A flag given on the command line
// still decides, since it comes later.
inline void Initialize(int* argc, char** argv) {
  static char interleave[] = "--benchmark_enable_random_interleaving=true";
  static std::vector<char*> args;
  args.assign(argv, argv + *argc);
  args.insert(args.begin() + (args.empty() ? 0 : 1), interleave);
  args.push_back(nullptr);
  int count = static_cast<int>(args.size()) - 1;
  benchmark::Initialize(&count, args.data());
}

struct RatioGoal {
  std::string what;
  std::string measured;  // benchmark names
  std::string baseline;
  double goal;  // the ratio that must not be exceeded; 0 for a ratio only reported
};

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  explicit RatioReporter(std::vector<RatioGoal> goals) : goals_(std::move(goals)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
      {
        times_[run.run_name.function_name] = run.GetAdjustedRealTime();
        if (auto cpu = run.counters.find("CPU"); cpu != run.counters.end())
          cpuTimes_[run.run_name.function_name] = cpu->second.value;
      }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const RatioGoal& goal : goals_) {
      auto m = times_.find(goal.measured), b = times_.find(goal.baseline);
      if (m == times_.end() || b == times_.end() || b->second <= 0) continue;
      const double ratio = m->second / b->second;
      if (goal.goal <= 0) {
        std::printf("%-26s measured / baseline = %.2f (reported, no goal)\n", goal.what.c_str(), ratio);
        continue;
      }
      std::printf("%-26s measured / baseline = %.2f (goal at most %.2f)%s\n", goal.what.c_str(), ratio, goal.goal,
                  ratio <= goal.goal ? "" : "  ABOVE GOAL");
      auto mc = cpuTimes_.find(goal.measured), bc = cpuTimes_.find(goal.baseline);
      if (mc == cpuTimes_.end() || bc == cpuTimes_.end() || bc->second <= 0) continue;
      const double cpuRatio = mc->second / bc->second;
      std::printf("%-26s CPU time: measured / baseline = %.2f (goal at most %.2f)%s\n", "", cpuRatio, goal.goal,
                  cpuRatio <= goal.goal ? "" : "  ABOVE GOAL");
    }
  }

 private:
  std::vector<RatioGoal> goals_;
  std::map<std::string, double> times_, cpuTimes_;
};

}  // namespace bench
