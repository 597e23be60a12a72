// The reflective core of model elements and the generic pieces of the typed
// facades that model libraries build on it.
//
// Every element is a ModelObjectImpl<XIntf>: the class's interface (so casts
// to XIntf work) over one shared implementation, ElementBase, that stores the
// values of all properties in slots numbered as the concatenation of the
// ancestors' own property tables, root first; only the slots an element has
// used take memory. Model libraries state their
// classes as data (meta::ClassDef) and get accessors, creation and typed
// handles from the templates below.
//
// Lifetime: a model owns its elements. An element with outside references
// keeps its model alive (its first reference adds one to the model, its last
// gives it back); when the model's last reference goes, it destroys all its
// elements. Links between elements of one model are not counted; a link to an
// element of another model is weak: it does not keep that model alive and
// reads empty once the model is gone.
#pragma once

#include <Ozo/Meta.hpp>

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace Ozo {

namespace detail {
class ClassImpl;
class PropertyImpl;
class ElementAccess;
class Slot;

// The memory of a model's elements and of their slot tables: one per model,
// freed with it. Elements never outlive their model (an element with
// references keeps its model alive), so the model's elements sit together
// in a few large blocks instead of one heap chunk each, and a model goes
// with one release per block. A piece given back (a slot table that grew, an
// element a transaction took out) is kept on a list of its size and handed
// out again; pieces above kLargest bytes come from the heap directly.
class ElementArena {
 public:
  static constexpr std::size_t kGrain = 8;
  static constexpr std::size_t kLargest = 512;
  ElementArena() = default;
  ElementArena(ElementArena const&) = delete;
  ElementArena& operator=(ElementArena const&) = delete;
  ~ElementArena();

  void* allocate(std::size_t bytes);
  void deallocate(void* p, std::size_t bytes) noexcept;
  // The owner is about to let the whole arena go: pieces given back from
  // here on are not kept for reuse (its blocks go anyway), which spares a
  // model's teardown a free-list push per element and slot table.
  void close() noexcept { fClosing = true; }
  // Bytes the arena holds in blocks (handed out, free or not yet used).
  std::size_t reserved() const { return fReserved; }
  // Bytes every arena of the process holds in blocks.
  static std::size_t reservedInProcess();

 private:
  struct Block;
  static std::size_t sizeClass(std::size_t bytes) { return (bytes + kGrain - 1) / kGrain; }
  void* carve(std::size_t cls);
  void* fFree[kLargest / kGrain + 1] = {};  // per size class, linked through their first word
  Block* fBlocks = nullptr;
  char* fNext = nullptr;
  char* fEnd = nullptr;
  std::size_t fReserved = 0;
  bool fClosing = false;
};

// The arena of a model made by this runtime.
ElementArena& arenaOf(NSInterface::ModelIntf* model);

// The slots an element has used, by slot number. Most of an element's
// properties (its ancestors' above all) are never given a value, so a slot is
// made on first use. Slots are kept in one block sized to what is used (a
// count, a capacity, then the slots in slot order): making one may move the
// others, so nobody keeps a reference to a slot across making another of
// the same element.
class SlotTable {
 public:
  SlotTable();
  ~SlotTable();
  SlotTable(SlotTable const&) = delete;
  SlotTable& operator=(SlotTable const&) = delete;

  Slot const* find(unsigned slot) const;  // null when never used
  // Made on first use, in the element's model's arena.
  Slot& at(unsigned slot, ElementArena& arena);
  // Destroys every slot and gives the block back (the element's destructor).
  void clear(ElementArena& arena) noexcept;
  // The slots used so far, in slot order (for walks over every value).
  Slot const* begin() const;
  Slot const* end() const;

  struct Block;  // count and capacity, then the slots

 private:
  Block* fBlock = nullptr;  // null until the first slot is made
};
}  // namespace detail

// Every element is one ModelObjectImpl<Intf>: the interface's counting base
// (no data of the interface's own), then this core right after it. So the
// core needs no vtable of its own: the complete object is a fixed distance
// before it, and its virtual destructor is the interface's.
class ElementBase {
 public:
  // Where the core sits in its element.
  static constexpr std::size_t kOffset = sizeof(NSInterface::ClassObjectIntf);

  ElementBase(NSInterface::ModelIntf* model, NSInterface::ClassIntf const* cls);
  ElementBase(ElementBase const&) = delete;
  ElementBase& operator=(ElementBase const&) = delete;

  // Ends the element and gives its memory back to its model's arena (only
  // the model does this: when it goes, or for an element a transaction took out).
  void destroy() noexcept;

  // The complete object as the runtime's element interface.
  NSInterface::ClassObjectIntf* self() {
    return reinterpret_cast<NSInterface::ClassObjectIntf*>(reinterpret_cast<char*>(this) - kOffset);
  }

  NSInterface::ClassIntf const* classIntf() const;
  NSInterface::ModelIntf* modelIntf() const { return fModel; }
  ElementBase* containerCore() const { return fContainer; }
  // The element's number in its model: unique there, given at creation (or
  // taken from the file it was loaded from), never reused while the model lives.
  std::uint32_t id() const { return fId; }

  // Reflective access: `declaring` is the class that declares the property,
  // `index` its 1-based position in that class's own table.
  Object get(meta::ClassDef const& declaring, unsigned index);
  bool isSet(meta::ClassDef const& declaring, unsigned index);
  void set(meta::ClassDef const& declaring, unsigned index, ImmutableObject const& value);
  void unset(meta::ClassDef const& declaring, unsigned index);

  // Elements owned through composite properties, in property order.
  std::vector<ElementBase*> children();

 protected:
  // Elements live in their model's arena: `delete` is no way to end one.
  // Run by the element's (virtual) destructor.
  ~ElementBase();
  void retainModel();
  void releaseModel();
  ImmutableType metaType() const;
  char const* kovoName(bool immutable) const;
  ImmutableModel modelHandle() const;
  std::string describe() const;

 private:
  friend class detail::ElementAccess;
  void setOwner(detail::PropertyImpl const& p, ImmutableObject const& value);
  NSInterface::ModelIntf* fModel;
  detail::ClassImpl const* fClass;
  ElementBase* fContainer = nullptr;
  unsigned fContainerSlot : 29 = 0;
  unsigned fTakenOut : 1 = 0;   // by a transaction that rolled back its creation
  unsigned fBuried : 1 = 0;    // taken out and kept until the model goes
  unsigned fSnapshots : 1 = 0;  // a derived collection holds a list of the children
  std::uint32_t fId = 0;
  detail::SlotTable fSlots;
};

// The size of every element: the interface's counting base and the core.
inline constexpr std::size_t kElementBytes = ElementBase::kOffset + sizeof(ElementBase);

// The one concrete element implementation, per interface.
template <class Intf>
class OZO_LIBRARY_LOCAL ModelObjectImpl final : public Intf, public ElementBase {
 public:
  ModelObjectImpl(NSInterface::ModelIntf* model, NSInterface::ClassIntf const* cls) : ElementBase(model, cls) {}

  void addRef() override {
    if (this->fUseCount++ == 0) retainModel();
  }
  void release() override {
    // May destroy this object (with its model): nothing may follow.
    if (--this->fUseCount == 0) releaseModel();
  }
  ImmutableType getMetaType(Deviant const&) const override { return metaType(); }
  char const* getKovoName(bool immutable) const override { return kovoName(immutable); }
  ImmutableModel getModel(Deviant const&) const override { return modelHandle(); }
  std::string toString(Deviant const&) const override { return describe(); }
  NSInterface::ClassIntf const* metaClass() const override { return classIntf(); }
  NSInterface::ModelIntf* model() const override { return modelIntf(); }
  NSInterface::ClassObjectIntf* container() const override {
    return containerCore() ? containerCore()->self() : nullptr;
  }
  ElementBase* elementCore() override { return this; }

  // A new element in the arena of `model`.
  static ModelObjectImpl* make(NSInterface::ModelIntf* model, NSInterface::ClassIntf const* cls) {
    static_assert(sizeof(Intf) == ElementBase::kOffset && sizeof(ModelObjectImpl) == kElementBytes,
                  "an element interface adds no data: the core sits right after the counting base");
    detail::ElementArena& arena = detail::arenaOf(model);
    void* const memory = arena.allocate(kElementBytes);
    ModelObjectImpl* made;
    try {
      made = ::new (memory) ModelObjectImpl(model, cls);
    } catch (...) {
      arena.deallocate(memory, kElementBytes);
      throw;
    }
    assert(static_cast<ElementBase*>(made)->self() == made);
    return made;
  }

 private:
  ~ModelObjectImpl() override = default;
};

// Makes a new element of Intf's class in `model`. Fails with the NULL-ref
// message for an empty model, the read-only error for a read-only model, and
// for abstract classes.
NSInterface::ModelIntf* prepareCreation(Model const& model, IntrospectiveMethods const& methods);
// The create event of a new element, for whoever watches its model.
void elementCreated(ElementBase* element);
template <class Intf>
Intf* createElementOf(Model const& model) {
  NSInterface::ModelIntf* const m = prepareCreation(model, Intf::sIntrospectiveMethods);
  auto* const e = ModelObjectImpl<Intf>::make(m, metaClassOf(*Intf::sIntrospectiveMethods.def));
  elementCreated(e);
  return e;
}
// An element of any class, through its introspection record (for classes
// without their own interface).
ClassObject createObject(Model const& model, IntrospectiveMethods const& methods);

// ---------------------------------------------------------------------------
// The accessor record, written once; instantiated per class definition.
namespace detail {
Object getProperty(ClassObject const& o, meta::ClassDef const& d, unsigned i);
bool isPropertySet(ClassObject const& o, meta::ClassDef const& d, unsigned i);
void setProperty(ClassObject const& o, meta::ClassDef const& d, unsigned i, Object const& v);
void unsetProperty(ClassObject const& o, meta::ClassDef const& d, unsigned i);
}  // namespace detail

template <meta::ClassDef const& D>
OZO_LIBRARY_LOCAL inline constexpr PropertyAccessors kElementAccessors{
    [](ClassObject const& o, unsigned i) -> Object { return detail::getProperty(o, D, i); },
    [](ClassObject const& o, unsigned i) -> bool { return detail::isPropertySet(o, D, i); },
    [](ClassObject const& o, unsigned i, Object const& v) { detail::setProperty(o, D, i, v); },
    nullptr,
    [](ClassObject const& o, unsigned i) { detail::unsetProperty(o, D, i); },
};

// ---------------------------------------------------------------------------
// Typed facades.

template <class H>
concept TypedHandle = requires { typename H::Intf; };

// The object as typed handle H (an empty handle when it is not one).
template <TypedHandle H>
H handleCast(ImmutableObject const& o) {
  auto* p = o.get() ? dynamic_cast<typename H::Intf*>(o.get()) : nullptr;
  return p ? H(p, o.deviant()) : H();
}

// Values to and from the reflective form.
inline Object box(ImmutableObject const& o) { return Object::fromImmutable(o); }
inline Object box(Integer v) { return v; }
inline Object box(Real v) { return v; }
inline Object box(Boolean v) { return v; }
inline Object box(String const& v) { return v; }

template <class T>
T unbox(ImmutableObject const& o) {
  if constexpr (std::is_same_v<T, Integer> || std::is_same_v<T, Real> || std::is_same_v<T, Boolean> ||
                std::is_same_v<T, String>)
    return T(o);
  else if constexpr (std::is_same_v<T, Object>)
    return Object::fromImmutable(o);
  else if constexpr (std::is_same_v<T, ImmutableObject>)
    return o;
  else
    return handleCast<T>(o);
}

// Reflective reads and writes of one property of `self`, an element handle.
template <class Self>
ClassObject classObjectOf(Self const& self) {
  return ClassObject(self.intf(), self.deviant());
}
template <class T, class Self>
T readProperty(Self const& self, IntrospectiveMethods const& m, unsigned index) {
  return unbox<T>(m.accessors->get(classObjectOf(self), index));
}
template <class T, class Self>
std::optional<T> readOptional(Self const& self, IntrospectiveMethods const& m, unsigned index) {
  ClassObject const o = classObjectOf(self);
  if (!m.accessors->isSet(o, index)) return std::nullopt;
  return unbox<T>(m.accessors->get(o, index));
}
template <class Self>
bool propertyIsSet(Self const& self, IntrospectiveMethods const& m, unsigned index) {
  return m.accessors->isSet(classObjectOf(self), index);
}
template <class Self, class V>
void writeProperty(Self const& self, IntrospectiveMethods const& m, unsigned index, V const& value) {
  m.accessors->set(classObjectOf(self), index, box(value));
}
template <class Self>
void unsetProperty(Self const& self, IntrospectiveMethods const& m, unsigned index) {
  m.accessors->unset(classObjectOf(self), index);
}
// Writes an optional value: a value sets the property, none unsets it.
template <class Self, class V>
void writeOptional(Self const& self, IntrospectiveMethods const& m, unsigned index, std::optional<V> const& value) {
  if (value)
    writeProperty(self, m, index, *value);
  else
    unsetProperty(self, m, index);
}

// A live many-valued property seen with element type T (Integer, Real,
// Boolean, String or a typed element handle). Positions are 0-based; edits
// check the owner's writability and the value's type before changing anything.
template <class T>
class Collection : public Handle<NSInterface::CollectionIntf> {
 public:
  using Handle::Handle;
  Collection() = default;
  explicit Collection(ImmutableObject const& o)
      : Handle(dynamic_cast<NSInterface::CollectionIntf*>(o.get()), o.deviant()) {}

  std::size_t size() const { return checked()->size(); }
  bool empty() const { return size() == 0; }
  T at(std::size_t i) const { return unbox<T>(checked()->at(i)); }
  void insert(std::size_t i, T const& v) const { checked()->insert(i, box(v)); }
  void push_back(T const& v) const { insert(size(), v); }
  void erase(std::size_t i) const { checked()->erase(i); }
  void replace(std::size_t i, T const& v) const { checked()->replace(i, box(v)); }
  void clear() const { checked()->clear(); }
  std::vector<T> values() const {
    std::vector<T> r;
    for (std::size_t i = 0, n = size(); i < n; ++i) r.push_back(at(i));
    return r;
  }
};

// A list of primitive values that belongs to no element, such as the result
// of a model operation. `kind` is Integer, Real, Boolean or String; edits
// check that kind.
NSInterface::CollectionIntf* newFreeCollection(meta::ValueKind kind);
template <class T>
Collection<T> makeCollection(meta::ValueKind kind, std::vector<T> const& values) {
  Collection<T> const list(newFreeCollection(kind), Deviant{});
  for (T const& v : values) list.push_back(v);
  return list;
}

template <class T, class Self>
Collection<T> readCollection(Self const& self, IntrospectiveMethods const& m, unsigned index) {
  return Collection<T>(m.accessors->get(classObjectOf(self), index));
}

// The immutable typed handle of interface IntfT, derived from the handle of
// its model superclass (Base). A class's handle derives from this and adds
// its getters.
template <class IntfT, class Base>
class ImmutableHandle : public Base {
 public:
  using Intf = IntfT;
  ImmutableHandle() = default;
  ImmutableHandle(Intf* p, Deviant d) : Base(p, d) {}
  Intf* intf() const { return static_cast<Intf*>(this->get()); }
  static ImmutableClass MetaClass() { return Intf::sIntrospectiveMethods.metaClass(); }
};

// The modifiable form of immutable handle Imm. Setters come from per-class
// mixins stacked on top (XMutators<YMutators<Modifiable<ImmutableX>>>), so a
// modifiable handle has the setters of all its model ancestors.
template <class Imm>
class Modifiable : public Imm {
 public:
  using Imm::Imm;
  Modifiable() = default;
  operator Object() const { return Object(this->get(), this->deviant()); }
};

// Creation of a typed element: H(new element of H::Intf's class).
template <TypedHandle H>
H createElement(Model const& model) {
  return H(createElementOf<typename H::Intf>(model), Deviant{});
}

}  // namespace Ozo
