// Start-up costs: loading the module, populating the package on its first
// lookup, and the first initialisation of a class. Each can happen once per
// process, so each benchmark runs one iteration and the loop over classes
// gives an average first initialisation.
#include <quillon/host.hpp>

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// The whole start-up in one cold process: loading, populating, and the first
// description of every class of the package (which initialises it). Run it
// alone (--benchmark_filter=WholePackage) for a cold figure.
void BM_WholePackageCold(benchmark::State& state) {
  quillon::Host host;
  for (auto _ : state) {
    auto const start = Clock::now();
    host.load("mm_types_xb");
    std::vector<std::string> const classes = host.describePackage("Zorvan.metamodel.types").classes;
    for (std::string const& c : classes) benchmark::DoNotOptimize(host.describeClass(c));
    state.SetIterationTime(seconds(start));
    state.counters["classes"] = double(classes.size());
  }
}
BENCHMARK(BM_WholePackageCold)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_LoadModule(benchmark::State& state) {
  quillon::Host host;
  for (auto _ : state) {
    auto const start = Clock::now();
    host.load("mm_types_xb");
    state.SetIterationTime(seconds(start));
  }
}
BENCHMARK(BM_LoadModule)->Iterations(1)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_PopulatePackage(benchmark::State& state) {
  quillon::Host host;
  host.load("mm_types_xb");
  for (auto _ : state) {
    auto const start = Clock::now();
    benchmark::DoNotOptimize(host.hasPackage("Zorvan.metamodel.types"));
    state.SetIterationTime(seconds(start));
  }
  state.counters["classes"] = double(host.describePackage("Zorvan.metamodel.types").classes.size());
}
BENCHMARK(BM_PopulatePackage)->Iterations(1)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Each iteration initialises a class that nobody has used yet.
void BM_FirstClassInitialisation(benchmark::State& state) {
  quillon::Host host;
  host.load("mm_types_xb");
  std::vector<std::string> const classes = host.describePackage("Zorvan.metamodel.types").classes;
  std::size_t i = 0;
  for (auto _ : state) {
    auto const start = Clock::now();
    benchmark::DoNotOptimize(host.describeClass(classes[i++ % classes.size()]));
    state.SetIterationTime(seconds(start));
  }
}
BENCHMARK(BM_FirstClassInitialisation)->Iterations(11)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The first description of every class of the package, after loading and
// populating: the counter is the average per class (budget 10 us).
void BM_FirstDescriptionOfEveryClass(benchmark::State& state) {
  quillon::Host host;
  host.load("mm_types_xb");
  std::vector<std::string> const classes = host.describePackage("Zorvan.metamodel.types").classes;
  for (auto _ : state) {
    auto const start = Clock::now();
    for (std::string const& c : classes) benchmark::DoNotOptimize(host.describeClass(c));
    double const elapsed = seconds(start);
    state.SetIterationTime(elapsed);
    state.counters["us_per_class"] = elapsed * 1e6 / static_cast<double>(classes.size());
  }
}
BENCHMARK(BM_FirstDescriptionOfEveryClass)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
