#include "FuzzSupport.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace quillon::fuzz {

Host& host() {
  static Host* const h = [] {
    auto* made = new Host;  // lives as long as the process, as the runtime does
    made->load("mm_types_xb");
    return made;
  }();
  return *h;
}

std::uint16_t Input::u16() {
  std::uint16_t const lo = u8();
  return static_cast<std::uint16_t>(lo | (u8() << 8));
}

std::uint32_t Input::u32() {
  std::uint32_t const lo = u16();
  return lo | (std::uint32_t{u16()} << 16);
}

std::uint64_t Input::u64() {
  std::uint64_t const lo = u32();
  return lo | (std::uint64_t{u32()} << 32);
}

void fail(std::string_view what) {
  std::fprintf(stderr, "\n==== fuzz check failed ====\n%.*s\n", static_cast<int>(what.size()), what.data());
  std::fflush(stderr);
  std::abort();
}

void checkCounters(Counters const& before, std::string_view when) {
  Counters const after = host().counters();
  if (after == before) return;
  std::string report = "live counters changed ";
  report.append(when).append(":\n");
  for (auto const& [name, count] : before) report += "  before " + name + " = " + std::to_string(count) + "\n";
  for (auto const& [name, count] : after) report += "  after  " + name + " = " + std::to_string(count) + "\n";
  fail(report);
}

std::string describe(Value const& v) {
  std::string out = std::to_string(v.rows()) + "x" + std::to_string(v.cols()) + " " + v.className() + " [";
  switch (v.type()) {
    case Value::Type::Char:
      for (char16_t c : v.toU16String()) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%04x ", static_cast<unsigned>(c));
        out += buf;
      }
      break;
    case Value::Type::Object:
      break;  // the caller knows how to tell objects apart
    default:
      for (std::size_t i = 0; i < v.numel(); ++i) {
        double const d = v.toDouble(i);
        char buf[40];
        // Exact: hexadecimal, and one text for every NaN.
        if (std::isnan(d)) std::snprintf(buf, sizeof buf, "nan ");
        else std::snprintf(buf, sizeof buf, "%a ", d);
        out += buf;
      }
  }
  out += "]";
  return out;
}

}  // namespace quillon::fuzz
