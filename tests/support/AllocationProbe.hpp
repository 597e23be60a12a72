// Watches the heap while a test asks: how many allocations, and the largest.
// It replaces the global allocation functions, so include it in one source
// file of a test program only.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace testsupport {

struct Allocations {
  std::size_t count = 0;
  std::size_t largest = 0;
};

namespace probe {
inline std::atomic<bool> gWatching{false};
inline std::atomic<std::size_t> gCount{0};
inline std::atomic<std::size_t> gLargest{0};

inline void* allocate(std::size_t n) {
  if (gWatching.load(std::memory_order_relaxed)) {
    gCount.fetch_add(1, std::memory_order_relaxed);
    std::size_t prev = gLargest.load(std::memory_order_relaxed);
    while (n > prev && !gLargest.compare_exchange_weak(prev, n)) {
    }
  }
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
}  // namespace probe

// What `f` allocates (every thread counts while it runs).
template <class F>
Allocations allocationsOf(F&& f) {
  probe::gCount = 0;
  probe::gLargest = 0;
  probe::gWatching = true;
  struct Stop {
    ~Stop() { probe::gWatching = false; }
  } const stop;
  f();
  return {probe::gCount.load(), probe::gLargest.load()};
}

}  // namespace testsupport

// Kept out of line: once inlined, GCC pairs the malloc and free below with
// the new and delete expressions of callers and reports a mismatch.
__attribute__((noinline)) void* operator new(std::size_t n) { return testsupport::probe::allocate(n); }
__attribute__((noinline)) void* operator new[](std::size_t n) { return testsupport::probe::allocate(n); }
__attribute__((noinline)) void operator delete(void* p) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete[](void* p) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete(void* p, std::size_t) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
// The forms that do not throw go the same way, so that every block is freed
// by the family that made it (std::stable_sort's buffer is one).
__attribute__((noinline)) void* operator new(std::size_t n, std::nothrow_t const&) noexcept {
  try {
    return testsupport::probe::allocate(n);
  } catch (std::bad_alloc const&) {
    return nullptr;
  }
}
__attribute__((noinline)) void* operator new[](std::size_t n, std::nothrow_t const&) noexcept {
  try {
    return testsupport::probe::allocate(n);
  } catch (std::bad_alloc const&) {
    return nullptr;
  }
}
__attribute__((noinline)) void operator delete(void* p, std::nothrow_t const&) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete[](void* p, std::nothrow_t const&) noexcept { std::free(p); }
