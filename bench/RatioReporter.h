#pragma once
// The console report of a benchmark run, followed by the ratio of each
// measured benchmark's median time to its baseline's (both measured in the
// same run) against the goal; and the start of every benchmark run of
// bench/ (Initialize). Where both sides carry the counter "CPU" (seconds of
// processor time per iteration, counted by the benchmark itself, say to
// take in a child process or a worker thread), the ratio of their CPU times
// follows against the same goal.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
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

// The processor time of this process, all its threads, and of the children
// it has waited for (a baseline program run through std::system, say).
inline double CpuSeconds() {
  double seconds = 0;
  for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
    rusage use{};
    ::getrusage(who, &use);
    seconds += use.ru_utime.tv_sec + use.ru_stime.tv_sec + (use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
  }
  return seconds;
}

// Counts the CPU time of the timed part of each iteration (between Start
// and Stop) as the counter "CPU", seconds per iteration, that the ratio
// report reads.
class CpuCounter {
 public:
  explicit CpuCounter(benchmark::State& state) : state_(state) {}
  ~CpuCounter() { state_.counters["CPU"] = benchmark::Counter(total_, benchmark::Counter::kAvgIterations); }
  CpuCounter(const CpuCounter&) = delete;
  CpuCounter& operator=(const CpuCounter&) = delete;
  void Start() { start_ = CpuSeconds(); }
  void Stop() { total_ += CpuSeconds() - start_; }

 private:
  benchmark::State& state_;
  double start_ = 0, total_ = 0;
};

// Runs a shell command (a baseline's sqlite3 program, say) with its CPU
// time counted; false when it failed.
inline bool RunCounted(CpuCounter& cpu, const std::string& command) {
  cpu.Start();
  const int status = std::system(command.c_str());
  cpu.Stop();
  return status == 0;
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
      PrintRatio(goal.what.c_str(), "", m->second / b->second, goal.goal);
      auto mc = cpuTimes_.find(goal.measured), bc = cpuTimes_.find(goal.baseline);
      if (mc == cpuTimes_.end() || bc == cpuTimes_.end() || bc->second <= 0) continue;
      PrintRatio("", "CPU time: ", mc->second / bc->second, goal.goal);
    }
  }

 private:
  // A goal of 0 or less: the ratio is reported without a goal.
  static void PrintRatio(const char* what, const char* kind, double ratio, double goal) {
    if (goal <= 0) {
      std::printf("%-26s %smeasured / baseline = %.2f (reported, no goal)\n", what, kind, ratio);
    } else {
      std::printf("%-26s %smeasured / baseline = %.2f (goal at most %.2f)%s\n", what, kind, ratio, goal,
                  ratio <= goal ? "" : "  ABOVE GOAL");
    }
  }


  std::vector<RatioGoal> goals_;
  std::map<std::string, double> times_, cpuTimes_;
};

}  // namespace bench
