// The two list kinds for value elements:
//
// - the multi-index list (Ozo::MultiIndexImpl<T, Unique>): list order in a
//   random-access index, an ordered non-unique index for removeAll and an
//   ordered index (unique when Unique) for contains and, in the unique list,
//   the refusal of a second equal value (and of a second NaN time, which
//   the order holds equivalent to the first). Every list the module makes
//   is one.
// - the vector list (Ozo::ListQImpl<T>): a copy-on-write vector that reads
//   without copying; duplicates always allowed.
//
// Equality is T's own ==. The ordered indices sort by ValueOrder, a strict
// weak order on every value (a Time may be NaN, which < does not order), and
// find candidates there; == decides among them.
#pragma once

#include "sequences/CopyOnWrite.hpp"
#include "sequences/PrimitiveList.hpp"

#include <types/Types.hpp>

#include <boost/multi_index/identity.hpp>
#include <boost/multi_index/ordered_index.hpp>
#include <boost/multi_index/random_access_index.hpp>
#include <boost/multi_index_container.hpp>

#include <algorithm>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace Ozo {

// The host names of the two sequence classes of T: read-only
// ("Zorvan.metamodel.types.ImmutableSequenceOfTime") and modifiable.
template <class T>
char const* listHostName(bool immutable) {
  static std::string const names[2] = {
      std::string(Zorvan::metamodel::types::kPackageName) + ".SequenceOf" + T::name,
      std::string(Zorvan::metamodel::types::kPackageName) + ".ImmutableSequenceOf" + T::name};
  return names[immutable ? 1 : 0].c_str();
}

namespace Lists {

struct MultiIndexKind {
  static constexpr ListChecks checks{
      {"ozo/export/include/ozo/kernel/containers/sequence/multi_index/MultiIndexImplForPrimitives",
       {251, 252}, {314, 315}, {351, 352}, {412, 413},  // at, insert, erase, replace
       261, 270, 362, 371,                              // front, back, pop_back, pop_front on empty
       441, 452, {461, 462}},                           // cursor: item, getNext, getPrev
      470};
};

struct VectorKind {
  static constexpr ListChecks checks{
      {"ozo/export/include/ozo/kernel/containers/sequence/list/ListQImplForPrimitives",
       {131, 132}, {200, 201}, {243, 244}, {309, 310},
       141, 150, 254, 262,
       441, 452, {461, 462}},
      470};
};

namespace bmi = boost::multi_index;

// The order of the ordered indices: the value type's listOrder where it has
// one, else its <. Values that are == are equivalent in it, so the elements
// equal to a value lie in that value's equal range.
struct ValueOrder {
  template <class T>
  bool operator()(T const& a, T const& b) const {
    if constexpr (requires { listOrder(a, b); })
      return listOrder(a, b) < 0;
    else
      return a < b;
  }
};

template <class T, bool Unique>
class MultiIndexStorage {
  using Order = ValueOrder;
  using Lookup = std::conditional_t<Unique, bmi::ordered_unique<bmi::identity<T>, Order>,
                                    bmi::ordered_non_unique<bmi::identity<T>, Order>>;
  using Container = bmi::multi_index_container<
      T, bmi::indexed_by<bmi::random_access<>, bmi::ordered_non_unique<bmi::identity<T>, Order>, Lookup>>;

 public:
  using Kind = MultiIndexKind;

