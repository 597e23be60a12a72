// Memory: bytes per model element, per host binding (the host object, its
// array and its registry entries), and per class description (what
// initialising a class keeps), each from the allocator's own books as the
// growth over many. The Python share (wrapper and identity map) is measured
// by bench/bench_python.py. Budget: an Axis made from Python, everything
// included, at most 600 bytes.
#include <quillon/host.hpp>

#include <kovo/HostArray.hpp>
#include <types/Types.hpp>
#include <xb/Marshal.hpp>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <string>
#include <vector>

namespace {

namespace types = Zorvan::metamodel::types;

double heapInUse() {
  struct mallinfo2 const m = mallinfo2();
  return static_cast<double>(m.uordblks + m.hblkhd);
}

constexpr int kCount = 100000;

Ozo::Model modelOf(quillon::Value const& model) {
  Ozo::ImmutableObject const h =
      Ozo::xb::toHandle(static_cast<kovo::HostArray const*>(model.raw()), Ozo::xb::internedName("Ozo.Model"));
  return Ozo::Model(dynamic_cast<Ozo::NSInterface::ModelIntf*>(h.get()), h.deviant());
}

// An Axis with its dimensions and name, made by the model library itself.
void BM_BytesPerModelElement(benchmark::State& state) {
  quillon::Host host;
  host.load("mm_types_xb");
  quillon::Value const model = host.construct("Ozo.Model", {});
  Ozo::Model const m = modelOf(model);
  for (auto _ : state) {
    std::vector<types::Axis> axes;
    axes.reserve(kCount);
    double const before = heapInUse();
    for (int i = 0; i < kCount; ++i) axes.push_back(types::Axis::create(m, Ozo::Integer(3), Ozo::String("speed")));
    state.counters["bytes"] = (heapInUse() - before) / kCount;
  }
}
BENCHMARK(BM_BytesPerModelElement)->Iterations(1)->Unit(benchmark::kMillisecond);

// The same Axis made through the host: the element and its binding.
void BM_BytesPerBoundElement(benchmark::State& state) {
  quillon::Host host;
  host.load("mm_types_xb");
  quillon::Value const model = host.construct("Ozo.Model", {});
  for (auto _ : state) {
    std::vector<quillon::Value> axes;
    axes.reserve(kCount);
    double const before = heapInUse();
    for (int i = 0; i < kCount; ++i) axes.push_back(host.construct("Zorvan.metamodel.types.Axis", {model, 3, "speed"}));
    state.counters["bytes"] = (heapInUse() - before) / kCount;
  }
}
BENCHMARK(BM_BytesPerBoundElement)->Iterations(1)->Unit(benchmark::kMillisecond);

// What describing (and so initialising) every class of the package keeps.
void BM_BytesPerClassDescription(benchmark::State& state) {
  quillon::Host host;
  host.load("mm_types_xb");
  std::vector<std::string> const classes = host.describePackage("Zorvan.metamodel.types").classes;
  for (auto _ : state) {
    double const before = heapInUse();
    for (std::string const& c : classes) benchmark::DoNotOptimize(host.describeClass(c));
    state.counters["bytes"] = (heapInUse() - before) / static_cast<double>(classes.size());
  }
}
BENCHMARK(BM_BytesPerClassDescription)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
