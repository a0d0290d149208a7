// What every benchmark shares: the smoke switch the tests set, and the one
// way a ratio is printed.
#pragma once
#include <cstdio>
#include <cstdlib>

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
