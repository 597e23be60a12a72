// Every host entry point runs under the host lock, and every failure leaves
// the public API as a quillon::Error with the same text.
#pragma once

#include <quillon/host.hpp>

#include <kovo/Changes.hpp>
#include <kovo/Core.hpp>
#include <kovo/HostArray.hpp>

#include <exception>
#include <mutex>
#include <utility>

namespace quillon::host {

// Runs `f`, turning every failure into a quillon::Error with the same text.
template <class F>
decltype(auto) translated(F&& f) {
  try {
    return f();
  } catch (Error const&) {
    throw;
  } catch (std::exception const& e) {
    throw Error(e.what());
  }
}

// Changes made by the call reach their observers when it returns (or
// fails), still under the lock.
struct DeliverChanges {
  DeliverChanges() = default;
  DeliverChanges(DeliverChanges const&) = delete;
  DeliverChanges& operator=(DeliverChanges const&) = delete;
  ~DeliverChanges() { kovo::deliverChanges(); }
};

template <class F>
decltype(auto) guarded(F&& f) {
  std::lock_guard lock(kovo::hostMutex());
  DeliverChanges const deliver;
  return translated(std::forward<F>(f));
}

// The runtime's array of a value for the length of one call, borrowed: the
// value keeps its reference until the call returns, so none is taken or
// given back. An empty value stands for the shared empty array. Copied into
// an ArrayPtr, it takes a reference of its own.
class BorrowedArray {
 public:
  explicit BorrowedArray(Value const& v)
      : fBorrowed(v.raw() != nullptr),
        fArray(fBorrowed ? static_cast<kovo::HostArray*>(v.raw()) : kovo::HostArray::createEmpty(), false) {}
  ~BorrowedArray() {
    if (fBorrowed) (void)fArray.detach();
  }
  BorrowedArray(BorrowedArray const&) = delete;
  BorrowedArray& operator=(BorrowedArray const&) = delete;

  operator kovo::ArrayPtr const&() const { return fArray; }
  kovo::HostArray* get() const { return fArray.get(); }

 private:
  bool fBorrowed;
  kovo::ArrayPtr fArray;
};

inline BorrowedArray arrayOf(Value const& v) { return BorrowedArray(v); }

}  // namespace quillon::host
