// Host calls against direct calls of the model, on the same objects in one
// run. Budgets: a host property read costs at most 5 times the direct typed
// accessor, a write at most 8 times, reading an element property whose object
// is already bound to a host object at most 10 times the direct read, and a
// method call with two scalar arguments (replace(position, value) on a
// dimension's exponents) at most 10 times the direct model operation. Host
// calls include taking the host lock (docs/HOST.md, Threads). A write with one
// model observer that does nothing costs at most twice the unwatched write.
#include <quillon/host.hpp>

#include <kovo/HostArray.hpp>
#include <types/Types.hpp>
#include <xb/Marshal.hpp>

#include <benchmark/benchmark.h>

#include "Steady.hpp"

#include <optional>

namespace {

namespace types = Zorvan::metamodel::types;

struct Fixture {
  quillon::Host host;
  quillon::Value model, axis, baseType, unit, exponents;
  // An axis of a second model that one observer doing nothing watches.
  quillon::Value watchedModel, watchedAxis;
  std::optional<quillon::Subscription> watching;
  types::Axis direct;
  types::Unit directUnit;
  Ozo::Collection<Ozo::Integer> directExponents;

  Fixture() {
    host.load("mm_types_xb");
    model = host.construct("Ozo.Model", {});
    axis = host.construct("Zorvan.metamodel.types.Axis", {model, 3, "speed"});
    Ozo::ImmutableObject const h =
        Ozo::xb::toHandle(static_cast<kovo::HostArray const*>(axis.raw()), Ozo::xb::internedName("Ozo.Object"));
    direct = types::Axis(dynamic_cast<types::NSInterface::AxisIntf*>(h.get()), h.deviant());
    Ozo::ImmutableObject const m =
        Ozo::xb::toHandle(static_cast<kovo::HostArray const*>(model.raw()), Ozo::xb::internedName("Ozo.Model"));
    Ozo::Model const modelHandle(dynamic_cast<Ozo::NSInterface::ModelIntf*>(m.get()), m.deviant());
    direct.setBaseType(types::Integer::create(modelHandle));
    baseType = host.get(axis, "BaseType");  // bound from now on
    unit = host.construct("Zorvan.metamodel.types.Unit", {model, "km"});
    Ozo::ImmutableObject const u =
        Ozo::xb::toHandle(static_cast<kovo::HostArray const*>(unit.raw()), Ozo::xb::internedName("Ozo.Object"));
    directUnit = types::Unit(dynamic_cast<types::NSInterface::UnitIntf*>(u.get()), u.deviant());
    directUnit.setConvFactor(Ozo::Real(1000));
    quillon::Value const dimension = host.construct("Zorvan.metamodel.types.Dimension", {model, "length"});
    exponents = host.get(dimension, "BaseExponent");
    for (int x : {1, 0, 0}) host.invoke(exponents, "push_back", {x});
    Ozo::ImmutableObject const d =
        Ozo::xb::toHandle(static_cast<kovo::HostArray const*>(dimension.raw()), Ozo::xb::internedName("Ozo.Object"));
    directExponents = types::Dimension(dynamic_cast<types::NSInterface::DimensionIntf*>(d.get()), d.deviant())
                          .getBaseExponent();
    watchedModel = host.construct("Ozo.Model", {});
    watchedAxis = host.construct("Zorvan.metamodel.types.Axis", {watchedModel, 3, "speed"});
    watching.emplace(host.observe(watchedModel, [](quillon::ChangeEvent const&) {}));
  }
  static Fixture& get() {
    static Fixture f;
    return f;
  }
};

void BM_DirectReadDimensions(benchmark::State& state) {
  types::Axis const& a = Fixture::get().direct;
  for (auto _ : state) benchmark::DoNotOptimize(a.getDimensions());
}
BENCHMARK(BM_DirectReadDimensions)->Apply(Steady);

void BM_HostReadDimensions(benchmark::State& state) {
  Fixture& f = Fixture::get();
  for (auto _ : state) benchmark::DoNotOptimize(f.host.get(f.axis, "Dimensions"));
}
BENCHMARK(BM_HostReadDimensions)->Apply(Steady);

void BM_DirectWriteDimensions(benchmark::State& state) {
  types::Axis const& a = Fixture::get().direct;
  std::int32_t v = 0;
  for (auto _ : state) a.setDimensions(Ozo::Integer(++v & 0xff));
}
BENCHMARK(BM_DirectWriteDimensions)->Apply(Steady);

void BM_HostWriteDimensions(benchmark::State& state) {
  Fixture& f = Fixture::get();
  quillon::Value const values[2] = {quillon::Value::int32(4), quillon::Value::int32(5)};
  std::size_t i = 0;
  for (auto _ : state) f.host.set(f.axis, "Dimensions", values[++i & 1]);
}
BENCHMARK(BM_HostWriteDimensions)->Apply(Steady);

// The same with one observer of the whole model that does nothing: each
// write makes an event, converts its values and calls the observer.
void BM_HostWriteDimensionsObserved(benchmark::State& state) {
  Fixture& f = Fixture::get();
  quillon::Subscription const s = f.host.observe(f.model, [](quillon::ChangeEvent const&) {});
  quillon::Value const values[2] = {quillon::Value::int32(4), quillon::Value::int32(5)};
  std::size_t i = 0;
  for (auto _ : state) f.host.set(f.axis, "Dimensions", values[++i & 1]);
}
BENCHMARK(BM_HostWriteDimensionsObserved)->Apply(Steady);

void BM_DirectReadBaseType(benchmark::State& state) {
  types::Axis const& a = Fixture::get().direct;
  for (auto _ : state) benchmark::DoNotOptimize(a.getBaseType());
}
BENCHMARK(BM_DirectReadBaseType)->Apply(Steady);

void BM_HostReadBoundBaseType(benchmark::State& state) {
  Fixture& f = Fixture::get();
  for (auto _ : state) benchmark::DoNotOptimize(f.host.get(f.axis, "BaseType"));
}
BENCHMARK(BM_HostReadBoundBaseType)->Apply(Steady);

}  // namespace

