// Property access through the host against direct calls of the model's typed
// accessors, on the same Axis in one run. Budgets: a host read costs at most
// 20 times the direct read, a host write at most 30 times the direct write,
// and reading an element property whose object is already bound to a host
// object at most 40 times the direct read of that property. Host calls
// include taking the host lock (docs/HOST.md, Threads).
#include <quillon/host.hpp>

#include <kovo/HostArray.hpp>
#include <types/Types.hpp>
#include <xb/Marshal.hpp>

#include <benchmark/benchmark.h>

#include "Steady.hpp"

namespace {

namespace types = Zorvan::metamodel::types;

struct Fixture {
  quillon::Host host;
  quillon::Value model, axis, baseType, unit;
  types::Axis direct;
  types::Unit directUnit;

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

BENCHMARK_MAIN();
