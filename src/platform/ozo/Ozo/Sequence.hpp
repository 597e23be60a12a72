// Typed handles of value lists and their cursors, and the creation routine.
//
//   Ozo::Sequence<T> s = Ozo::MakeSequence<T>({deviant, Ozo::MULTI_INDEX, false, true});
//   s.push_back(v); s.at(0); s.removeAll(v);
//
// A handle holds a counted list (or cursor) pointer and the deviant it is
// used with. Every operation goes through the checked access first: an empty
// handle fails with the NULL-sequence message before anything else.
#pragma once

#include <Ozo/Generic.hpp>
#include <Ozo/Object.hpp>

#include <cstdint>

namespace Ozo {

inline constexpr char kSequenceRefSource[] = "ozo/export/include/ozo/kernel/containers/sequence/SequenceRef";
inline constexpr char kSequenceCreatorSource[] = "ozo/export/include/ozo/kernel/containers/sequence/SequenceCreator";
inline constexpr char kIteratorSource[] = "ozo/export/include/ozo/kernel/containers/iterator/Iterator";
inline constexpr char kNullSequenceMessage[] =
    "Cannot access NULL sequence. Use MakeSequence to create sequences.See testSequenceCreation in "
    "ozo/kernel/unittest/sequence_tests.";

[[noreturn]] void failNullSequence();
[[noreturn]] void failSequenceCreation(int line, char const* message);
[[noreturn]] void failNullIterator(int line);

template <class T>
class Iterator;

template <class T>
class ImmutableIterator : public Handle<Generic::IteratorIntf> {
 public:
  using Handle::Handle;
  ImmutableIterator() = default;
  // Takes a new cursor (use count 0) into the handle.
  static ImmutableIterator take(Generic::IteratorIntf* it, Deviant d) { return ImmutableIterator(it, d); }

  // The cursor, or the NULL-ref failure (at `line` of the cursor source).
  Generic::IteratorIntf* ref(int line = 41) const {
    if (fIntf == nullptr) failNullIterator(line);
    return fIntf;
  }
  T item() const {
    Generic::Ref const r = ref()->current(fDeviant);
    return Generic::valueOf<T>(r);
  }
  void next() const { ref()->next(fDeviant); }
  void previous() const { ref()->previous(fDeviant); }
  ImmutableIterator clone() const { return take(ref()->clone(), fDeviant); }
  // An empty other cursor is never equal.
  bool eq(Handle const& o) const { return ref()->equal(o.get()); }
  bool ne(Handle const& o) const { return !eq(o); }
};

template <class T>
class Iterator : public ImmutableIterator<T> {
 public:
  using ImmutableIterator<T>::ImmutableIterator;
  Iterator() = default;
  static Iterator take(Generic::IteratorIntf* it, Deviant d) { return Iterator(it, d); }
  Generic::IteratorIntf* ref() const { return ImmutableIterator<T>::ref(85); }
  Iterator clone() const { return take(ref()->clone(), this->fDeviant); }
};

template <class T>
class ImmutableSequence : public Handle<Generic::SequenceIntf> {
 public:
  using Handle::Handle;
  ImmutableSequence() = default;

  // The checked access: the list, or the NULL-sequence failure.
  Generic::SequenceIntf* ref() const {
    if (fIntf == nullptr) failNullSequence();
    return fIntf;
  }

  std::int32_t size() const { return ref()->generic_size(fDeviant); }
  bool empty() const { return ref()->generic_empty(fDeviant); }
  T at(std::int32_t index) const { return read(ref()->generic_at(fDeviant, index)); }
  T front() const { return read(ref()->generic_front(fDeviant)); }
  T back() const { return read(ref()->generic_back(fDeviant)); }
  bool contains(T const& v) const { return ref()->generic_contains(fDeviant, Generic::makeRef(v)); }
  // The 0-based position of the first element equal to v in [from, to), or -1.
  std::int32_t find(T const& v, std::int32_t from, std::int32_t to) const {
    return ref()->generic_find(fDeviant, Generic::makeRef(v), from, to);
  }
  std::int32_t count(T const& v) const { return ref()->generic_count(fDeviant, Generic::makeRef(v)); }
  ImmutableIterator<T> begin() const { return ImmutableIterator<T>::take(ref()->generic_begin(fDeviant), fDeviant); }
  ImmutableIterator<T> end() const { return ImmutableIterator<T>::take(ref()->generic_end(fDeviant), fDeviant); }

