// The main of the Google Benchmark programs: runs every registered benchmark
// as interleaved repetitions, keeps the median of each, and hands the medians
// to the program's own mark checks.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace sumvane::bench {

// Repetitions per benchmark; the median is the figure. The machine is shared,
// so the repetitions of all benchmarks are shuffled together: a busy spell
// then spreads over figure and baseline alike.
constexpr int kRepetitions = 15;

// Median wall time per iteration of each benchmark, in milliseconds, by name.
using Medians = std::map<std::string, double>;

class MedianReporter : public benchmark::ConsoleReporter {
 public:
  MedianReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        medians_[run.run_name.function_name] =
            run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  const Medians& Get() const { return medians_; }

 private:
  Medians medians_;
};

// The median of a benchmark that ran; a missing one (filtered out) is
// reported and reads as 0, which no mark accepts.
inline double MedianOf(const Medians& medians, const std::string& name) {
  const auto found = medians.find(name);
  if (found == medians.end()) {
    std::printf("MARK %-44s not measured\n", name.c_str());
    return 0.0;
  }
  return found->second;
}

// Runs the benchmarks with the repetitions shuffled unless the command line
// says otherwise, then the checks.
template <typename Checks>
int RunBenchmarks(int argc, char** argv, Checks checks) {
  std::vector<char*> args(argv, argv + argc);
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave.data());
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::printf("\n");
  checks(reporter.Get());
  return 0;
}

}  // namespace sumvane::bench
