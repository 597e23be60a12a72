// Saving and loading models, against the JSON library alone in the same run.
// A model of mixed classes (units converting to each other, fixed-point
// types with their data sizes and units, enumerations owning literals, axes
// with lists of strings and reals) is saved to text and loaded back; the
// peers are the library's own streaming parse of the same text (no handler
// work) and its writer writing the same document from the library's own
// in-memory form. Prints, per size, the times, the cost per element, the
// growth from the smallest size to the largest, the ratios and the peak
// memory of a load; exits with 1 when a goal is missed.
//
//   build/bin/bench_documents [--quick]      (--quick: up to 1e5 elements)
#include <Ozo/Document.hpp>
#include <types/Types.hpp>

#include <rapidjson/document.h>
#include <rapidjson/reader.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace types = Zorvan::metamodel::types;
using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

double fastest(int runs, std::function<double()> const& timed) {
  double best = 1e300;
  for (int r = 0; r < runs; ++r) best = std::min(best, timed());
  return best;
}

// Resident memory and its peak since the last reset, in bytes.
double statusBytes(char const* field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  std::size_t const n = std::strlen(field);
  while (std::getline(in, line))
    if (line.compare(0, n, field) == 0) return std::stod(line.substr(n + 1)) * 1024.0;
  return 0;
}
void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// About `n` elements in groups of seven.
Ozo::Model build(std::size_t n) {
  Ozo::Model const m = Ozo::Model::create();
  types::Unit previous = types::Unit::create(m, Ozo::String(std::string_view("base")));
  for (std::size_t i = 0; i + 7 <= n; i += 7) {
    std::string const k = std::to_string(i);
    types::Unit const u = types::Unit::create(m, Ozo::String(std::string_view("u" + k)));
    u.setConvUnit(previous);
    u.setConvFactor(Ozo::Real(1.5 + static_cast<double>(i)));
    types::FixedPoint const f = types::FixedPoint::create(m, Ozo::String(std::string_view("f" + k)));
    f.setLength(types::DataSize(Ozo::Integer(16), types::DataSizeUnitKind(types::DataSizeUnitKind::Bit)));
    f.setUnit(u);
    types::Enumeration const e = types::Enumeration::create(m, Ozo::String(std::string_view("e" + k)));
    for (int v = 0; v < 2; ++v)
      types::EnumerationLiteral::create(m, Ozo::Integer(v), Ozo::Integer(v), e,
                                        Ozo::String(std::string_view("lit" + std::to_string(v))));
    types::Axis const a = types::Axis::create(m, Ozo::Integer(3), Ozo::String(std::string_view("a" + k)));
    a.getSymbolicDimensions().push_back(Ozo::String(std::string_view("speed")));
    for (double x : {0.0, 0.25, 1e3}) a.getVf().push_back(Ozo::Real(x));
    previous = u;
  }
  return m;
}

// The library alone: a streaming parse that does nothing with what it reads.
double parseOnly(std::string const& text) {
  return fastest(3, [&] {
    rapidjson::BaseReaderHandler<> nothing;
    rapidjson::Reader reader;
    rapidjson::StringStream in(text.c_str());
    auto const t0 = Clock::now();
    reader.Parse<rapidjson::kParseIterativeFlag | rapidjson::kParseNumbersAsStringsFlag>(in, nothing);
    return seconds(t0, Clock::now());
  });
}

// The library alone: the same document written from its own tree.
double writeOnly(std::string const& text) {
  rapidjson::Document doc;
  doc.Parse(text.c_str());
  return fastest(3, [&] {
    rapidjson::StringBuffer out;
    rapidjson::Writer<rapidjson::StringBuffer> writer(out);
    auto const t0 = Clock::now();
    doc.Accept(writer);
    return seconds(t0, Clock::now());
  });
}

struct Figures {
  std::size_t n = 0, bytes = 0;
  double save = 0, load = 0, parse = 0, write = 0;
  double loadPeak = 0, modelOwn = 0;
};