 protected:
  static T read(Generic::Ref const& r) { return Generic::valueOf<T>(r); }
};

template <class T>
class Sequence : public ImmutableSequence<T> {
  using Base = ImmutableSequence<T>;

 public:
  using Base::Base;
  Sequence() = default;

  Iterator<T> begin() const { return wrap(this->ref()->generic_begin(this->fDeviant)); }
  Iterator<T> end() const { return wrap(this->ref()->generic_end(this->fDeviant)); }
  void clear() const { this->ref()->generic_clear(this->fDeviant); }
  void pop_back() const { this->ref()->generic_pop_back(this->fDeviant); }
  void pop_front() const { this->ref()->generic_pop_front(this->fDeviant); }
  void push_back(T const& v) const { this->ref()->generic_push_back(this->fDeviant, Generic::makeRef(v)); }
  void push_front(T const& v) const { this->ref()->generic_push_front(this->fDeviant, Generic::makeRef(v)); }
  void insert(std::int32_t index, T const& v) const {
    this->ref()->generic_insert(this->fDeviant, index, Generic::makeRef(v));
  }
  Iterator<T> insert(ImmutableIterator<T> const& at, T const& v) const {
    Generic::SequenceIntf* const list = this->ref();
    return wrap(list->generic_insert(this->fDeviant, at.get(), Generic::makeRef(v)));
  }
  Iterator<T> erase(ImmutableIterator<T> const& at) const {
    Generic::SequenceIntf* const list = this->ref();
    return wrap(list->generic_erase(this->fDeviant, at.get()));
  }
  Iterator<T> erase(ImmutableIterator<T> const& first, ImmutableIterator<T> const& last) const {
    Generic::SequenceIntf* const list = this->ref();
    return wrap(list->generic_erase(this->fDeviant, first.get(), last.get()));
  }
  void erase(std::int32_t index) const { this->ref()->generic_erase(this->fDeviant, index); }
  void replace(std::int32_t index, T const& v) const {
    this->ref()->generic_replace(this->fDeviant, index, Generic::makeRef(v));
  }
  std::int32_t removeAll(T const& v) const {
    return this->ref()->generic_removeAll(this->fDeviant, Generic::makeRef(v));
  }

 private:
  Iterator<T> wrap(Generic::IteratorIntf* it) const { return Iterator<T>::take(it, this->fDeviant); }
};

// ---------------------------------------------------------------------------
// Creation.
enum SequenceImplementation : std::uint32_t { STD_VECTOR = 0, MULTI_INDEX = 1 };

struct SequenceCreationOptions {
  Deviant deviant;
  std::uint32_t implementation = MULTI_INDEX;
  bool aIsUnique = false;
  bool referenceCounting = true;
};

// A new bare list of T of the given kind (null when the kind is not
// offered). Supplied by the binding that stores values of T, for each T it
// stores; the runtime only declares it.
template <class T>
Generic::SequenceIntf* newSequenceImplementation(SequenceImplementation kind, bool unique);

// A new empty list. Without reference counting the bare list is returned and
// its owner must delete it; with it the list lives inside a counting proxy
// as long as any handle refers to it.
template <class T>
Sequence<T> MakeSequence(SequenceCreationOptions const& o) {
  Generic::SequenceIntf* list = nullptr;
  switch (o.implementation) {
    case STD_VECTOR:
      if (o.aIsUnique) failSequenceCreation(85, "cannot use STD_VECTOR and aIsUnique together");
      list = newSequenceImplementation<T>(STD_VECTOR, false);
      break;
    case MULTI_INDEX: list = newSequenceImplementation<T>(MULTI_INDEX, o.aIsUnique); break;
    default: failSequenceCreation(102, "unknown sequence implementation requested");
  }
  if (list == nullptr) failSequenceCreation(107, "sequence not created");
  if (!o.referenceCounting) return Sequence<T>(list, o.deviant);
  GenericReferenceCountingSequenceProxy* proxy;
  try {
    proxy = new GenericReferenceCountingSequenceProxy(list);
  } catch (...) {
    delete list;
    throw;
  }
  return Sequence<T>(proxy, o.deviant);
}

}  // namespace Ozo
