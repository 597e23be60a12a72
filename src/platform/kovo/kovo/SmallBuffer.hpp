// A buffer of `n` values kept inline up to N: a host call's arguments, inputs
// and value words are a handful, and a call should not go to the heap for them.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <vector>

namespace kovo {

template <class T, std::size_t N>
class SmallBuffer {
 public:
  explicit SmallBuffer(std::size_t n) : fSize(n) {
    if (n > N) fHeap.resize(n);
  }
  T* data() { return fSize > N ? fHeap.data() : fInline.data(); }
  T const* data() const { return fSize > N ? fHeap.data() : fInline.data(); }
  std::size_t size() const { return fSize; }
  T& operator[](std::size_t i) { return data()[i]; }
  T const& operator[](std::size_t i) const { return data()[i]; }
  T* begin() { return data(); }
  T* end() { return data() + fSize; }
  std::span<T> span() { return {data(), fSize}; }
  std::span<T const> span() const { return {data(), fSize}; }

 private:
  std::array<T, N> fInline{};
  std::vector<T> fHeap;
  std::size_t fSize;
};

}  // namespace kovo
