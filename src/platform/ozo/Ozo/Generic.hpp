// Lists of plain values and their cursors, as the runtime sees them: the
// abstract list and cursor, the type-erased value reference that carries one
// element across them, and the counting proxies placed in front of them.
//
// Bindings supply the concrete lists (the runtime stores no values itself);
// Ozo/Sequence.hpp has the typed handles through which they are used.
#pragma once

#include <Ozo/Base.hpp>

#include <cstdint>
#include <new>
#include <utility>

namespace Ozo::Generic {

// A counted reference to one value of any type. The manager takes (true) or
// drops (false) a reference; `equal` compares two values of the same type.
class Ref {
 public:
  using Manager = void (*)(void* object, bool take);
  using Equal = bool (*)(void const* a, void const* b);

  Ref() = default;
  // Takes over one reference the caller holds on `object`.
  Ref(void* held, Manager manage, Equal same) : fObject(held), fManager(manage), fEqual(same) {}
  Ref(Ref const& o) : fObject(o.fObject), fSecond(o.fSecond), fManager(o.fManager), fEqual(o.fEqual) {
    if (fObject) fManager(fObject, true);
  }
  Ref(Ref&& o) noexcept
      : fObject(std::exchange(o.fObject, nullptr)), fSecond(o.fSecond), fManager(o.fManager), fEqual(o.fEqual) {}
  Ref& operator=(Ref o) noexcept {
    std::swap(fObject, o.fObject);
    std::swap(fSecond, o.fSecond);
    std::swap(fManager, o.fManager);
    std::swap(fEqual, o.fEqual);
    return *this;
  }
  ~Ref() {
    if (fObject) fManager(fObject, false);
  }

  void* object() const { return fObject; }
  Manager manager() const { return fManager; }
  // Both refer to values of one type that compare equal.
  friend bool operator==(Ref const& a, Ref const& b) {
    return a.fObject && b.fObject && a.fManager == b.fManager && a.fEqual(a.fObject, b.fObject);
  }

 private:
  void* fObject = nullptr;
  void* fSecond = nullptr;  // unused by value boxes
  Manager fManager = nullptr;
  Equal fEqual = nullptr;
};

// A heap copy of one value with its own use count.
//
// A list knows the type of a value it is handed by the manager's address, so
// every library must see one manager per type. The managers are not inline:
// the library that defines a value type instantiates its box once
// (`template struct ValueBox<T>;`) and says so to the others in its header
// (`extern template struct ValueBox<T>;`); those then call that one.
template <class T>
struct ValueBox {
  T value;
  std::uint32_t count;

  static void manage(void* object, bool take);
  static bool equal(void const* a, void const* b);
};

template <class T>
void ValueBox<T>::manage(void* object, bool take) {
  auto* const box = static_cast<ValueBox*>(object);
  if (take)
    ++box->count;
  else if (box->count == 1)
    delete box;
  else
    --box->count;
}

template <class T>
bool ValueBox<T>::equal(void const* a, void const* b) {
  return static_cast<ValueBox const*>(a)->value == static_cast<ValueBox const*>(b)->value;
}

// A Ref holding a copy of `value`.
template <class T>
Ref makeRef(T const& value) {
  auto* const box = new ValueBox<T>{value, 1};
  return Ref(box, &ValueBox<T>::manage, &ValueBox<T>::equal);
}

// The message when a Ref holds no value or a value of another type.
inline constexpr char kRefTypeMessage[] = "the value reference holds no value of the list's element type";
[[noreturn]] void failRefType();

// The value a Ref carries (the box's own copy; valid while the Ref lives).
template <class T>
T const& valueOf(Ref const& r) {
  if (r.object() == nullptr || r.manager() != &ValueBox<T>::manage) failRefType();
  return static_cast<ValueBox<T> const*>(r.object())->value;
}

// ---------------------------------------------------------------------------
class IteratorIntf;

// A list of values. Indices are 0-based; every operation is given the
// deviant of the handle it is called through.
class SequenceIntf : public ReferenceCountingIntf {
 public:
  virtual Ref generic_at(Deviant const& d, std::int32_t index) const = 0;
  virtual Ref generic_front(Deviant const& d) const = 0;
  virtual Ref generic_back(Deviant const& d) const = 0;
  // New cursors belong to the caller (use count 0).
  virtual IteratorIntf* generic_begin(Deviant const& d) const = 0;
  virtual IteratorIntf* generic_end(Deviant const& d) const = 0;
  virtual void generic_clear(Deviant const& d) = 0;
  virtual std::int32_t generic_size(Deviant const& d) const = 0;
  virtual bool generic_empty(Deviant const& d) const { return generic_size(d) == 0; }
  virtual void generic_insert(Deviant const& d, std::int32_t index, Ref const& r) = 0;
  virtual IteratorIntf* generic_insert(Deviant const& d, IteratorIntf* it, Ref const& r) = 0;
  virtual IteratorIntf* generic_erase(Deviant const& d, IteratorIntf* it) = 0;
  virtual IteratorIntf* generic_erase(Deviant const& d, IteratorIntf* first, IteratorIntf* last) = 0;
  virtual void generic_erase(Deviant const& d, std::int32_t index) = 0;
  virtual void generic_pop_back(Deviant const& d) = 0;
  virtual void generic_pop_front(Deviant const& d) = 0;
  virtual void generic_push_back(Deviant const& d, Ref const& r) = 0;
  virtual void generic_push_front(Deviant const& d, Ref const& r) = 0;
  virtual void generic_replace(Deviant const& d, std::int32_t index, Ref const& r) = 0;
  virtual bool generic_contains(Deviant const& d, Ref const& r) const = 0;
  // The host class of the list in the given view, or `fallback`.
  virtual char const* generic_getKovoName(bool immutable, bool, char const* fallback) const = 0;
  // Removes every element equal to r; how many went. This default walks
  // the list once and erases from the back, so positions still to visit
  // stay put.
  virtual std::int32_t generic_removeAll(Deviant const& d, Ref const& r);
  // The 0-based position of the first element equal to r in [from, to)
  // (`to` beyond the end means the end), or -1; how many elements equal r.
  // These defaults walk the list; a list that keeps an order searches it.
  virtual std::int32_t generic_find(Deviant const& d, Ref const& r, std::int32_t from, std::int32_t to) const;
  virtual std::int32_t generic_count(Deviant const& d, Ref const& r) const;
  virtual bool specialized_equal(Deviant const&, SequenceIntf const* other) const { return other == this; }
  virtual void specialized_assign(Deviant const&, SequenceIntf const*) {}
};

// A position in a list.
class IteratorIntf : public ReferenceCountingIntf {
 public:
  virtual Ref current(Deviant const& d) const = 0;
  virtual void next(Deviant const& d) = 0;
  virtual void previous(Deviant const& d) = 0;
  // A new cursor at the same position, owned by the caller.
  virtual IteratorIntf* clone() const = 0;
  virtual bool equal(IteratorIntf const* other) const = 0;
};

}  // namespace Ozo::Generic

