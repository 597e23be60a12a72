// Timings on a shared machine only ever gain noise, never lose it: a ratio
// benchmark runs several times and reports its fastest run ("_min") with the
// mean, and ratios are taken between the minima.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

inline void Steady(benchmark::internal::Benchmark* b) {
  b->Repetitions(5)
      ->ComputeStatistics("min", [](std::vector<double> const& v) { return *std::min_element(v.begin(), v.end()); })
      ->ReportAggregatesOnly(true);
}
