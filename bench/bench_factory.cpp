// Creating an element through the factory from the host against creating it
// directly through the model library's factory, on the same model in one
// run. Budget: a host creation costs at most 10 times the direct one (both
// keep the element in the model; the host one also binds and releases a
// host object).
#include <quillon/host.hpp>

#include <kovo/HostArray.hpp>
#include <types/Types.hpp>
#include <xb/Marshal.hpp>

#include <benchmark/benchmark.h>

namespace {

namespace types = Zorvan::metamodel::types;

constexpr benchmark::IterationCount kIterations = 200000;

struct Fixture {
  quillon::Host host;
  quillon::Value model, factory;
  types::Factory direct;

  Fixture() {
    host.load("mm_types_xb");
    model = host.call("Zorvan.metamodel.types.Factory", "createNewModel", {});
    factory = host.call("Zorvan.metamodel.types.Factory", "createNewFactory", {model});
    Ozo::ImmutableObject const m =
        Ozo::xb::toHandle(static_cast<kovo::HostArray const*>(model.raw()), Ozo::xb::internedName("Ozo.Model"));
    direct = types::NSInterface::FactoryIntf::createNewFactory(
        Ozo::Model(dynamic_cast<Ozo::NSInterface::ModelIntf*>(m.get()), m.deviant()));
  }
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

void BM_HostCreate(benchmark::State& state) {
  Fixture& f = fixture();
  quillon::Value const name("speed");
  quillon::Value const dims = quillon::Value::int32(2);
  for (auto _ : state) benchmark::DoNotOptimize(f.host.invoke(f.factory, "createmetamodeltypesAxis", {dims, name}));
}
BENCHMARK(BM_HostCreate)->Iterations(kIterations);

void BM_DirectCreate(benchmark::State& state) {
  Fixture& f = fixture();
  Ozo::String const name(std::string_view("speed"));
  for (auto _ : state)
    benchmark::DoNotOptimize(f.direct.get()->create<types::Axis>(f.direct.deviant(), Ozo::Integer(2), name));
}
BENCHMARK(BM_DirectCreate)->Iterations(kIterations);

}  // namespace

BENCHMARK_MAIN();