namespace Ozo {

// Where the counting checks report themselves.
inline constexpr char kSequenceProxySource[] = "ozo/export/include/ozo/kernel/containers/sequence/SequenceProxy";
inline constexpr char kInternalAssertionMessage[] = "Internal assertion without a message detected! Please fix me asap";

// Counting for lists: the last release destroys the object. A count below
// zero is an internal failure.
class SequenceProxy : public Generic::SequenceIntf {
 public:
  void addRef() override;
  void release() override;
  bool generic_empty(Deviant const& d) const override { return generic_size(d) == 0; }
};

// Owns one list and forwards every list operation to it unchanged.
class GenericReferenceCountingSequenceProxy final : public SequenceProxy {
 public:
  explicit GenericReferenceCountingSequenceProxy(Generic::SequenceIntf* inner) : fInner(inner) {}
  ~GenericReferenceCountingSequenceProxy() override { delete fInner; }

  Generic::SequenceIntf* inner() const { return fInner; }

  Generic::Ref generic_at(Deviant const& d, std::int32_t i) const override { return fInner->generic_at(d, i); }
  Generic::Ref generic_front(Deviant const& d) const override { return fInner->generic_front(d); }
  Generic::Ref generic_back(Deviant const& d) const override { return fInner->generic_back(d); }
  Generic::IteratorIntf* generic_begin(Deviant const& d) const override { return fInner->generic_begin(d); }
  Generic::IteratorIntf* generic_end(Deviant const& d) const override { return fInner->generic_end(d); }
  void generic_clear(Deviant const& d) override { fInner->generic_clear(d); }
  std::int32_t generic_size(Deviant const& d) const override { return fInner->generic_size(d); }
  void generic_insert(Deviant const& d, std::int32_t i, Generic::Ref const& r) override {
    Generic::Ref const own(r);
    fInner->generic_insert(d, i, own);
  }
  Generic::IteratorIntf* generic_insert(Deviant const& d, Generic::IteratorIntf* it, Generic::Ref const& r) override {
    Generic::Ref const own(r);
    return fInner->generic_insert(d, it, own);
  }
  Generic::IteratorIntf* generic_erase(Deviant const& d, Generic::IteratorIntf* it) override {
    return fInner->generic_erase(d, it);
  }
  Generic::IteratorIntf* generic_erase(Deviant const& d, Generic::IteratorIntf* first,
                                       Generic::IteratorIntf* last) override {
    return fInner->generic_erase(d, first, last);
  }
  void generic_erase(Deviant const& d, std::int32_t i) override { fInner->generic_erase(d, i); }
  void generic_pop_back(Deviant const& d) override { fInner->generic_pop_back(d); }
  void generic_pop_front(Deviant const& d) override { fInner->generic_pop_front(d); }
  void generic_push_back(Deviant const& d, Generic::Ref const& r) override {
    Generic::Ref const own(r);
    fInner->generic_push_back(d, own);
  }
  void generic_push_front(Deviant const& d, Generic::Ref const& r) override {
    Generic::Ref const own(r);
    fInner->generic_push_front(d, own);
  }
  void generic_replace(Deviant const& d, std::int32_t i, Generic::Ref const& r) override {
    Generic::Ref const own(r);
    fInner->generic_replace(d, i, own);
  }
  bool generic_contains(Deviant const& d, Generic::Ref const& r) const override {
    Generic::Ref const own(r);
    return fInner->generic_contains(d, own);
  }
  char const* generic_getKovoName(bool immutable, bool b, char const* fallback) const override {
    return fInner->generic_getKovoName(immutable, b, fallback);
  }
  std::int32_t generic_removeAll(Deviant const& d, Generic::Ref const& r) override {
    Generic::Ref const own(r);
    return fInner->generic_removeAll(d, own);
  }
  std::int32_t generic_find(Deviant const& d, Generic::Ref const& r, std::int32_t from,
                            std::int32_t to) const override {
    return fInner->generic_find(d, r, from, to);
  }
  std::int32_t generic_count(Deviant const& d, Generic::Ref const& r) const override {
    return fInner->generic_count(d, r);
  }

 private:
  Generic::SequenceIntf* fInner;
};

// Counting for cursors, with the same checks.
class IteratorProxy : public Generic::IteratorIntf {
 public:
  void addRef() override;
  void release() override;
};

}  // namespace Ozo
