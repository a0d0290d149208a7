// Benchmarks registered with BENCH_FASTEST run five times and report the
// fastest run, whose CPU time this reporter keeps by benchmark name
// ("Name/arg" for benchmarks with an argument): the machine is shared, and
// a busy spell only ever adds time, to wall-clock time most.
#pragma once
#include <benchmark/benchmark.h>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

inline double FastestOf(const std::vector<double>& v) {
  return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

#define BENCH_FASTEST(function) \
  BENCHMARK(function)->Repetitions(5)->ReportAggregatesOnly(true)->ComputeStatistics("fastest", FastestOf)

class TFastestReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (!run.error_occurred && run.aggregate_name == "fastest") {
        const std::string& args = run.run_name.args;
        FTimes[run.run_name.function_name + (args.empty() ? "" : "/" + args)] = run.GetAdjustedCPUTime();
      }
  }
  // 0 when the benchmark did not run.
  double Time(const std::string& name) const {
    auto it = FTimes.find(name);
    return it == FTimes.end() ? 0 : it->second;
  }

private:
  std::map<std::string, double> FTimes;
};
