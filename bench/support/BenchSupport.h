// What every benchmark shares: the smoke switch the tests set, and the one
// way a ratio is printed.
#pragma once
#include <benchmark/benchmark.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

// True when the tests run the benchmark once with tiny sizes: it must run
// to the end, and its figures mean nothing.
inline bool BenchSmoke() {
  const char* value = std::getenv("BRQ_BENCH_SMOKE");
  return value && *value && *value != '0';
}

// Picks the full size, or the tiny one in a smoke run.
template <typename T>
T BenchSize(T full, T tiny) {
  return BenchSmoke() ? tiny : full;
}

// One ratio on a line of its own, smaller being better:
// "what: 1.06x (goal 1.5x)"; a ratio without a goal is only reported.
inline void PrintRatio(const char* what, double ratio, double goal = 0) {
  if (goal > 0)
    std::printf("%s: %.2fx (goal %.3gx)\n", what, ratio, goal);
  else
    std::printf("%s: %.2fx\n", what, ratio);
  std::fflush(stdout);
}

// The machine is shared, which only ever adds time: repeated benchmarks
// report the fastest of their runs as the "min" statistic.
inline double Fastest(const std::vector<double>& v) { return v.empty() ? 0 : *std::min_element(v.begin(), v.end()); }

// Keeps, by function name, the fastest run of each repeated benchmark.
class TFastestTimes : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (!run.error_occurred && run.aggregate_name == "min") Times[run.run_name.function_name] = run.GetAdjustedRealTime();
  }
  double Of(const char* name) const {
    auto it = Times.find(name);
    return it == Times.end() ? 0.0 : it->second;
  }
  std::map<std::string, double> Times;
};

// Keeps, by the name before its first "/", the time per iteration of each
// single-run benchmark.
class TIterationTimes : public benchmark::ConsoleReporter {
public:
  std::map<std::string, double> Times;
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration) {
        const std::string name = r.benchmark_name();
        Times[name.substr(0, name.find('/'))] = r.GetAdjustedRealTime();
      }
  }
};
