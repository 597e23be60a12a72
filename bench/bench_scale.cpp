// Bulk work at scale, through the C++ host API, against plain C++ in the same
// run: creating, walking, erasing from the front, deleting models, memory per
// element, and many models alive at once. For each row it prints the sizes,
// the time at each size, the growth exponent (log of the time ratio over log
// of the size ratio: 1 is linear), the cost per item, the plain C++ figure
// and the ratio, and the goal. It exits with 1 when a goal is missed.
//
//   build/bin/bench_scale [--quick] [--cold] [create walk pop delete memory models]
//
// --quick: sizes up to 1e5 only; --cold: the allocator gives freed memory
// back to the system as it does by default; names: only those rows.
//
// Each time is the fastest of a few runs: on a shared machine timings only
// gain noise. The Python rows are in bench/bench_scale.py.
#include <quillon/host.hpp>

#include <kovo/HostArray.hpp>
#include <kovo/Object.hpp>
#include <types/Types.hpp>
#include <xb/Marshal.hpp>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace types = Zorvan::metamodel::types;
using Clock = std::chrono::steady_clock;

bool gMissed = false;

double seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

double heapInUse() {
  struct mallinfo2 const m = mallinfo2();
  return static_cast<double>(m.uordblks + m.hblkhd);
}

Ozo::ImmutableObject handleOf(quillon::Value const& v, char const* cls) {
  return Ozo::xb::toHandle(static_cast<kovo::HostArray const*>(v.raw()), Ozo::xb::internedName(cls));
}

Ozo::Model modelOf(quillon::Value const& model) {
  Ozo::ImmutableObject const h = handleOf(model, "Ozo.Model");
  return Ozo::Model(dynamic_cast<Ozo::NSInterface::ModelIntf*>(h.get()), h.deviant());
}

// The fastest of `runs` timings of `timed(n)`, which returns seconds.
double fastest(int runs, std::function<double()> const& timed) {
  double best = 1e300;
  for (int r = 0; r < runs; ++r) best = std::min(best, timed());
  return best;
}

void verdict(char const* what, bool met) {
  std::printf("  %-58s %s\n", what, met ? "met" : "NOT MET");
  if (!met) gMissed = true;
}

// A row: per size, our time and the peer's; prints per-item costs, the
// growth exponent between the first and last size, and the ratio at the
// largest size.
struct Row {
  char const* name;
  std::vector<double> sizes, ours, peer;  // seconds

  double perItem(std::size_t i) const { return ours[i] / sizes[i]; }
  double exponent() const {
    return std::log(ours.back() / ours.front()) / std::log(sizes.back() / sizes.front());
  }
  double growth() const { return perItem(ours.size() - 1) / perItem(0); }
  void print() const {
    std::printf("%s\n", name);
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      std::printf("  n=%-8.0f %10.2f ms  %9.1f ns/item", sizes[i], ours[i] * 1e3, perItem(i) * 1e9);
      if (!peer.empty() && peer[i] > 0)
        std::printf("   peer %9.1f ns/item  ratio %6.2f", peer[i] / sizes[i] * 1e9, ours[i] / peer[i]);
      std::printf("\n");
    }
    std::printf("  growth exponent %.2f, per item at largest / smallest %.2f\n", exponent(), growth());
  }
};

struct Bench {
  quillon::Host host;
  std::vector<double> sizes;
  int runs = 3;

  Bench() { host.load("mm_types_xb"); }

