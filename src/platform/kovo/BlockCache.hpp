// BlockCache: blocks of one size kept per thread for reuse.
#pragma once

#include <kovo/Slabs.hpp>

#include <algorithm>
#include <cstddef>

namespace kovo::detail {

#if defined(__SANITIZE_ADDRESS__)
#define KOVO_KEEP_BLOCKS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KOVO_KEEP_BLOCKS 0
#endif
#endif
#ifndef KOVO_KEEP_BLOCKS
#define KOVO_KEEP_BLOCKS 1
#endif

// Host objects and their one-by-one arrays are made and dropped in bursts
// (a batch of a sequence's items is a hundred and more of each). Their
// places come from slabs (kovo/Slabs.hpp), and each thread keeps up to kKeep
// places given back here, so that a burst takes no lock. A place may be
// given back on another thread than the one that took it: every place is a
// place of the same slabs. The places a thread keeps go back to the slabs
// when it ends. Under the address sanitizer nothing is kept, so that a use
// after release is still caught (the slabs poison what they hold).
template <std::size_t Bytes>
class BlockCache {
  using Places = Slabs<Bytes, alignof(void*)>;

 public:
  static constexpr std::size_t kKeep = KOVO_KEEP_BLOCKS ? 256 : 0;
  static constexpr std::size_t kBatch = kKeep / 2;

  static void* take() {
    Kept& k = kept();
    if (k.count != 0) return k.blocks[--k.count];
    if (!k.armed) arm(k);
    if (kKeep == 0 || k.closed) return Places::take();
    // Empty: a batch from the slabs under one hold of their lock (objects
    // kept by the thousand are made one after the other).
    Places::takeMany(k.blocks, kBatch);
    k.count = kBatch - 1;
    return k.blocks[kBatch - 1];
  }

  static void give(void* block) noexcept {
    Kept& k = kept();
    if (k.closed || kKeep == 0) return Places::give(block);
    if (k.count == kKeep) {
      // Full: the older half goes back under one hold of the lock.
      Places::giveMany(k.blocks, kBatch);
      std::copy(k.blocks + kBatch, k.blocks + k.count, k.blocks);
      k.count -= kBatch;
    }
    k.blocks[k.count++] = block;
  }

 private:
  // Trivially destructible, so that it may still be reached after the
  // thread's cleanup below has run (objects released by later destructors).
  struct Kept {
    void* blocks[kKeep == 0 ? 1 : kKeep];
    std::size_t count;
    bool armed;   // the cleanup is set up for this thread
    bool closed;  // the cleanup ran: keep nothing more
  };
  struct Cleanup {
    ~Cleanup() {
      Kept& k = kept();
      while (k.count != 0) Places::give(k.blocks[--k.count]);
      k.closed = true;
    }
  };
  static Kept& kept() {
    thread_local Kept k;  // zero-initialised
    return k;
  }
  static void arm(Kept& k) {
    thread_local Cleanup cleanup;  // made on first use in this thread
    (void)cleanup;
    k.armed = true;
  }
};

}  // namespace kovo::detail
