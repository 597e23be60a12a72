// Copy-on-write containers: wrappers around a container C whose data block
// is shared until one of them writes. Every new wrapper starts on one shared
// empty block per C, so an empty container costs no allocation until its
// first write.
//
// Reads go to the current block; every write calls detach() first (directly
// or through insert/erase), which copies a shared block before changing it.
#pragma once

#include <atomic>
#include <cstddef>
#include <iterator>
#include <utility>

namespace Performance {

template <class C>
struct COWWrapperTypedData {
  std::atomic<int> count;
  C value;

  COWWrapperTypedData(int n, C const& c) : count(n), value(c) {}

  // One block per C, alive until process exit; its own share is never given
  // back, so releases by wrappers never free it.
  static COWWrapperTypedData* getSharedNull() {
    static COWWrapperTypedData* const block = new COWWrapperTypedData(1, C());
    return block;
  }
  static void release(COWWrapperTypedData* block) {
    if (block->count.fetch_sub(1, std::memory_order_acq_rel) - 1 <= 0) delete block;
  }
};

template <class C>
class COWWrapper;

// Names the wrapper whose data it holds open for writing.
template <class C>
class COWDataAccessToken {
 public:
  COWDataAccessToken() = default;
  COWDataAccessToken(COWDataAccessToken const&) = delete;
  COWDataAccessToken& operator=(COWDataAccessToken const&) = delete;
  ~COWDataAccessToken() { giveBack(); }
  void giveBack();
  COWWrapper<C>* issuer() const { return fIssuer; }

 private:
  friend class COWWrapper<C>;
  COWWrapper<C>* fIssuer = nullptr;
};

template <class C>
class COWWrapper {
  using Data = COWWrapperTypedData<C>;

 public:
  COWWrapper() : fData(Data::getSharedNull()) { fData->count.fetch_add(1, std::memory_order_relaxed); }
  // A copy shares the block until either side writes.
  COWWrapper(COWWrapper const& o) : fData(o.fData) { fData->count.fetch_add(1, std::memory_order_relaxed); }
  COWWrapper& operator=(COWWrapper const&) = delete;
  virtual ~COWWrapper() {
    Data::release(fData);
    fData = nullptr;
  }

  C const& data() const { return fData->value; }
  // The block is this wrapper's alone.
  bool isPrivate() const { return fData->count.load(std::memory_order_relaxed) == 1; }
  bool onSharedNull() const { return fData == Data::getSharedNull(); }
  int tokens() const { return fTokens; }

  // Makes the block private to this wrapper. On failure the wrapper keeps
  // its old block.
  void detach() {
    if (fData->count.load(std::memory_order_relaxed) == 1) return;
    Data* const copy = new Data(1, fData->value);
    std::atomic_thread_fence(std::memory_order_seq_cst);
    if (copy != fData) {
      Data::release(fData);
      fData = copy;
    }
  }

  // A modifiable reference to the private data, valid while the token is held.
  C& publicDataRef(COWDataAccessToken<C>& token) {
    detach();
    if (token.fIssuer != this) {
      token.giveBack();
      token.fIssuer = this;
      ++fTokens;
    }
    detach();
    return fData->value;
  }

 protected:
  // The private data; callers detach first.
  C& own() { return fData->value; }

 private:
  friend class COWDataAccessToken<C>;
  Data* fData;
  int fTokens = 0;
};

template <class C>
void COWDataAccessToken<C>::giveBack() {
  if (fIssuer != nullptr) --fIssuer->fTokens;
  fIssuer = nullptr;
}

template <class C>
class COWWrapperContainer : public COWWrapper<C> {
 public:
  using COWWrapper<C>::COWWrapper;
  std::size_t size() const { return this->data().size(); }
};

// Positional edits. A position given refers to the block current before the
// call; it is applied at the same offset after the detach.
template <class C>
class COWWrapperContainerSequential : public COWWrapperContainer<C> {
 public:
  using COWWrapperContainer<C>::COWWrapperContainer;
  using const_iterator = typename C::const_iterator;
  using iterator = typename C::iterator;

  iterator insert(const_iterator pos, typename C::value_type const& value) {
    auto const offset = std::distance(this->data().begin(), pos);
    this->detach();
    C& c = this->own();
    return c.insert(c.begin() + offset, value);
  }
  iterator erase(const_iterator pos) {
    auto const offset = std::distance(this->data().begin(), pos);
    this->detach();
    C& c = this->own();
    return c.erase(c.begin() + offset);
  }
  // Any other write: the private data.
  C& writable() {
    this->detach();
    return this->own();
  }
};

}  // namespace Performance