  // --- create ---------------------------------------------------------------
  void create() {
    struct Plain {
      int dims;
      std::string name;
    };
    Row own{"create an Axis, the model's own (types::Axis::create, kept)", sizes, {}, {}};
    Row viaHost{"create an Axis through the C++ host (host.construct, kept)", sizes, {}, {}};
    Row viaFactory{"create an Axis through the factory (host.invoke, kept)", sizes, {}, {}};
    for (double const dn : sizes) {
      auto const n = static_cast<std::size_t>(dn);
      double const peer = fastest(runs, [&] {
        std::vector<std::unique_ptr<Plain>> v;
        v.reserve(n);
        auto const t0 = Clock::now();
        for (std::size_t i = 0; i < n; ++i) v.push_back(std::make_unique<Plain>(Plain{3, "speed"}));
        return seconds(t0, Clock::now());
      });
      own.peer.push_back(peer);
      viaHost.peer.push_back(peer);
      viaFactory.peer.push_back(peer);
      own.ours.push_back(fastest(runs, [&] {
        quillon::Value const model = host.construct("Ozo.Model", {});
        Ozo::Model const m = modelOf(model);
        Ozo::String const name(std::string_view("speed"));
        std::vector<types::Axis> v;
        v.reserve(n);
        auto const t0 = Clock::now();
        for (std::size_t i = 0; i < n; ++i) v.push_back(types::Axis::create(m, Ozo::Integer(3), name));
        return seconds(t0, Clock::now());
      }));
      viaHost.ours.push_back(fastest(runs, [&] {
        quillon::Value const model = host.construct("Ozo.Model", {});
        quillon::Value const dims = quillon::Value::int32(3), name("speed");
        std::vector<quillon::Value> v;
        v.reserve(n);
        auto const t0 = Clock::now();
        for (std::size_t i = 0; i < n; ++i) v.push_back(host.construct("Zorvan.metamodel.types.Axis", {model, dims, name}));
        return seconds(t0, Clock::now());
      }));
      viaFactory.ours.push_back(fastest(runs, [&] {
        quillon::Value const model = host.call("Zorvan.metamodel.types.Factory", "createNewModel", {});
        quillon::Value const f = host.call("Zorvan.metamodel.types.Factory", "createNewFactory", {model});
        quillon::Value const dims = quillon::Value::int32(3), name("speed");
        std::vector<quillon::Value> v;
        v.reserve(n);
        auto const t0 = Clock::now();
        for (std::size_t i = 0; i < n; ++i) v.push_back(host.invoke(f, "createmetamodeltypesAxis", {dims, name}));
        return seconds(t0, Clock::now());
      }));
    }
    own.print();
    verdict("model's own create at most 0.15 us", own.perItem(sizes.size() - 1) <= 0.15e-6);
    verdict("model's own create linear (at most 1.2)", own.growth() <= 1.2);
    viaHost.print();
    verdict("host create at most 0.4 us", viaHost.perItem(sizes.size() - 1) <= 0.4e-6);
    verdict("host create linear (at most 1.2)", viaHost.growth() <= 1.2);
    viaFactory.print();
    double const vsConstructor = viaFactory.ours.back() / viaHost.ours.back();
    std::printf("  factory / constructor at largest: %.2f\n", vsConstructor);
    verdict("factory create at most 1.5 times the constructor", vsConstructor <= 1.5);
    verdict("factory create linear (at most 1.2)", viaFactory.growth() <= 1.2);
  }

  // --- walk -----------------------------------------------------------------
  void walk() {
    Row row{"walk an element sequence (host.sequence, range-for)", sizes, {}, {}};
    for (double const dn : sizes) {
      auto const n = static_cast<std::size_t>(dn);
      quillon::Value const model = host.construct("Ozo.Model", {});
      Ozo::Model const m = modelOf(model);
      quillon::Value const table = host.construct("Zorvan.metamodel.types.LookupTableType", {model});
      types::ImmutableLookupTableType const lt =
          types::ImmutableLookupTableType::cast(handleOf(table, "Zorvan.metamodel.types.LookupTableType"));
      Ozo::Collection<types::ImmutableAxis> const axes = lt.getAxes();
      for (std::size_t i = 0; i < n; ++i) axes.push_back(types::Axis::create(m, Ozo::Integer(3), Ozo::String("a")));
      quillon::Value const seq = host.get(table, "Axes");
      quillon::Sequence const s = host.sequence(seq);
      row.ours.push_back(fastest(runs, [&] {
        std::uintptr_t sum = 0;
        auto const t0 = Clock::now();
        for (quillon::Value const& item : s) sum += item.identity();
        double const t = seconds(t0, Clock::now());
        if (sum == 0) std::printf("?");
        return t;
      }));
      std::vector<std::unique_ptr<int>> plain;
      for (std::size_t i = 0; i < n; ++i) plain.push_back(std::make_unique<int>(static_cast<int>(i)));
      row.peer.push_back(fastest(runs, [&] {
        long sum = 0;
        auto const t0 = Clock::now();
        for (auto const& p : plain) sum += *p;
        double const t = seconds(t0, Clock::now());
        if (sum == -1) std::printf("?");
        return t;
      }));
    }
    row.print();
    verdict("host walk at most 100 ns per item", row.perItem(sizes.size() - 1) <= 100e-9);
    verdict("host walk linear (at most 1.2)", row.growth() <= 1.2);
  }