// Unit.ConvFactor: budget 20 times the direct read.
void BM_DirectReadConvFactor(benchmark::State& state) {
  types::Unit const& u = Fixture::get().directUnit;
  for (auto _ : state) benchmark::DoNotOptimize(u.getConvFactor());
}
BENCHMARK(BM_DirectReadConvFactor)->Apply(Steady);

void BM_HostReadConvFactor(benchmark::State& state) {
  Fixture& f = Fixture::get();
  for (auto _ : state) benchmark::DoNotOptimize(f.host.get(f.unit, "ConvFactor"));
}
BENCHMARK(BM_HostReadConvFactor)->Apply(Steady);

// A method with two scalar arguments: replace the second exponent.
void BM_DirectReplaceExponent(benchmark::State& state) {
  Ozo::Collection<Ozo::Integer> const& e = Fixture::get().directExponents;
  std::int32_t i = 0;
  for (auto _ : state) e.replace(1, Ozo::Integer(++i & 7));
}
BENCHMARK(BM_DirectReplaceExponent)->Apply(Steady);

void BM_HostReplaceExponent(benchmark::State& state) {
  Fixture& f = Fixture::get();
  std::int32_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(f.host.invoke(f.exponents, "replace", {2, ++i & 7}));
}
BENCHMARK(BM_HostReplaceExponent)->Apply(Steady);

// The budgets themselves: host over direct in interleaved rounds, one row per
// budget (name, direct call, host call).
struct RatioRow {
  char const* name;
  void (*direct)(Fixture&, int);
  void (*host)(Fixture&, int);
};

constexpr RatioRow kRatios[] = {
    {"BM_ReadRatio", [](Fixture& f, int) { benchmark::DoNotOptimize(f.direct.getDimensions()); },
     [](Fixture& f, int) { benchmark::DoNotOptimize(f.host.get(f.axis, "Dimensions")); }},
    {"BM_WriteRatio", [](Fixture& f, int i) { f.direct.setDimensions(Ozo::Integer(i & 7)); },
     [](Fixture& f, int i) { f.host.set(f.axis, "Dimensions", i & 7); }},
    {"BM_BoundElementReadRatio", [](Fixture& f, int) { benchmark::DoNotOptimize(f.direct.getBaseType()); },
     [](Fixture& f, int) { benchmark::DoNotOptimize(f.host.get(f.axis, "BaseType")); }},
    {"BM_ConvFactorReadRatio", [](Fixture& f, int) { benchmark::DoNotOptimize(f.directUnit.getConvFactor()); },
     [](Fixture& f, int) { benchmark::DoNotOptimize(f.host.get(f.unit, "ConvFactor")); }},
    // Budget 2: a write with one model observer against the same write unwatched.
    {"BM_ObservedWriteRatio", [](Fixture& f, int i) { f.host.set(f.axis, "Dimensions", i & 7); },
     [](Fixture& f, int i) { f.host.set(f.watchedAxis, "Dimensions", i & 7); }},
    {"BM_MethodCallRatio", [](Fixture& f, int i) { f.directExponents.replace(1, Ozo::Integer(i & 7)); },
     [](Fixture& f, int i) { benchmark::DoNotOptimize(f.host.invoke(f.exponents, "replace", {2, i & 7})); }},
};

int const kRatiosRegistered = [] {
  for (RatioRow const& row : kRatios)
    benchmark::RegisterBenchmark(row.name, [row](benchmark::State& state) {
      Fixture& f = Fixture::get();
      interleavedRatio(state, [&](int i) { row.direct(f, i); }, [&](int i) { row.host(f, i); });
    })->Iterations(1)->Unit(benchmark::kMillisecond);
  return 0;
}();

BENCHMARK_MAIN();
