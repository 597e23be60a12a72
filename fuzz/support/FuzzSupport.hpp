// What the libFuzzer harnesses share: the host, brought up once per process;
// a reader of the input; the live-counter check; and how a harness reports
// a broken rule (a message on stderr, then an abort libFuzzer records as a
// crash with the input that caused it).
#pragma once

#include <quillon/host.hpp>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillon::fuzz {

// The host with the types module loaded; the first call loads it.
Host& host();

// Reads an input front to back. Past the end every read gives zeros, so any
// input decodes to something and a shorter input is a prefix of a longer one.
class Input {
 public:
  Input(std::uint8_t const* data, std::size_t size) : fData(data), fSize(size) {}
  bool done() const { return fPos >= fSize; }
  std::uint8_t u8() { return fPos < fSize ? fData[fPos++] : 0; }
  std::uint16_t u16();
  std::uint32_t u32();
  std::uint64_t u64();
  // A number in [0, n), n > 0.
  std::size_t below(std::size_t n) { return n ? u16() % n : 0; }

 private:
  std::uint8_t const* fData;
  std::size_t fSize;
  std::size_t fPos = 0;
};

// The inverse of Input, for writing seed programs.
class Output {
 public:
  explicit Output(std::vector<std::uint8_t> bytes = {}) : fBytes(std::move(bytes)) {}
  Output& u8(std::uint8_t v) { fBytes.push_back(v); return *this; }
  Output& u16(std::uint16_t v) { return u8(static_cast<std::uint8_t>(v & 0xff)).u8(static_cast<std::uint8_t>(v >> 8)); }
  Output& append(std::vector<std::uint8_t> const& bytes) {
    fBytes.insert(fBytes.end(), bytes.begin(), bytes.end());
    return *this;
  }
  std::vector<std::uint8_t> const& bytes() const { return fBytes; }

 private:
  std::vector<std::uint8_t> fBytes;
};

using Counters = std::vector<std::pair<std::string, std::size_t>>;

// Reports `what` and aborts.
[[noreturn]] void fail(std::string_view what);

// Fails unless every live counter is back at `before`.
void checkCounters(Counters const& before, std::string_view when);

// "1x3 int32 [1 2 3]", text as its UTF-16 units: a value as a test reads it.
std::string describe(Value const& v);

}  // namespace quillon::fuzz