  // --- erase from the front ---------------------------------------------------
  void popFront() {
    std::vector<double> const small{1e4, 1e5};
    Row row{"erase the first item until empty (host \"erase\" 1, a list of integers)", small, {}, {}};
    for (double const dn : small) {
      auto const n = static_cast<int>(dn);
      row.ours.push_back(fastest(1, [&] {
        quillon::Value const model = host.construct("Ozo.Model", {});
        quillon::Value const dimension = host.construct("Zorvan.metamodel.types.Dimension", {model, "length"});
        quillon::Value const list = host.get(dimension, "BaseExponent");
        for (int i = 0; i < n; ++i) host.invoke(list, "push_back", {quillon::Value::int32(i)});
        quillon::Value const first = quillon::Value::int32(1);
        auto const t0 = Clock::now();
        for (int i = 0; i < n; ++i) host.invoke(list, "erase", {first});
        return seconds(t0, Clock::now());
      }));
      row.peer.push_back(fastest(1, [&] {
        std::vector<std::int32_t> v(static_cast<std::size_t>(n));
        auto const t0 = Clock::now();
        while (!v.empty()) v.erase(v.begin());
        return seconds(t0, Clock::now());
      }));
    }
    row.print();
    verdict("front erase within 1.5 times std::vector", row.ours.back() <= 1.5 * row.peer.back());
  }

  // --- delete a model ---------------------------------------------------------
  void deleteModel() {
    Row row{"delete a model of n Axis elements (last host reference released)", sizes, {}, {}};
    std::size_t const objectsBefore = host.counter("model objects");
    double rssRatio = 0;
    for (double const dn : sizes) {
      auto const n = static_cast<std::size_t>(dn);
      row.ours.push_back(fastest(runs, [&] {
        double const before = heapInUse();
        auto model = std::make_unique<quillon::Value>(host.construct("Ozo.Model", {}));
        {
          Ozo::Model const m = modelOf(*model);
          for (std::size_t i = 0; i < n; ++i) types::Axis::create(m, Ozo::Integer(3), Ozo::String("a"));
        }
        auto const t0 = Clock::now();
        model.reset();
        double const t = seconds(t0, Clock::now());
        malloc_trim(0);
        rssRatio = std::max(rssRatio, heapInUse() / std::max(before, 1.0));
        return t;
      }));
    }
    row.print();
    std::printf("  heap in use after / before, worst: %.3f\n", rssRatio);
    verdict("delete at most 0.15 us per element", row.perItem(sizes.size() - 1) <= 0.15e-6);
    verdict("delete linear (at most 1.2)", row.growth() <= 1.2);
    verdict("memory comes back (heap within 10%)", rssRatio <= 1.10);
    verdict("live model objects back to where they were", host.counter("model objects") == objectsBefore);
  }

