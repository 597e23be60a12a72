// OpenTable: small entries kept inline and found by an integer key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

namespace kovo {

// Open addressing with linear probing, at most 4/5 full, keys mixed and
// spread by Fibonacci hashing. Erasing moves the later entries of its run back (no
// tombstones), so a lookup never stops short and nothing is allocated but
// the occasional growth. An entry's address holds until the next insertion
// or erasure. `Traits` tells an entry's key and whether a place is free (a
// value-initialised Entry must be free):
//   static std::uintptr_t key(Entry const&);
//   static bool isFree(Entry const&);
// The key may be a hash of what tells entries apart (a name): such a table is
// searched with find(hash, matches).
template <class Entry, class Traits>
class OpenTable {
 public:
  std::size_t size() const { return fCount; }

  Entry* find(std::uintptr_t key) const {
    if (fCount == 0) return nullptr;
    for (std::size_t i = home(key);; i = (i + 1) & mask()) {
      Entry& e = fSlots[i];
      if (Traits::isFree(e)) return nullptr;
      if (Traits::key(e) == key) return &e;
    }
  }

  // The entry of `key` for which `matches(entry)` holds, for tables whose
  // key is a hash: entries of other keys are passed over by `matches` too.
  template <class Matches>
  Entry* find(std::uintptr_t key, Matches matches) const {
    if (fCount == 0) return nullptr;
    for (std::size_t i = home(key);; i = (i + 1) & mask()) {
      Entry& e = fSlots[i];
      if (Traits::isFree(e)) return nullptr;
      if (matches(static_cast<Entry const&>(e))) return &e;
    }
  }

  // Adds `e`, whose key has no entry yet (or, keyed by a hash, no entry that
  // matches it), and gives its place. Only growth
  // can fail, and it fails before anything changes.
  Entry* insert(Entry e) {
    if ((fCount + 1) * 5 > capacity() * 4) grow();
    Entry* const placed = place(std::move(e));
    ++fCount;
    return placed;
  }

  // How many places past its home the entry at `e` sits (0: at home): the
  // probes a search for it makes beyond the first. For checks of the spread.
  std::size_t displacement(Entry const* e) const {
    std::size_t const at = static_cast<std::size_t>(e - fSlots.get());
    return (at - home(Traits::key(*e))) & mask();
  }

  // Removes the entry at `e`, a place this table gave.
  void erase(Entry* e) {
    std::size_t i = static_cast<std::size_t>(e - fSlots.get());
    for (std::size_t j = (i + 1) & mask(); !Traits::isFree(fSlots[j]); j = (j + 1) & mask()) {
      std::size_t const k = home(Traits::key(fSlots[j]));
      // j's entry moves into the hole unless its home lies cyclically in (i, j].
      bool const stays = i <= j ? (i < k && k <= j) : (i < k || k <= j);
      if (!stays) {
        fSlots[i] = std::move(fSlots[j]);
        i = j;
      }
    }
    fSlots[i] = Entry{};
    --fCount;
  }

 private:
  std::size_t capacity() const { return fSlots ? std::size_t{1} << fBits : 0; }
  std::size_t mask() const { return (std::size_t{1} << fBits) - 1; }
  // The key's bits are mixed before the multiply: keys are often addresses
  // of records made one after another, an arithmetic progression, and a bare
  // Fibonacci multiply maps a progression whose step times the golden ratio
  // is near a whole number onto a few neighbouring places (a step of 144
  // bytes filled runs of hundreds).
  std::size_t home(std::uintptr_t key) const {
    std::uint64_t x = static_cast<std::uint64_t>(key);
    x ^= x >> 31;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 29;
    return static_cast<std::size_t>((x * 0x9E3779B97F4A7C15ull) >> (64 - fBits));
  }
  Entry* place(Entry e) {
    std::size_t i = home(Traits::key(e));
    while (!Traits::isFree(fSlots[i])) i = (i + 1) & mask();
    fSlots[i] = std::move(e);
    return &fSlots[i];
  }
  void grow() {
    std::size_t const oldCapacity = capacity();
    unsigned const bits = fSlots ? fBits + 1 : 4;
    auto grown = std::make_unique<Entry[]>(std::size_t{1} << bits);  // value-initialised: free
    std::unique_ptr<Entry[]> const old = std::exchange(fSlots, std::move(grown));
    fBits = bits;
    for (std::size_t i = 0; i < oldCapacity; ++i)
      if (!Traits::isFree(old[i])) place(std::move(old[i]));
  }

  std::unique_ptr<Entry[]> fSlots;
  unsigned fBits = 4;  // 2^fBits places once there are any
  std::size_t fCount = 0;
};

}  // namespace kovo