Figures measure(std::size_t n) {
  Figures f;
  Ozo::Model const m = build(n);
  f.n = m.get()->elements().size();
  std::string text;
  f.save = fastest(3, [&] {
    auto const t0 = Clock::now();
    text = Ozo::toJson(m);
    return seconds(t0, Clock::now());
  });
  f.bytes = text.size();
  f.write = writeOnly(text);
  f.parse = parseOnly(text);
  int round = 0;
  f.load = fastest(3, [&] {
    std::string const uri = "again" + std::to_string(++round);
    auto const t0 = Clock::now();
    Ozo::Model const again = Ozo::fromJson(text, "bench", uri);
    return seconds(t0, Clock::now());
  });
  // Peak memory of one load, against the loaded model's own and the text.
  // Freed memory goes back to the system first, so the load's own shows.
  malloc_trim(0);
  double const before = statusBytes("VmRSS:");
  resetPeak();
  {
    Ozo::Model const again = Ozo::fromJson(text, "bench", "peak");
    f.loadPeak = statusBytes("VmHWM:") - before;
    f.modelOwn = statusBytes("VmRSS:") - before;
  }
  return f;
}

bool gMissed = false;
void verdict(char const* what, bool met) {
  std::printf("  %-66s %s\n", what, met ? "met" : "NOT MET");
  if (!met) gMissed = true;
}

}  // namespace

int main(int argc, char** argv) {
  types::initialize();
  bool const quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  std::vector<std::size_t> sizes{10'000, 100'000};
  if (!quick) sizes.push_back(1'000'000);
  std::vector<Figures> all;
  std::printf("%10s %11s %10s %10s %10s %10s %8s %8s %10s %10s\n", "elements", "bytes", "save ms", "write ms",
              "load ms", "parse ms", "save/wr", "load/pa", "peak MB", "model MB");
  for (std::size_t n : sizes) {
    Figures const f = measure(n);
    all.push_back(f);
    std::printf("%10zu %11zu %10.2f %10.2f %10.2f %10.2f %8.2f %8.2f %10.1f %10.1f\n", f.n, f.bytes, f.save * 1e3,
                f.write * 1e3, f.load * 1e3, f.parse * 1e3, f.save / f.write, f.load / f.parse, f.loadPeak / 1e6,
                f.modelOwn / 1e6);
  }
  Figures const& first = all.front();
  Figures const& last = all.back();
  double const saveGrowth = (last.save / static_cast<double>(last.n)) / (first.save / static_cast<double>(first.n));
  double const loadGrowth = (last.load / static_cast<double>(last.n)) / (first.load / static_cast<double>(first.n));
  std::printf("per element at %zu: save %.0f ns, load %.0f ns; growth to %zu: save %.2f, load %.2f\n", first.n,
              first.save / static_cast<double>(first.n) * 1e9, first.load / static_cast<double>(first.n) * 1e9,
              last.n, saveGrowth, loadGrowth);
  Figures const* at1e5 = nullptr;
  for (Figures const& f : all)
    if (f.n >= 90'000 && f.n <= 110'000) at1e5 = &f;
  if (at1e5) {
    verdict("load 1e5 elements in at most 3 times the library's parse", at1e5->load <= 3 * at1e5->parse);
    verdict("save 1e5 elements in at most 3 times the library's write", at1e5->save <= 3 * at1e5->write);
    verdict("peak memory of a load at most the model's own plus twice the file",
            at1e5->loadPeak <= at1e5->modelOwn + 2.0 * static_cast<double>(at1e5->bytes));
  }
  verdict("time per element at the largest size at most 1.2 times at 1e4 (save)", saveGrowth <= 1.2);
  verdict("time per element at the largest size at most 1.2 times at 1e4 (load)", loadGrowth <= 1.2);
  return gMissed ? 1 : 0;
}
