// Timings on a shared machine only ever gain noise, never lose it: a ratio
// benchmark runs several times and reports its fastest run ("_min") with the
// mean, and ratios are taken between the minima.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

inline void Steady(benchmark::internal::Benchmark* b) {
  b->Repetitions(5)
      ->ComputeStatistics("min", [](std::vector<double> const& v) { return *std::min_element(v.begin(), v.end()); })
      ->ReportAggregatesOnly(true);
}

// A budget ratio measured so that noise cannot tilt it: rounds that time
// `calls` of the baseline and then `calls` of the measured operation back to
// back (both see the machine at the same moment), reported as the median of
// the rounds' ratios (measured over baseline) in the counter "ratio".
template <class Baseline, class Measured>
void interleavedRatio(benchmark::State& state, Baseline baseline, Measured measured, int calls = 20000,
                      int rounds = 21) {
  using Clock = std::chrono::steady_clock;
  std::vector<double> ratios;
  for (auto _ : state) {
    ratios.clear();
    for (int r = 0; r < rounds; ++r) {
      auto const t0 = Clock::now();
      for (int i = 0; i < calls; ++i) baseline(i);
      auto const t1 = Clock::now();
      for (int i = 0; i < calls; ++i) measured(i);
      auto const t2 = Clock::now();
      ratios.push_back(std::chrono::duration<double>(t2 - t1).count() /
                       std::chrono::duration<double>(t1 - t0).count());
    }
    std::nth_element(ratios.begin(), ratios.begin() + rounds / 2, ratios.end());
    state.counters["ratio"] = ratios[static_cast<std::size_t>(rounds / 2)];
  }
}