  // --- memory -----------------------------------------------------------------
  void memory() {
    constexpr std::size_t kCount = 100000;
    quillon::Value const model = host.construct("Ozo.Model", {});
    Ozo::Model const m = modelOf(model);
    double element = 0, bound = 0;
    {
      std::vector<types::Axis> axes;
      axes.reserve(kCount);
      double const before = heapInUse();
      for (std::size_t i = 0; i < kCount; ++i) axes.push_back(types::Axis::create(m, Ozo::Integer(3), Ozo::String("speed")));
      element = (heapInUse() - before) / kCount;
    }
    {
      std::vector<quillon::Value> axes;
      axes.reserve(kCount);
      double const before = heapInUse();
      for (std::size_t i = 0; i < kCount; ++i) axes.push_back(host.construct("Zorvan.metamodel.types.Axis", {model, 3, "speed"}));
      bound = (heapInUse() - before) / kCount;
    }
    // The parts: the bare element, then its slot table (Dimensions set),
    // then the boxed text of its name, each in a model of its own.
    auto perAxis = [&](auto const& make) {
      quillon::Value const own = host.construct("Ozo.Model", {});
      Ozo::Model const om = modelOf(own);
      std::vector<types::Axis> axes;
      axes.reserve(kCount);
      double const before = heapInUse();
      for (std::size_t i = 0; i < kCount; ++i) axes.push_back(make(om));
      return (heapInUse() - before) / kCount;
    };
    double const bare = perAxis([](Ozo::Model const& om) { return types::Axis::create(om); });
    double const withSlots = perAxis([](Ozo::Model const& om) {
      types::Axis const a = types::Axis::create(om);
      a.setDimensions(Ozo::Integer(3));
      return a;
    });
    // The binding's parts: the element's host identity (its place in a slab
    // with its binding slot, and its word in the table of ids), measured
    // alone; the host object and its 1-by-1 array, places in slabs too; the
    // rest is what the tables' growth happened to add.
    double identity = 0;
    {
      quillon::Value const own = host.construct("Ozo.Model", {});
      Ozo::Model const om = modelOf(own);
      std::vector<types::Axis> axes;
      axes.reserve(kCount);
      for (std::size_t i = 0; i < kCount; ++i) axes.push_back(types::Axis::create(om, Ozo::Integer(3), Ozo::String("speed")));
      double const before = heapInUse();
      for (types::Axis const& a : axes) Ozo::DeviantRegistry::getId(a.get(), a.deviant(), false);
      identity = (heapInUse() - before) / kCount;
    }
    std::size_t const hostObject = sizeof(kovo::COSInterface), hostArray = sizeof(kovo::HostArray);
    std::printf("memory per Axis (heap in use over %zu)\n  model element %.0f B, with its binding %.0f B "
                "(binding %.0f B); a plain struct {int, std::string} %zu B\n"
                "  parts: element %.0f B, slot table %.0f B, name's text %.0f B\n"
                "  binding: host object %zu B, its 1-by-1 array %zu B, identity %.0f B, rest %.0f B\n",
                kCount, element, bound, bound - element, sizeof(int) + sizeof(std::string), bare, withSlots - bare,
                element - withSlots, hostObject, hostArray, identity,
                bound - element - identity - static_cast<double>(hostObject + hostArray));
    verdict("model Axis at most 160 B", element <= 160);
    verdict("Axis with its binding at most 300 B", bound <= 300);
  }

  // --- many models --------------------------------------------------------------
  void models() {
    std::vector<double> const counts{1e4, 1e5};
    Row row{"models alive at once (host.construct(\"Ozo.Model\"), kept)", counts, {}, {}};
    for (double const dn : counts) {
      auto const n = static_cast<std::size_t>(dn);
      row.ours.push_back(fastest(runs, [&] {
        std::vector<quillon::Value> v;
        v.reserve(n);
        auto const t0 = Clock::now();
        for (std::size_t i = 0; i < n; ++i) v.push_back(host.construct("Ozo.Model", {}));
        return seconds(t0, Clock::now());
      }));
    }
    row.print();
    verdict("models linear (at most 1.2)", row.growth() <= 1.2);
  }
};

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  bool quick = false, cold = false;
  std::vector<std::string> only;  // rows to run, all when empty
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--quick") == 0)
      quick = true;
    else if (std::strcmp(argv[i], "--cold") == 0)
      cold = true;
    else
      only.emplace_back(argv[i]);
  }
  // Warm: memory freed by one run stays in the process for the next, so that
  // both sides time their work rather than the system's page faults (on a
  // virtual machine a fault can cost more than the work of the elements on
  // its page). The delete row still gives memory back (malloc_trim) before
  // it compares the heap. --cold keeps the allocator's defaults.
  if (!cold) {
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
  }
  std::printf("memory %s\n", cold ? "cold (the allocator's defaults)" : "warm (freed memory kept for the next run)");
  Bench b;
  b.sizes = quick ? std::vector<double>{1e4, 1e5} : std::vector<double>{1e4, 1e5, 1e6};
  b.runs = quick ? 3 : 2;
  std::pair<char const*, void (Bench::*)()> const rows[] = {
      {"create", &Bench::create},       {"walk", &Bench::walk},     {"pop", &Bench::popFront},
      {"delete", &Bench::deleteModel}, {"memory", &Bench::memory}, {"models", &Bench::models},
  };
  for (auto const& [name, row] : rows)
    if (only.empty() || std::find(only.begin(), only.end(), name) != only.end()) (b.*row)();
  std::printf(gMissed ? "\nsome goals are NOT MET\n" : "\nall goals met\n");
  return gMissed ? 1 : 0;
}
