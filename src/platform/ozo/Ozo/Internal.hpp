// Runtime internals shared by the runtime's own sources (not for libraries).
#pragma once

#include <Ozo/Changes.hpp>
#include <Ozo/Containment.hpp>
#include <Ozo/Element.hpp>
#include <kovo/Core.hpp>

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace Ozo::detail {

// Source places named in the runtime's own messages.
inline constexpr char kObjectHeader[] = "ozo/Ozo/Object_h";
inline constexpr char kModelHeader[] = "ozo/Ozo/Model_h";
inline constexpr char kElementHeader[] = "ozo/Ozo/ClassObject";
inline constexpr char kCollectionHeader[] = "ozo/kernel/containers/sequence/list/ListQImplForElements";
inline constexpr char kWritableHeader[] = "ozo/Ozo/DeviantAssertions_h";
inline constexpr char kChangesHeader[] = "ozo/Ozo/Changes";

struct ObserverEntry {
  std::uint64_t id;
  ElementBase* element;  // null: every element of the model
  ImmutableObject target;
  std::shared_ptr<ChangeObserver> observer;
};

// One per model, made when something first watches it; freed with the model.
struct ChangeHub {
  Transaction* transaction = nullptr;  // the open one
  bool replaying = false;              // a transaction applies its changes: not recorded
  std::vector<ObserverEntry> observers;
  bool active() const { return transaction != nullptr || !observers.empty(); }
};

// The hub of a model made by this runtime, made on first use; fails for any
// other model.
ChangeHub& hubFor(NSInterface::ModelIntf* model);
// Takes elements created by a transaction out of their model: they leave its
// element list, refuse writes and links, and are freed once nothing holds
// them (with the model, when another model may still refer to them).
void takeOut(NSInterface::ModelIntf* model, std::vector<ElementBase*> const& elements);
// Puts such an element back, as it was.
void putBack(ElementBase* element);
// The last reference of a taken-out element went.
void disposeTakenOut(ElementBase* element);

// Whether a model still stands. The model holds one reference and every weak
// link into one of its elements another, so a link can ask after the model
// (and with it the element) is gone. One block per model, made with it.
struct Liveness {
  std::size_t refs = 1;
  bool alive = true;
};

inline void releaseLiveness(Liveness* l) {
  if (--l->refs == 0) delete l;
}

// The liveness of a model made by this runtime, or null for any other model.
Liveness* livenessOf(NSInterface::ModelIntf* model);

// One stored reference of an element or collection: counted (strings,
// values), uncounted (immortal boxes, elements of the owner's own model), or
// weak (elements of another model: they read as empty once that model is
// gone, and never keep it alive, so no cycle across models can leak and no
// release runs into another model).
//
// Two words: the target with the link's kind in its two low bits (objects
// are at least word aligned), and the deviant. A weak link, which is rare,
// points to a small record of its own that holds the target and the
// liveness of the target's model.
class Link {
 public:
  Link() = default;
  Link(NSInterface::ObjectIntf* p, Deviant d, bool counted)
      : fWord(reinterpret_cast<std::uintptr_t>(p) | (counted && p ? kCounted : 0)), fD(d) {
    assert((reinterpret_cast<std::uintptr_t>(p) & kKind) == 0);
    if (fWord & kCounted) p->addRef();
  }
  // May fail (its record is made here), before anything is linked.
  static Link weak(NSInterface::ObjectIntf* p, Deviant d, Liveness* target) {
    Link l;
    l.fWord = reinterpret_cast<std::uintptr_t>(new WeakTarget{p, target}) | kWeak;
    l.fD = d;
    ++target->refs;
    return l;
  }
  Link(Link&& o) noexcept : fWord(std::exchange(o.fWord, 0)), fD(o.fD) {}
  Link& operator=(Link&& o) noexcept {
    if (this != &o) {
      Link old(std::move(*this));
      fWord = std::exchange(o.fWord, 0);
      fD = o.fD;
    }
    return *this;
  }
  ~Link() {
    if (fWord & kCounted) {
      target()->release();
    } else if (fWord & kWeak) {
      WeakTarget* const w = weakTarget();
      releaseLiveness(w->liveness);
      delete w;
    }
  }
  // The target, or null once a weakly linked target's model is gone.
  NSInterface::ObjectIntf* get() const {
    if (!(fWord & kWeak)) return target();
    WeakTarget const* const w = weakTarget();
    return w->liveness->alive ? w->object : nullptr;
  }
  Deviant deviant() const { return fD; }
  Object object() const {
    NSInterface::ObjectIntf* const p = get();
    return p ? Object(p, fD) : Object();
  }
  explicit operator bool() const { return get() != nullptr; }
  // Set to an element of a model that is gone since.
  bool dangling() const {
    if (!(fWord & kWeak)) return false;
    WeakTarget const* const w = weakTarget();
    return w->object && !w->liveness->alive;
  }

 private:
  struct WeakTarget {
    NSInterface::ObjectIntf* object;
    Liveness* liveness;
  };
  static constexpr std::uintptr_t kCounted = 1, kWeak = 2, kKind = kCounted | kWeak;
  NSInterface::ObjectIntf* target() const { return reinterpret_cast<NSInterface::ObjectIntf*>(fWord & ~kKind); }
  WeakTarget* weakTarget() const { return reinterpret_cast<WeakTarget*>(fWord & ~kKind); }

  std::uintptr_t fWord = 0;
  Deviant fD{};
};

// The links of a collection in order. Taking the first one off moves the
// start instead of every other link, so that a collection used as a queue
// (erasing at the front until empty) costs per item what appending does; the
// room left at the front is given back once it is half of the storage.
class LinkList {
 public:
  LinkList() = default;
  explicit LinkList(std::vector<Link> links) : fLinks(std::move(links)) {}

  std::size_t size() const { return fLinks.size() - fHead; }
  bool empty() const { return size() == 0; }
  Link& operator[](std::size_t i) { return fLinks[fHead + i]; }
  Link const& operator[](std::size_t i) const { return fLinks[fHead + i]; }
  auto begin() const { return fLinks.begin() + static_cast<std::ptrdiff_t>(fHead); }
  auto end() const { return fLinks.end(); }

  // Room for one more link, so that the insert after it cannot fail; grown
  // geometrically, so that appending stays amortised constant.
  void reserveOne() {
    if (fLinks.size() == fLinks.capacity()) fLinks.reserve(std::max<std::size_t>(4, 2 * fLinks.size()));
  }
  // After reserveOne: moves links only, which cannot fail.
  void insert(std::size_t i, Link link) noexcept {
    fLinks.insert(fLinks.begin() + static_cast<std::ptrdiff_t>(fHead + i), std::move(link));
  }
  // The link taken out at i; the caller lets it go once the list is whole.
  Link take(std::size_t i) noexcept {
    Link taken = std::move((*this)[i]);
    if (i == 0) {
      if (++fHead * 2 >= fLinks.size()) {
        fLinks.erase(fLinks.begin(), fLinks.begin() + static_cast<std::ptrdiff_t>(fHead));
        fHead = 0;
      }
    } else {
      fLinks.erase(fLinks.begin() + static_cast<std::ptrdiff_t>(fHead + i));
    }
    return taken;
  }
  // Every link, leaving the list empty.
  std::vector<Link> release() noexcept {
    fLinks.erase(fLinks.begin(), fLinks.begin() + static_cast<std::ptrdiff_t>(fHead));
    fHead = 0;
    return std::exchange(fLinks, {});
  }

 private:
  std::vector<Link> fLinks;
  std::size_t fHead = 0;  // links before it are taken
};

class CollectionImpl;

// The stored value of one property of an element: a link for a
// single-valued property; for a many-valued one the same link word holds
// the slot's own collection (uncounted: the slot deletes it), made on first
// use. The link's two words, then its number and flags: 24 bytes a slot.
class Slot {
 public:
  Slot() = default;
  Slot(Slot&& o) noexcept
      : value(std::move(o.value)), set(o.set), fMany(std::exchange(o.fMany, false)), number(o.number) {}
  Slot& operator=(Slot&& o) noexcept {
    if (this != &o) {
      Slot old(std::move(*this));
      value = std::move(o.value);
      set = o.set;
      number = o.number;
      fMany = std::exchange(o.fMany, false);
    }
    return *this;
  }
  ~Slot();

  // The collection of a many-valued property, null until made.
  CollectionImpl* many() const;
  void makeMany(std::unique_ptr<CollectionImpl> collection) noexcept;

  Link value;  // single-valued properties
  bool set = false;

 private:
  bool fMany = false;  // `value` holds the collection

 public:
  unsigned number = 0;  // kept by the element's slot table
};

class ClassImpl;

class PropertyImpl final : public Immortal<NSInterface::PropertyIntf> {
 public:
  PropertyImpl(meta::PropertyDef const& def, unsigned id, ClassImpl const* owner, unsigned slot);
  meta::PropertyDef const& def() const override { return fDef; }
  unsigned id() const override { return fId; }
  NSInterface::ClassIntf const* owner() const override;
  ImmutableType getMetaType(Deviant const&) const override;
  char const* getKovoName(bool) const override { return "Ozo.ImmutableProperty"; }
  std::string toString(Deviant const&) const override { return std::string(fQualified.view()); }

  unsigned slot() const { return fSlot; }
  // The class that states the property (what ElementBase::get takes with id()).
  meta::ClassDef const& declaring() const;
  // "Axis.BaseType", for messages.
  char const* qualifiedName() const { return fQualified.c_str(); }
  // Host class name of the property's collection in a view.
  char const* collectionName(bool immutable) const {
    return immutable ? fImmutableSequence.c_str() : fSequence.c_str();
  }
  bool isMany() const { return fDef.multiplicity == meta::Multiplicity::Many; }
  bool isDerived() const {
    return fDef.readOnly || (fDef.derived != meta::Derivation::None && !isOwnerLink());
  }
  // The writable end of an ownership pair: the element's owner.
  bool isOwnerLink() const { return fDef.derived == meta::Derivation::Container && !fDef.readOnly; }
  // What a value must be, for messages: "an Integer", "a Zorvan.metamodel.types.PrimitiveType".
  std::string expected() const;

 private:
  meta::PropertyDef const& fDef;
  unsigned fId;
  ClassImpl const* fOwner;
  unsigned fSlot;
  kovo::Interned fQualified, fImmutableSequence, fSequence;
};

class ClassImpl final : public Immortal<NSInterface::ClassIntf> {
 public:
  ClassImpl(meta::ClassDef const& def, ClassImpl const* super);
  std::string name() const override { return fDef.name; }
  std::string qualifiedName() const override { return std::string(fQualified.view()); }
  meta::ClassDef const& def() const override { return fDef; }
  NSInterface::ClassIntf const* superclass() const override { return fSuper; }
  std::vector<NSInterface::PropertyIntf*> const& ownProperties() const override { return fOwn; }
  bool conformsTo(NSInterface::ClassIntf const* other) const override;
  ImmutableType getMetaType(Deviant const&) const override;
  char const* getKovoName(bool) const override { return "Ozo.ImmutableClass"; }
  std::string toString(Deviant const&) const override { return std::string(fQualified.view()); }

  ClassImpl const* super() const { return fSuper; }
  char const* qualified() const { return fQualified.c_str(); }
  char const* elementName(bool immutable) const {
    return immutable ? fImmutableName.c_str() : fModifiableName.c_str();
  }
  // True when the class is `def` or derives from it.
  bool derivesFrom(meta::ClassDef const& def) const;
  // True when the class or an ancestor has the qualified name.
  bool conformsToName(std::string_view qualifiedName) const;
  unsigned slotCount() const { return fSlotCount; }
  // All properties of the class and its ancestors, by slot.
  PropertyImpl const& bySlot(unsigned slot) const { return *fAll[slot]; }
  PropertyTableEntry const* table() const { return fTable.data(); }
  // The properties that hold an element's own data, one per slot in slot
  // order, each under its most specific statement: what saving, copying and
  // comparing walk. Derived properties and the owner end of an ownership
  // pair are left out (the owner's composite property holds that fact).
  std::vector<PropertyImpl const*> const& stored() const { return fStored; }
  // The property of that name, the most specific statement when several
  // share the name; null when the class has none.
  PropertyImpl const* propertyNamed(std::string_view name) const;

 private:
  meta::ClassDef const& fDef;
  ClassImpl const* fSuper;
  kovo::Interned fQualified, fImmutableName, fModifiableName;
  unsigned fSlotCount;
  std::vector<NSInterface::PropertyIntf*> fOwn;
  std::vector<PropertyTableEntry> fTable;
  std::vector<PropertyImpl const*> fAll;
  std::vector<PropertyImpl const*> fStored;
  std::vector<std::pair<std::string_view, PropertyImpl const*>> fByName;  // sorted by name
};

ClassImpl const& classImpl(meta::ClassDef const& def);
// The runtime's meta classes of its own objects ("Class", "Property", "Model", ...).
ImmutableType runtimeType(char const* name);
// "Integer", "Sequence": the data types of values and collections.
ImmutableType dataType(char const* name);
// The type name of an object for messages ("Integer", "Zorvan.metamodel.types.Axis", "an empty handle").
std::string describeValue(ImmutableObject const& o);

// The immortal boxes of the primitive values.
NSInterface::ObjectIntf* integerBox();
NSInterface::ObjectIntf* realBox();
NSInterface::ObjectIntf* booleanBox();
NSInterface::ObjectIntf* shortStringBox();  // text of up to seven units of at most 0xFF
bool isString(NSInterface::ObjectIntf* o);

// Models keep their elements; the element registers itself on creation and
// gets the model's next id.
void adoptElement(NSInterface::ModelIntf* model, ElementBase* element);
// Gives a new element of `model` the id it had in a saved file; later ids
// follow the largest one given. The caller has checked that no other element
// has it.
void restoreId(NSInterface::ModelIntf* model, ElementBase* element, std::uint32_t id);
// The elements of a model made by this runtime, in creation order (no
// references added); empty for any other model.
std::vector<ElementBase*> const& elementsOf(NSInterface::ModelIntf* model);

class CollectionImpl final : public NSInterface::CollectionIntf {
 public:
  CollectionImpl(ElementBase* owner, PropertyImpl const& property) : fOwner(owner), fProperty(property) {}
  void addRef() override;
  void release() override;
  ImmutableType getMetaType(Deviant const&) const override { return dataType("Sequence"); }
  char const* getKovoName(bool immutable) const override { return fProperty.collectionName(immutable); }
  ImmutableModel getModel(Deviant const&) const override;
  std::string toString(Deviant const&) const override;

  meta::PropertyDef const& def() const override { return fProperty.def(); }
  NSInterface::ClassObjectIntf* owner() const override { return fOwner->self(); }
  std::size_t size() const override;
  Object at(std::size_t i) const override;
  void insert(std::size_t i, ImmutableObject const& v) override;
  void erase(std::size_t i) override;
  void replace(std::size_t i, ImmutableObject const& v) override;
  void clear() override;

  // Removes an element that moves to another owner (no checks); its
  // position, or -1 when it was not here.
  std::ptrdiff_t forget(ElementBase* child);
  PropertyImpl const& property() const { return fProperty; }
  // A change of this collection for whoever watches its model.
  void emit(ChangeKind kind, std::size_t position, Object const& oldValue, Object const& newValue) const;
  LinkList const& entries() const { return fEntries; }
  // The owner's children changed: the list is made again when next read.
  void dropSnapshot() const { fSnapshotValid = false; }

 private:
  // The entries, or for a derived collection the snapshot of the owner's children.
  LinkList const& current() const;
  void checkEditable() const;
  void checkPosition(std::size_t i, std::size_t limit) const;
  // Takes `child` out of the entries if it is one of them; `i` keeps
  // pointing at the same neighbour.
  std::ptrdiff_t dropEntryOf(ElementBase* child, std::size_t& i);

  ElementBase* fOwner;
  PropertyImpl const& fProperty;
  LinkList fEntries;
  mutable LinkList fSnapshot;
  mutable bool fSnapshotValid = false;  // dropped by the owner when its children change
};

inline Slot::~Slot() {
  if (fMany) delete many();
}
inline CollectionImpl* Slot::many() const {
  return fMany ? static_cast<CollectionImpl*>(value.get()) : nullptr;
}
inline void Slot::makeMany(std::unique_ptr<CollectionImpl> collection) noexcept {
  value = Link(collection.release(), Deviant{}, false);
  fMany = true;
}

// Element operations shared by elements and collections.
class ElementAccess {
 public:
  // A stored link for `value` in `property` of `owner`; checks the value's
  // kind and class and, for composites, that `owner` may own it.
  static Link makeLink(ElementBase* owner, PropertyImpl const& property, ImmutableObject const& value);
  // Takes `child` out of its current owner (no checks).
  static void detach(ElementBase* child);
  // The owner's collection that holds `child`, or null.
  static NSInterface::CollectionIntf* owningCollection(ElementBase const& child);
  // The owner of `child` and its property that holds it.
  static Ownership ownership(ElementBase const& child);
  static void adopt(ElementBase* owner, unsigned slot, ElementBase* child);
  // Takes `child` from its owner's bookkeeping (its slot stays as it is).
  static void disown(ElementBase* child);
  static bool isOwnedThrough(ElementBase const* child, ElementBase const* owner, unsigned slot) {
    return child->fContainer == owner && child->fContainerSlot == slot;
  }
  // Changes whenever an element is adopted or disowned by `e`.
  // A derived collection of `e` listed its children / they changed.
  static void noteSnapshot(ElementBase* e) { e->fSnapshots = 1; }
  static void dropSnapshots(ElementBase* owner);
  static void setId(ElementBase* e, std::uint32_t id) { e->fId = id; }
  static SlotTable const& slots(ElementBase const& e) { return e.fSlots; }
  static bool isTakenOut(ElementBase const* e) { return e->fTakenOut; }
  static void setTakenOut(ElementBase* e, bool out) { e->fTakenOut = out; }
  // A taken-out element kept until its model goes.
  static bool isBuried(ElementBase const* e) { return e->fBuried; }
  static void setBuried(ElementBase* e) { e->fBuried = true; }
  // The element's ownership changed from `from` to its current owner: the
  // event of its owner end, when it has one and someone watches.
  static void noteOwnerChange(ElementBase* child, ElementBase* from);
  static Object defaultOf(meta::PropertyDef const& d);
  static ElementBase* coreOf(NSInterface::ObjectIntf* o);
  // The element's slot, or null when it was never used.
  static Slot const* slotOf(ElementBase const& e, unsigned slot) { return e.fSlots.find(slot); }
  static void assertWritable(ElementBase* e);
  static std::vector<Link> derivedChildren(ElementBase* e, PropertyImpl const& p);
};

}  // namespace Ozo::detail
