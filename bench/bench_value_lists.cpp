// Value lists in one run. Budgets: "contains" on 100,000 values costs at
// most 3 times "contains" on 1,000 (ordered index); push_back of 100,000
// values is linear (per-element cost within 2 times that at 1,000); a host
// "at" costs at most 20 times the handle's "at". Memory per element of the
// multi-index list is reported against a std::vector of the same values.
#include <Ozo/Sequence.hpp>
#include <quillon/host.hpp>
#include <types/Types.hpp>

#include <benchmark/benchmark.h>

#include "Steady.hpp"

#include <malloc.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// Heap bytes in use, from the allocator's own books.
std::ptrdiff_t heapInUse() { return static_cast<std::ptrdiff_t>(mallinfo2().uordblks); }

}  // namespace

namespace {

using Zorvan::metamodel::types::DataSize;
using Zorvan::metamodel::types::DataSizeUnitKind;
using List = Ozo::Sequence<DataSize>;

DataSize bits(std::int32_t n) { return DataSize(Ozo::Integer(n), DataSizeUnitKind(DataSizeUnitKind::Value{0})); }

List filled(std::int64_t n) {
  List const s = Ozo::MakeSequence<DataSize>({{}, Ozo::MULTI_INDEX, false, true});
  for (std::int32_t i = 0; i < n; ++i) s.push_back(bits(i));
  return s;
}

// Lookups of 64 values spread over the whole list, present and absent in turn.
void BM_Contains(benchmark::State& state) {
  auto const n = static_cast<std::int32_t>(state.range(0));
  List const s = filled(n);
  std::vector<DataSize> probes;
  for (std::int32_t k = 0; k < 64; ++k) probes.push_back(bits(k % 2 == 0 ? k * (n / 64) : n + k));
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(s.contains(probes[i]));
    i = (i + 1) % probes.size();
  }
}
BENCHMARK(BM_Contains)->Arg(1000)->Arg(100000);

// The same with a new random-looking value each time: the larger list no
// longer fits the caches, so this shows the memory hierarchy as well.
void BM_ContainsScattered(benchmark::State& state) {
  auto const n = static_cast<std::int32_t>(state.range(0));
  List const s = filled(n);
  std::int32_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(s.contains(bits(i)));
    i = (i + 7919) % n;
  }
}
BENCHMARK(BM_ContainsScattered)->Arg(1000)->Arg(100000);

// Filling a new list; its destruction is not timed.
void BM_PushBack(benchmark::State& state) {
  for (auto _ : state) {
    std::optional<List> s(filled(state.range(0)));
    benchmark::DoNotOptimize(s->size());
    state.PauseTiming();
    s.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PushBack)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_HandleAt(benchmark::State& state) {
  List const s = filled(1000);
  std::int32_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(s.at(i));
    i = (i + 1) % 1000;
  }
}
BENCHMARK(BM_HandleAt)->Apply(Steady);

// A host list of 1,000 DataSize values.
struct HostList {
  quillon::Host host;
  std::string const seq = "Zorvan.metamodel.types.SequenceOfDataSize";
  quillon::Value s;

  HostList() {
    host.load("mm_types_xb");
    s = host.call(seq, "make", {host.construct("Ozo.Model", {})});
    quillon::Value const unit = host.call("Zorvan.metamodel.types.DataSizeUnitKind", "Bit", {});
    for (int i = 0; i < 1000; ++i)
      host.invoke(s, "append", {host.construct("Zorvan.metamodel.types.DataSize", {i, unit})});
  }
};

template <class Call>
void hostAt(benchmark::State& state, Call call) {
  HostList l;
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(call(l.host, l.seq, l.s, i + 1));
    i = (i + 1) % 1000;
  }
}

// s.at(i), as a host user writes it.
void BM_HostAt(benchmark::State& state) {
  hostAt(state, [](quillon::Host& host, std::string const&, quillon::Value const& s, int i) {
    return host.invoke(s, "at", {i});
  });
}
BENCHMARK(BM_HostAt)->Apply(Steady);

// The same through the class: SequenceOfDataSize.at(s, i) (adds finding the class by name).
void BM_HostAtThroughClass(benchmark::State& state) {
  hostAt(state, [](quillon::Host& host, std::string const& seq, quillon::Value const& s, int i) {
    return host.call(seq, "at", {s, i});
  });
}
BENCHMARK(BM_HostAtThroughClass)->Apply(Steady);

// The budget itself, host over handle in interleaved rounds.
void BM_HostAtOverHandleAt(benchmark::State& state) {
  List const direct = filled(1000);
  HostList l;
  interleavedRatio(
      state, [&](int i) { benchmark::DoNotOptimize(direct.at(i % 1000)); },
      [&](int i) { benchmark::DoNotOptimize(l.host.invoke(l.s, "at", {i % 1000 + 1})); });
}
BENCHMARK(BM_HostAtOverHandleAt)->Iterations(1)->Unit(benchmark::kMillisecond);

// The floor of a host call on a list: "size" (no argument, a number back).
void BM_HostSize(benchmark::State& state) {
  quillon::Host host;
  host.load("mm_types_xb");
  quillon::Value const s =
      host.call("Zorvan.metamodel.types.SequenceOfDataSize", "make", {host.construct("Ozo.Model", {})});
  for (auto _ : state) benchmark::DoNotOptimize(host.invoke(s, "size", {}));
}
BENCHMARK(BM_HostSize)->Apply(Steady);

// Heap bytes held per element by a filled list, against a std::vector of
// the same values (both as they grow by push_back).
void BM_MemoryPerElement(benchmark::State& state) {
  constexpr std::int32_t kN = 100000;
  double list = 0, vector = 0;
  for (auto _ : state) {
    std::ptrdiff_t before = heapInUse();
    {
      List const s = filled(kN);
      list = static_cast<double>(heapInUse() - before) / kN;
    }
    before = heapInUse();
    {
      std::vector<DataSize> v;
      for (std::int32_t i = 0; i < kN; ++i) v.push_back(bits(i));
      vector = static_cast<double>(heapInUse() - before) / kN;
      benchmark::DoNotOptimize(v.data());
    }
  }
  state.counters["list bytes/element"] = list;
  state.counters["vector bytes/element"] = vector;
  state.counters["sizeof(DataSize)"] = sizeof(DataSize);
}
BENCHMARK(BM_MemoryPerElement)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
