// Slabs: places of one size carved from 64 KiB slabs.
#pragma once

#include <kovo/OpenTable.hpp>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>
#include <type_traits>

#if defined(__SANITIZE_ADDRESS__)
#define KOVO_SLABS_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KOVO_SLABS_ASAN 1
#endif
#endif
#ifdef KOVO_SLABS_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace kovo {

// Small records that live as long as their users decide (host objects and
// arrays, identities) are places in slabs of 64 KiB, each aligned to its
// size so that a place's slab is found from its address. A place costs its
// own `Bytes` (a heap chunk adds a header and rounds up to 16), and places
// made one after the other sit together. Each slab keeps its free places in
// a list and a count of those in use; slabs with room are kept in a list,
// and one that empties goes back to the heap unless it is the only one with
// room. Each slab marks its places in use, and the slabs are known by
// address, so `owns` tells whether any pointer is a place in use without
// reading what it points at. Safe from several threads (one lock per size)
// unless `Locked` is false: then its users hold a lock of their own (the
// host lock) for every call.
// One library's functions take and give each size (every shared library has
// its own instance). Under the address
// sanitizer places not handed out are poisoned, so a use after release, or
// of a slab given back too early, is still caught.
template <std::size_t Bytes, std::size_t Align = alignof(std::max_align_t), bool Locked = true>
class Slabs {
  static_assert(Bytes >= sizeof(void*) && Bytes % Align == 0 && Align >= alignof(void*));

 public:
  static constexpr std::size_t kSlab = 64 * 1024;

  static void* take() { return instance().takeLocked(); }
  static void give(void* place) noexcept {
    if (place) instance().giveLocked(place);
  }
  // `count` places into `out`, under one hold of the lock.
  static void takeMany(void** out, std::size_t count) { instance().takeManyLocked(out, count); }
  // `count` places back, under one hold of the lock.
  static void giveMany(void* const* places, std::size_t count) noexcept { instance().giveManyLocked(places, count); }
  // Whether `p` is a place handed out and not given back. Never reads `p`.
  static bool owns(void const* p) { return p && instance().ownsLocked(p); }

 private:
  static constexpr std::size_t kWords = (kSlab / Bytes + 63) / 64;
  struct Slab {
    Slab* prev;
    Slab* next;
    void* free;    // places given back, linked through their first word
    char* unused;  // the first place never handed out
    std::size_t used;
    std::uint64_t inUse[kWords];  // a bit per place
  };
  static constexpr std::size_t kFirst = (sizeof(Slab) + Align - 1) / Align * Align;
  static constexpr std::size_t kPlaces = (kSlab - kFirst) / Bytes;

  static Slab* slabOf(void const* p) {
    return reinterpret_cast<Slab*>(reinterpret_cast<std::uintptr_t>(p) & ~(kSlab - 1));
  }
  static std::size_t indexOf(Slab const* s, void const* p) {
    return (static_cast<std::size_t>(static_cast<char const*>(p) - reinterpret_cast<char const*>(s)) - kFirst) / Bytes;
  }
  static void mark(Slab* s, void const* p, bool on) {
    std::size_t const i = indexOf(s, p);
    std::uint64_t const bit = std::uint64_t{1} << (i % 64);
    if (on)
      s->inUse[i / 64] |= bit;
    else
      s->inUse[i / 64] &= ~bit;
  }
  // The slabs by address (their index in 64 KiB steps: consecutive, so
  // they spread well).
  struct BySlab {
    static std::uintptr_t key(Slab* s) { return reinterpret_cast<std::uintptr_t>(s) / kSlab; }
    static bool isFree(Slab* s) { return s == nullptr; }
  };

  // Never destroyed: places may be given back by static destructors at exit.
  static Slabs& instance() {
    static auto* slabs = new Slabs;
    return *slabs;
  }

