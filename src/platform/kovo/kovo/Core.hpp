// Core vocabulary of the host object system: interned names, the host value
// word and the host utilities (allocation, console output, bounded formatting).
#pragma once

#include <atomic>
#include <bit>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <thread>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kovo {

class HostArray;

// ---------------------------------------------------------------------------
// Interning. Every name handed to the host is interned first; an interned id
// is the address of the one stored copy of its text, so ids compare by pointer.
// The copy is terminated and preceded by its length (4 bytes).
namespace internal {
struct IdEmptyPolicy {};
// Returns the unique stored copy of `text`. Never null; never frees.
char const* makeInterned(char const* text);
}  // namespace internal

template <class Policy>
class COSInternedBase {
 public:
  constexpr COSInternedBase() = default;
  // `id` must come from internal::makeInterned (or be the empty text "").
  static COSInternedBase fromId(char const* id) {
    COSInternedBase r;
    r.fId = id;
    return r;
  }
  char const* c_str() const { return fId; }
  // A stored copy is preceded by its length: a view costs no strlen.
  std::string_view view() const {
    if (fId[0] == '\0') return {};
    std::uint32_t length;
    std::memcpy(&length, fId - sizeof length, sizeof length);
    return {fId, length};
  }
  bool empty() const { return fId[0] == '\0'; }
  // Every library has its own "" literal: all empty ids are the same id.
  friend bool operator==(COSInternedBase a, COSInternedBase b) {
    return a.fId == b.fId || (a.empty() && b.empty());
  }
  friend bool operator!=(COSInternedBase a, COSInternedBase b) { return !(a == b); }
  friend bool operator<(COSInternedBase a, COSInternedBase b) {
    if (a.empty() || b.empty()) return a.empty() && !b.empty();
    return std::less<char const*>{}(a.fId, b.fId);
  }

 private:
  char const* fId = "";
};

using Interned = COSInternedBase<internal::IdEmptyPolicy>;

// Interns `text`; a null or empty text gives the empty id without touching the table.
// Only names that something keeps are interned: a lookup by a name that may
// be unknown compares views, so a failed lookup leaves nothing behind.
Interned intern(char const* text);
Interned intern(std::string_view text);
// Interns the text spelled by `pieces` one after the other; names of
// ordinary length are spelled on the stack.
Interned intern(std::initializer_list<std::string_view> pieces);
namespace internal {
// Number of interned names (the table never shrinks).
std::size_t internedCount();
}  // namespace internal

// A list of interned names stored once: equal lists share one array that is
// never freed, so a list is one word (the array, its length stored just
// before it) and, once seen, costs no allocation (methods' argument names and
// types repeat across thousands of methods, and every method keeps two lists).
class InternedList {
 public:
  constexpr InternedList() = default;
  Interned const* begin() const { return fData; }
  Interned const* end() const { return fData + size(); }
  std::size_t size() const {
    if (fData == nullptr) return 0;
    std::size_t n;
    std::memcpy(&n, reinterpret_cast<char const*>(fData) - sizeof n, sizeof n);
    return n;
  }
  bool empty() const { return fData == nullptr; }
  Interned operator[](std::size_t i) const { return fData[i]; }
  // Equal lists are one stored array.
  friend bool operator==(InternedList a, InternedList b) { return a.fData == b.fData; }

 private:
  friend InternedList internList(Interned const* names, std::size_t count);
  Interned const* fData = nullptr;
};

// The stored list equal to `names[0..count)`; an empty list touches no table.
InternedList internList(Interned const* names, std::size_t count);

// The one lock of the host: every entry point of the public API and the
// destruction of a host object run under it, so that several threads may use
// the host at once. Recursive: host calls nest (a destroyInstance releasing
// other objects, a module initialiser looking up classes). Taking it again on
// the thread that holds it costs a comparison: host objects released inside
// a host call (a walk's batch) take it that way, one by one.
class HostLock {
 public:
  void lock() {
    std::thread::id const self = std::this_thread::get_id();
    // Only this thread ever stores its own id, and clears it before it lets
    // go: seeing it means holding the lock.
    if (fOwner.load(std::memory_order_relaxed) == self) {
      ++fDepth;
      return;
    }
    fMutex.lock();
    fOwner.store(self, std::memory_order_relaxed);
    fDepth = 1;
  }
  bool try_lock() {
    std::thread::id const self = std::this_thread::get_id();
    if (fOwner.load(std::memory_order_relaxed) == self) {
      ++fDepth;
      return true;
    }
    if (!fMutex.try_lock()) return false;
    fOwner.store(self, std::memory_order_relaxed);
    fDepth = 1;
    return true;
  }
  void unlock() {
    if (--fDepth != 0) return;
    fOwner.store(std::thread::id(), std::memory_order_relaxed);
    fMutex.unlock();
  }

 private:
  std::mutex fMutex;
  std::atomic<std::thread::id> fOwner{};
  unsigned fDepth = 0;  // changed by the holder only
};

HostLock& hostMutex();

// ---------------------------------------------------------------------------
// The host value word. For "int32 scalar", "logical scalar" and "double scalar"
// it carries the value itself; for every other host data type a HostArray*.
using COSValue = std::uint64_t;

inline COSValue fromInt32(std::int32_t v) {
  return static_cast<COSValue>(static_cast<std::int64_t>(v));
}
inline std::int32_t toInt32(COSValue w) { return static_cast<std::int32_t>(w & 0xffffffffu); }
inline COSValue fromDouble(double v) { return std::bit_cast<COSValue>(v); }
inline double toDouble(COSValue w) { return std::bit_cast<double>(w); }
inline COSValue fromLogical(bool v) { return v ? 1u : 0u; }
inline bool toLogical(COSValue w) { return w != 0; }
inline COSValue fromArray(HostArray* a) { return reinterpret_cast<COSValue>(a); }
inline HostArray* toArray(COSValue w) { return reinterpret_cast<HostArray*>(w); }

// The host's own error: a host user sees exactly what() as the error text.
class HostError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace kovo

// ---------------------------------------------------------------------------
// Host utilities (C linkage names as the host exports them).
// Blocks handed to the host (class, method, package and function descriptions)
// are released with zkFree; zkMalloc/zkCalloc are the matching allocators.
void* zkMalloc(std::size_t size);
void* zkCalloc(std::size_t count, std::size_t size);
void zkFree(void* block);

// Console output of the host. Goes to stdout unless a sink is installed.
int zkPrintf(char const* format, ...) __attribute__((format(printf, 1, 2)));
// Bounded formatting: writes at most size-1 characters and a terminator;
// returns the full length of the formatted text, or -1 when formatting fails.
int zkVSNprintf(char* buffer, std::size_t size, char const* format, std::va_list args);

namespace kovo {
using PrintSink = std::function<void(std::string_view)>;
// Installs the base sink for zkPrintf and returns the previous one (empty =
// stdout).
PrintSink setPrintSink(PrintSink sink);
// Installs a sink above the base one; the most recently pushed sink that is
// still installed receives the output. Sinks may be removed in any order.
std::uint64_t pushPrintSink(PrintSink sink);
void removePrintSink(std::uint64_t id);
}  // namespace kovo