  std::size_t size() const { return fC.size(); }
  T const& at(std::size_t i) const { return fC.template get<0>()[i]; }
  // Where the value now is (or the equal value that refused it), and whether it went in.
  std::pair<std::size_t, bool> insertAt(std::size_t i, T const& v) {
    auto& list = fC.template get<0>();
    auto const [it, inserted] = list.insert(list.begin() + static_cast<std::ptrdiff_t>(i), v);
    return {static_cast<std::size_t>(it - list.begin()), inserted};
  }
  void eraseRange(std::size_t from, std::size_t to) {
    auto& list = fC.template get<0>();
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(from), list.begin() + static_cast<std::ptrdiff_t>(to));
  }
  // Re-sorted in the ordered indices; refused (false, element kept) when the
  // unique index holds another equal value.
  bool replaceAt(std::size_t i, T const& v) {
    auto& list = fC.template get<0>();
    return list.replace(list.begin() + static_cast<std::ptrdiff_t>(i), v);
  }
  void clear() { fC.clear(); }
  bool contains(T const& v) const {
    auto const [first, last] = fC.template get<2>().equal_range(v);
    return std::any_of(first, last, [&v](T const& x) { return x == v; });
  }
  // The elements equal to v: counted in v's equal range of the ordered
  // index, then removed in one pass over the list (erasing one by one from
  // the random-access index would cost a shift per element). A value equal
  // to nothing (a NaN time) removes nothing.
  std::size_t removeAll(T const& v) {
    auto const [first, last] = fC.template get<1>().equal_range(v);
    auto const n = static_cast<std::size_t>(std::count_if(first, last, [&v](T const& x) { return x == v; }));
    if (n == 0) return 0;
    fC.template get<0>().remove_if([&v](T const& x) { return x == v; });
    return n;
  }
  // The first position in [from, to) of an element equal to v, or size():
  // the candidates are v's equal range in the ordered index, each placed by
  // the random-access index in constant time.
  std::size_t find(T const& v, std::size_t from, std::size_t to) const {
    auto const& list = fC.template get<0>();
    std::size_t best = list.size();
    auto const [first, last] = fC.template get<2>().equal_range(v);
    for (auto it = first; it != last; ++it) {
      if (!(*it == v)) continue;
      auto const at = static_cast<std::size_t>(fC.template project<0>(it) - list.begin());
      if (at >= from && at < to && at < best) best = at;
    }
    return best;
  }
  std::size_t count(T const& v) const {
    auto const [first, last] = fC.template get<1>().equal_range(v);
    return static_cast<std::size_t>(std::count_if(first, last, [&v](T const& x) { return x == v; }));
  }

  static char const* hostName(bool immutable, char const*) {
    return listHostName<T>(immutable);
  }

 private:
  Container fC;
};

template <class T>
class VectorStorage {
  using Data = Performance::COWWrapperContainerSequential<std::vector<T>>;

 public:
  using Kind = VectorKind;

  Data const& data() const { return fData; }
  Data& data() { return fData; }

  std::size_t size() const { return fData.size(); }
  T const& at(std::size_t i) const { return fData.data()[i]; }
  std::pair<std::size_t, bool> insertAt(std::size_t i, T const& v) {
    auto const it = fData.insert(fData.data().begin() + static_cast<std::ptrdiff_t>(i), v);
    return {static_cast<std::size_t>(it - fData.data().begin()), true};
  }
  void eraseRange(std::size_t from, std::size_t to) {
    auto& c = fData.writable();
    c.erase(c.begin() + static_cast<std::ptrdiff_t>(from), c.begin() + static_cast<std::ptrdiff_t>(to));
  }
  bool replaceAt(std::size_t i, T const& v) {
    fData.writable()[i] = v;
    return true;
  }
  void clear() { fData.writable().clear(); }
  bool contains(T const& v) const {
    auto const& c = fData.data();
    return std::find(c.begin(), c.end(), v) != c.end();
  }
  std::size_t removeAll(T const& v) {
    auto const& c = fData.data();
    if (std::find(c.begin(), c.end(), v) == c.end()) return 0;
    return static_cast<std::size_t>(std::erase(fData.writable(), v));
  }
  std::size_t find(T const& v, std::size_t from, std::size_t to) const {
    auto const& c = fData.data();
    if (from >= to) return c.size();
    auto const first = c.begin() + static_cast<std::ptrdiff_t>(from);
    auto const it = std::find(first, c.begin() + static_cast<std::ptrdiff_t>(to), v);
    return it == c.begin() + static_cast<std::ptrdiff_t>(to) ? c.size() : static_cast<std::size_t>(it - c.begin());
  }
  std::size_t count(T const& v) const {
    auto const& c = fData.data();
    return static_cast<std::size_t>(std::count(c.begin(), c.end(), v));
  }

  static char const* hostName(bool, char const* fallback) { return fallback; }

 private:
  Data fData;
};

}  // namespace Lists

template <class T, bool Unique>
using MultiIndexImpl = Lists::PrimitiveList<T, Lists::MultiIndexStorage<T, Unique>>;
template <class T>
using ListQImpl = Lists::PrimitiveList<T, Lists::VectorStorage<T>>;

}  // namespace Ozo