  static void poison([[maybe_unused]] void* p, [[maybe_unused]] std::size_t n) {
#ifdef KOVO_SLABS_ASAN
    ASAN_POISON_MEMORY_REGION(p, n);
#endif
  }
  static void unpoison([[maybe_unused]] void* p, [[maybe_unused]] std::size_t n) {
#ifdef KOVO_SLABS_ASAN
    ASAN_UNPOISON_MEMORY_REGION(p, n);
#endif
  }

  void* takeLocked() {
    std::lock_guard lock(fMutex);
    return takeOne();
  }

  void takeManyLocked(void** out, std::size_t count) {
    std::lock_guard lock(fMutex);
    for (std::size_t i = 0; i < count; ++i) {
      try {
        out[i] = takeOne();
      } catch (...) {
        while (i != 0) giveOne(out[--i]);
        throw;
      }
    }
  }

  void giveLocked(void* place) noexcept {
    std::lock_guard lock(fMutex);
    giveOne(place);
  }

  void giveManyLocked(void* const* places, std::size_t count) noexcept {
    std::lock_guard lock(fMutex);
    for (std::size_t i = 0; i < count; ++i) giveOne(places[i]);
  }

  void* takeOne() {
    Slab* s = fRoomy;
    if (!s) s = fresh();
    void* place = s->free;
    if (place) {
      unpoison(place, Bytes);
      s->free = *static_cast<void**>(place);
    } else {
      place = s->unused;
      s->unused += Bytes;
      unpoison(place, Bytes);
    }
    ++s->used;
    mark(s, place, true);
    if (!hasRoom(s)) unlink(s);
    return place;
  }

  bool ownsLocked(void const* p) {
    std::lock_guard lock(fMutex);
    Slab* const s = slabOf(p);
    if (!fAll.find(BySlab::key(s))) return false;
    auto const offset = static_cast<std::size_t>(static_cast<char const*>(p) - reinterpret_cast<char const*>(s));
    if (offset < kFirst || (offset - kFirst) % Bytes != 0) return false;
    std::size_t const i = (offset - kFirst) / Bytes;
    return i < kPlaces && (s->inUse[i / 64] >> (i % 64) & 1) != 0;
  }

  void giveOne(void* place) noexcept {
    Slab* const s = slabOf(place);
    mark(s, place, false);
    bool const wasFull = !hasRoom(s);
    *static_cast<void**>(place) = s->free;
    poison(place, Bytes);
    s->free = place;
    --s->used;
    if (wasFull) link(s);
    if (s->used == 0 && (s->prev || s->next)) {
      unlink(s);
      fAll.erase(fAll.find(BySlab::key(s)));
      unpoison(s, kSlab);
      std::free(s);
    }
  }

  static bool hasRoom(Slab const* s) { return s->free || indexOf(s, s->unused) < kPlaces; }
  Slab* fresh() {
    void* const block = std::aligned_alloc(kSlab, kSlab);
    if (!block) throw std::bad_alloc();
    auto* const s = ::new (block) Slab{nullptr, nullptr, nullptr, static_cast<char*>(block) + kFirst, 0, {}};
    try {
      fAll.insert(s);
    } catch (...) {
      std::free(block);
      throw;
    }
    poison(s->unused, kSlab - kFirst);
    link(s);
    return s;
  }
  void link(Slab* s) noexcept {
    s->prev = nullptr;
    s->next = fRoomy;
    if (fRoomy) fRoomy->prev = s;
    fRoomy = s;
  }
  void unlink(Slab* s) noexcept {
    if (s->prev)
      s->prev->next = s->next;
    else
      fRoomy = s->next;
    if (s->next) s->next->prev = s->prev;
    s->prev = s->next = nullptr;
  }

  struct NoMutex {
    void lock() {}
    void unlock() {}
  };
  std::conditional_t<Locked, std::mutex, NoMutex> fMutex;
  Slab* fRoomy = nullptr;         // slabs with a free place
  OpenTable<Slab*, BySlab> fAll;  // every slab
};

}  // namespace kovo
