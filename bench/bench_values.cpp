// Value-typed property reads against a primitive one, through the host, in
// one run. Budget: reading Integer.Length (a fresh DataSize host object each
// time) costs at most 3 times reading Axis.Dimensions. Handing an enumeration
// literal to the host makes no model object (the "model objects" counter is
// reported and must not grow).
#include <quillon/host.hpp>

#include <benchmark/benchmark.h>

namespace {

constexpr char kTypes[] = "Zorvan.metamodel.types.";

struct Fixture {
  quillon::Host host;
  quillon::Value model, axis, integer;

  Fixture() {
    host.load("mm_types_xb");
    model = host.construct("Ozo.Model", {});
    axis = host.construct(std::string(kTypes) + "Axis", {model, 3, "speed"});
    integer = host.construct(std::string(kTypes) + "Integer", {model});
    quillon::Value const byte = host.call(std::string(kTypes) + "DataSizeUnitKind", "Byte", {});
    host.set(integer, "Length", host.construct(std::string(kTypes) + "DataSize", {8, byte}));
  }
  static Fixture& get() {
    static Fixture f;
    return f;
  }
};

void BM_HostReadDimensions(benchmark::State& state) {
  Fixture& f = Fixture::get();
  for (auto _ : state) benchmark::DoNotOptimize(f.host.get(f.axis, "Dimensions"));
}
BENCHMARK(BM_HostReadDimensions);

void BM_HostReadLength(benchmark::State& state) {
  Fixture& f = Fixture::get();
  for (auto _ : state) benchmark::DoNotOptimize(f.host.get(f.integer, "Length"));
}
BENCHMARK(BM_HostReadLength);

void BM_HostLiteral(benchmark::State& state) {
  Fixture& f = Fixture::get();
  std::string const cls = std::string(kTypes) + "TimeUnitKind";
  std::size_t const before = f.host.counter("model objects");
  for (auto _ : state) benchmark::DoNotOptimize(f.host.call(cls, "Wks", {}));
  state.counters["model objects made"] = static_cast<double>(f.host.counter("model objects") - before);
}
BENCHMARK(BM_HostLiteral);

}  // namespace

BENCHMARK_MAIN();
