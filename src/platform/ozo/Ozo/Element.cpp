// The reflective core: property slots of elements, their collections, and
// ownership through composite properties. Every edit checks everything
// (writability, kind and class of the value, ownership) before it changes
// anything.
#include <Ozo/Containment.hpp>
#include <Ozo/Internal.hpp>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>

namespace Ozo {

using detail::ClassImpl;
using detail::CollectionImpl;
using detail::ElementAccess;
using detail::Link;
using detail::PropertyImpl;
using detail::Slot;

namespace {

using Kind = meta::ValueKind;
using meta::Derivation;

bool isRequired(meta::PropertyDef const& d) { return d.multiplicity == meta::Multiplicity::One; }

// What an unset single-valued property reads as.
Object defaultValue(meta::PropertyDef const& d) {
  switch (d.kind) {
    case Kind::Integer:
      return isRequired(d) ? Object(Integer(0)) : Object();
    case Kind::Real:
      return isRequired(d) ? Object(Real(0)) : Object();
    case Kind::Boolean:
      return isRequired(d) ? Object(Boolean(false)) : Object();
    case Kind::String:
      return String();
    case Kind::Element:
    case Kind::Value:
      break;
  }
  return {};
}

bool classConforms(NSInterface::ClassIntf const* c, char const* typeName) {
  if (!typeName) return true;
  if (auto const* impl = dynamic_cast<ClassImpl const*>(c)) return impl->conformsToName(typeName);
  for (; c; c = c->superclass())
    if (c->qualifiedName() == typeName) return true;
  return false;
}

}  // namespace

// ---------------------------------------------------------------------------
static_assert(sizeof(detail::Link) == 16 && sizeof(Slot) == 24, "a slot is its link's two words and one of number and flags");
static_assert(std::is_nothrow_move_constructible_v<Slot> && std::is_nothrow_move_assignable_v<Slot>,
              "growing a slot table moves slots after the allocation, where nothing may fail");

struct detail::SlotTable::Block {
  std::uint32_t size;
  std::uint32_t capacity;
  Slot* slots() { return std::launder(reinterpret_cast<Slot*>(this + 1)); }
};

namespace {
Slot* lowerBound(Slot* first, Slot* last, unsigned slot) {
  return std::lower_bound(first, last, slot, [](Slot const& s, unsigned k) { return s.number < k; });
}
}  // namespace

detail::SlotTable::SlotTable() = default;

detail::SlotTable::~SlotTable() = default;  // cleared by the element, which knows the arena

namespace {
std::size_t blockBytes(std::uint32_t capacity) { return sizeof(detail::SlotTable::Block) + capacity * sizeof(Slot); }
}  // namespace

void detail::SlotTable::clear(ElementArena& arena) noexcept {
  static_assert(sizeof(Block) % alignof(Slot) == 0 && alignof(Slot) <= ElementArena::kGrain);
  if (!fBlock) return;
  Block* const block = std::exchange(fBlock, nullptr);
  std::destroy_n(block->slots(), block->size);
  arena.deallocate(block, blockBytes(block->capacity));
}

Slot const* detail::SlotTable::find(unsigned slot) const {
  if (!fBlock) return nullptr;
  Slot* const first = fBlock->slots();
  Slot* const last = first + fBlock->size;
  Slot* const it = lowerBound(first, last, slot);
  return it != last && it->number == slot ? it : nullptr;
}

Slot const* detail::SlotTable::begin() const { return fBlock ? fBlock->slots() : nullptr; }
Slot const* detail::SlotTable::end() const { return fBlock ? fBlock->slots() + fBlock->size : nullptr; }

Slot& detail::SlotTable::at(unsigned slot, ElementArena& arena) {
  std::uint32_t const n = fBlock ? fBlock->size : 0;
  Slot* const first = fBlock ? fBlock->slots() : nullptr;
  Slot* const it = lowerBound(first, first + n, slot);
  if (it != first + n && it->number == slot) return *it;
  std::size_t const pos = static_cast<std::size_t>(it - first);
  if (!fBlock || n == fBlock->capacity) {
    // A slot per property at most, so the count stays far below the limit.
    // Two to start with: an element given any value is mostly given a second.
    std::uint32_t const capacity = n ? 2 * n : 2;
    void* const memory = arena.allocate(blockBytes(capacity));
    auto* const grown = ::new (memory) Block{n, capacity};
    Slot* const to = grown->slots();
    // Moves of slots do not throw: from here on nothing fails.
    std::uninitialized_move_n(first, pos, to);
    ::new (static_cast<void*>(to + pos)) Slot();
    std::uninitialized_move_n(first + pos, n - pos, to + pos + 1);
    if (fBlock) {
      std::destroy_n(first, n);
      arena.deallocate(fBlock, blockBytes(fBlock->capacity));
    }
    fBlock = grown;
  } else if (pos == n) {
    ::new (static_cast<void*>(first + n)) Slot();
  } else {
    ::new (static_cast<void*>(first + n)) Slot(std::move(first[n - 1]));
    std::move_backward(first + pos, first + n - 1, first + n);
    first[pos] = Slot();
  }
  fBlock->size = n + 1;
  Slot& made = fBlock->slots()[pos];
  made.number = slot;
  return made;
}

// ---------------------------------------------------------------------------
ElementBase::ElementBase(NSInterface::ModelIntf* model, NSInterface::ClassIntf const* cls)
    : fModel(model), fClass(static_cast<ClassImpl const*>(cls)) {
  detail::adoptElement(model, this);
}

ElementBase::~ElementBase() { fSlots.clear(detail::arenaOf(fModel)); }

void ElementBase::destroy() noexcept {
  detail::ElementArena& arena = detail::arenaOf(fModel);
  NSInterface::ClassObjectIntf* const whole = self();
  whole->~ClassObjectIntf();  // virtual: the element's own destructor, then this core's
  arena.deallocate(whole, kElementBytes);
}

NSInterface::ClassIntf const* ElementBase::classIntf() const { return fClass; }

void ElementBase::retainModel() { fModel->addRef(); }

void ElementBase::releaseModel() {
  if (fTakenOut) return detail::disposeTakenOut(this);
  fModel->release();
}

ImmutableType ElementBase::metaType() const { return ImmutableType(const_cast<ClassImpl*>(fClass), Deviant{}); }

char const* ElementBase::kovoName(bool immutable) const { return fClass->elementName(immutable); }

ImmutableModel ElementBase::modelHandle() const { return ImmutableModel(fModel, Deviant{}); }

std::string ElementBase::describe() const {
  std::string text = fClass->qualified();
  for (unsigned k = 0; k < fClass->slotCount(); ++k) {
    if (fClass->bySlot(k).slot() != k) continue;  // a restatement: its ancestor's entry holds the value
    meta::PropertyDef const& d = fClass->bySlot(k).def();
    Slot const* const s = fSlots.find(k);
    if (d.kind == Kind::String && std::strcmp(d.name, "Name") == 0 && s && s->set)
      text += " \"" + String(s->value.object()).utf8() + "\"";
  }
  return text;
}

namespace {

// The property `index` of class `declaring`, checked against the element's class.
PropertyImpl const& resolve(ClassImpl const* cls, meta::ClassDef const& declaring, unsigned index) {
  ClassImpl const* c = cls;
  while (c && &c->def() != &declaring) c = c->super();
  OZO_ASSERT_AT(detail::kElementHeader, 210, c != nullptr, "%s is not a %s.%s", cls->qualified(),
                declaring.packageName, declaring.name);
  OZO_ASSERT_AT(detail::kElementHeader, 212, index >= 1 && index <= declaring.propertyCount,
                "%s.%s has no property %u", declaring.packageName, declaring.name, index);
  return c->bySlot(c->slotCount() - declaring.propertyCount + index - 1);
}

void checkWritableProperty(PropertyImpl const& p) {
  OZO_ASSERT_AT(detail::kElementHeader, 231, !p.isDerived(), "Property %s is read-only", p.qualifiedName());
}

// The statement of a slot that a host user knows: the most specific one (a
// restatement comes after what it restates, in slot order).
PropertyImpl const& statementOf(ClassImpl const& c, unsigned slot) {
  for (unsigned k = c.slotCount(); k-- > 0;)
    if (c.bySlot(k).slot() == slot) return c.bySlot(k);
  return c.bySlot(slot);
}

Change changeOf(ChangeKind kind, ElementBase* e, PropertyImpl const* p) {
  Change c;
  c.kind = kind;
  c.element = ClassObject(e->self(), Deviant{});
  c.property = p;
  return c;
}

CollectionImpl* collectionOf(ElementBase* e, Slot& s, PropertyImpl const& p) {
  if (!s.many()) s.makeMany(std::make_unique<CollectionImpl>(e, p));
  return s.many();
}

}  // namespace

Object ElementBase::get(meta::ClassDef const& declaring, unsigned index) {
  PropertyImpl const& p = resolve(fClass, declaring, index);
  meta::PropertyDef const& d = p.def();
  if (p.isMany()) return Object(collectionOf(this, fSlots.at(p.slot(), detail::arenaOf(fModel)), p), Deviant{});
  switch (d.derived) {
    case Derivation::Model:
      return Object(fModel, Deviant{});
    case Derivation::Container:
      if (fContainer && classConforms(fContainer->fClass, d.typeName)) return Object(fContainer->self(), Deviant{});
      return {};
    case Derivation::Children:
      return {};
    case Derivation::Rule:
      return d.rule(ImmutableObject(self(), Deviant{}));
    case Derivation::None:
      break;
  }
  Slot const* const s = fSlots.find(p.slot());
  if (s && s->set && !d.readOnly) return s->value.object();
  return defaultValue(d);
}

bool ElementBase::isSet(meta::ClassDef const& declaring, unsigned index) {
  PropertyImpl const& p = resolve(fClass, declaring, index);
  if (p.isMany()) {
    Slot const* const s = fSlots.find(p.slot());
    return s && s->many() && s->many()->size() != 0;
  }
  switch (p.def().derived) {
    case Derivation::Model:
      return true;
    case Derivation::Container:
    case Derivation::Rule:
      return get(declaring, index).isValid();
    case Derivation::Children:
      return false;
    case Derivation::None:
      break;
  }
  Slot const* const s = fSlots.find(p.slot());
  return s && s->set && s->value;  // a weak reference reads unset once its model is gone
}

void ElementBase::set(meta::ClassDef const& declaring, unsigned index, ImmutableObject const& value) {
  PropertyImpl const& p = resolve(fClass, declaring, index);
  if (p.isOwnerLink()) return setOwner(p, value);
  checkWritableProperty(p);
  OZO_ASSERT_AT(detail::kElementHeader, 240, !p.isMany(), "Property %s is multi-valued: edit its sequence instead",
                p.qualifiedName());
  if (!value.isValid()) return unset(declaring, index);
  ElementAccess::assertWritable(this);
  Link link = ElementAccess::makeLink(this, p, value);

  Slot& s = fSlots.at(p.slot(), detail::arenaOf(fModel));
  detail::ChangeHub* const hub = detail::activeHub(fModel);
  if (!p.def().composite) {
    if (!hub) {
      s.value = std::move(link);
      s.set = true;
      return;
    }
    Change c = changeOf(ChangeKind::Set, this, &statementOf(*fClass, p.slot()));
    c.wasSet = s.set;
    c.oldValue = s.set ? s.value.object() : defaultValue(p.def());
    c.newValue = link.object();
    c.isSet = true;
    s.value = std::move(link);
    s.set = true;
    detail::emitChange(hub, std::move(c));
    return;
  }
  ElementBase* const child = ElementAccess::coreOf(link.get());
  ElementBase* const old = s.set ? ElementAccess::coreOf(s.value.get()) : nullptr;
  if (old == child) return;
  ElementBase* const from = child->fContainer;
  bool const wasSet = s.set;
  ElementAccess::detach(child);
  if (old) ElementAccess::disown(old);
  s.value = std::move(link);
  s.set = true;
  ElementAccess::adopt(this, p.slot(), child);
  if (!hub) return;
  Change c = changeOf(ChangeKind::Set, this, &statementOf(*fClass, p.slot()));
  c.wasSet = wasSet;
  if (old) c.oldValue = Object(old->self(), Deviant{});
  c.newValue = Object(child->self(), Deviant{});
  c.isSet = true;
  detail::emitChange(hub, std::move(c));
  if (old) ElementAccess::noteOwnerChange(old, this);
  ElementAccess::noteOwnerChange(child, from);
}

void ElementBase::unset(meta::ClassDef const& declaring, unsigned index) {
  PropertyImpl const& p = resolve(fClass, declaring, index);
  if (p.isOwnerLink()) return setOwner(p, {});
  checkWritableProperty(p);
  if (p.isMany()) return collectionOf(this, fSlots.at(p.slot(), detail::arenaOf(fModel)), p)->clear();
  ElementAccess::assertWritable(this);
  Slot* const s = const_cast<Slot*>(fSlots.find(p.slot()));
  if (!s) return;  // never given a value
  detail::ChangeHub* const hub = s->set ? detail::activeHub(fModel) : nullptr;
  ElementBase* child = nullptr;
  if (p.def().composite && s->set)
    if ((child = ElementAccess::coreOf(s->value.get()))) ElementAccess::disown(child);
  Link const old = std::move(s->value);
  s->set = false;
  if (!hub) return;
  Change c = changeOf(ChangeKind::Unset, this, &statementOf(*fClass, p.slot()));
  c.wasSet = true;
  c.oldValue = old.object();
  c.newValue = defaultValue(p.def());
  detail::emitChange(hub, std::move(c));
  if (child) ElementAccess::noteOwnerChange(child, this);
}

// The owner end of an ownership pair. The new owner takes this element into
// its most specific composite property that fits (the last one in slot
// order); the owner's collection makes every check before it changes anything.
void ElementBase::setOwner(detail::PropertyImpl const& p, ImmutableObject const& value) {
  ElementAccess::assertWritable(this);
  char const* const ownerType = p.def().typeName;
  if (!value.isValid()) {
    if (ElementBase* const from = fContainer; from && classConforms(from->fClass, ownerType)) {
      ElementAccess::detach(this);
      ElementAccess::noteOwnerChange(this, from);
    }
    return;
  }
  (void)ElementAccess::makeLink(this, p, value);  // the owner's class
  ElementBase* const owner = ElementAccess::coreOf(value.get());
  OZO_ASSERT_AT(detail::kElementHeader, 290, owner != nullptr, "Value for %s was not made by this runtime",
                p.qualifiedName());
  PropertyImpl const* into = nullptr;
  for (unsigned k = owner->fClass->slotCount(); k-- > 0 && !into;) {
    PropertyImpl const& candidate = owner->fClass->bySlot(k);
    if (candidate.def().composite && classConforms(fClass, candidate.def().typeName)) into = &candidate;
  }
  OZO_ASSERT_AT(detail::kElementHeader, 297, into != nullptr, "A %s cannot own a %s", owner->fClass->qualified(),
                fClass->qualified());
  if (fContainer == owner && fContainerSlot == into->slot()) return;
  ImmutableObject const me(self(), Deviant{});
  if (into->isMany()) {
    CollectionImpl* const c = collectionOf(owner, owner->fSlots.at(into->slot(), detail::arenaOf(owner->fModel)), *into);
    c->insert(c->size(), me);
    return;
  }
  owner->set(static_cast<ClassImpl const*>(into->owner())->def(), into->id(), me);
}

std::vector<ElementBase*> ElementBase::children() {
  std::vector<ElementBase*> r;
  for (unsigned k = 0; k < fClass->slotCount(); ++k) {
    PropertyImpl const& p = fClass->bySlot(k);
    if (!p.def().composite || p.slot() != k) continue;
    Slot const* const s = fSlots.find(k);
    if (!s) continue;
    if (s->many()) {
      for (Link const& l : s->many()->entries()) r.push_back(ElementAccess::coreOf(l.get()));
    } else if (s->set) {
      r.push_back(ElementAccess::coreOf(s->value.get()));
    }
  }
  return r;
}

NSInterface::CollectionIntf* owningCollection(ElementBase const& element) {
  return ElementAccess::owningCollection(element);
}

Ownership ownershipOf(ElementBase const& element) { return ElementAccess::ownership(element); }

// ---------------------------------------------------------------------------
namespace detail {

NSInterface::CollectionIntf* ElementAccess::owningCollection(ElementBase const& e) {
  if (!e.fContainer) return nullptr;
  Slot const* const s = e.fContainer->fSlots.find(e.fContainerSlot);
  return s ? s->many() : nullptr;
}

Ownership ElementAccess::ownership(ElementBase const& e) {
  ElementBase* const owner = e.fContainer;
  if (!owner) return {};
  // A property that restates an inherited one shares its slot and comes
  // after it in slot order.
  ClassImpl const& c = *owner->fClass;
  for (unsigned k = c.slotCount(); k-- > 0;)
    if (c.bySlot(k).slot() == e.fContainerSlot) return {owner->self(), &c.bySlot(k)};
  return {owner->self(), nullptr};
}

ElementBase* ElementAccess::coreOf(NSInterface::ObjectIntf* o) {
  auto* const c = dynamic_cast<NSInterface::ClassObjectIntf*>(o);
  return c ? c->elementCore() : nullptr;
}

void ElementAccess::assertWritable(ElementBase* e) {
  // The general check asks the element for its model: only a read-only one
  // can fail it, so a writable model is answered here.
  if (e->fModel->isReadOnly()) DeviantAssertions::assertWritable(e->self());
  OZO_ASSERT_AT(kChangesHeader, 40, !e->fTakenOut,
                "%s was discarded: the transaction that created it was rolled back", e->fClass->qualified());
}

Object ElementAccess::defaultOf(meta::PropertyDef const& d) { return defaultValue(d); }

void ElementAccess::noteOwnerChange(ElementBase* child, ElementBase* from) {
  ElementBase* const to = child->fContainer;
  if (from == to) return;
  detail::ChangeHub* const hub = activeHub(child->fModel);
  if (!hub) return;
  // Every owner end of the child's class, each under its most specific
  // statement; it reads the owner when the owner is of its type.
  ClassImpl const& c = *child->fClass;
  std::vector<unsigned> seen;
  for (unsigned k = c.slotCount(); k-- > 0;) {
    PropertyImpl const& p = c.bySlot(k);
    if (!p.isOwnerLink() || std::find(seen.begin(), seen.end(), p.slot()) != seen.end()) continue;
    seen.push_back(p.slot());
    ElementBase* const before = from && classConforms(from->fClass, p.def().typeName) ? from : nullptr;
    ElementBase* const after = to && classConforms(to->fClass, p.def().typeName) ? to : nullptr;
    if (before == after) continue;
    Change e = changeOf(ChangeKind::Set, child, &p);
    e.kind = after ? ChangeKind::Set : ChangeKind::Unset;
    if (before) e.oldValue = Object(before->self(), Deviant{});
    if (after) e.newValue = Object(after->self(), Deviant{});
    e.wasSet = before != nullptr;
    e.isSet = after != nullptr;
    e.ownerSide = true;
    emitChange(hub, std::move(e));
  }
}

Link ElementAccess::makeLink(ElementBase* owner, PropertyImpl const& p, ImmutableObject const& value) {
  meta::PropertyDef const& d = p.def();
  NSInterface::ObjectIntf* const v = value.get();
  bool ok = v != nullptr;
  bool counted = true;
  NSInterface::ClassObjectIntf* element = nullptr;
  switch (d.kind) {
    case Kind::Integer:
      ok = ok && v == integerBox();
      counted = false;
      break;
    case Kind::Real:
      ok = ok && v == realBox();
      counted = false;
      break;
    case Kind::Boolean:
      ok = ok && v == booleanBox();
      counted = false;
      break;
    case Kind::String:
      ok = ok && isString(v);
      break;
    case Kind::Element:
      element = dynamic_cast<NSInterface::ClassObjectIntf*>(v);
      ok = element && classConforms(element->metaClass(), d.typeName);
      counted = element && element->model() != owner->fModel;
      if (ok && element->elementCore())
        OZO_ASSERT_AT(kChangesHeader, 41, !element->elementCore()->fTakenOut,
                      "Value for %s was discarded: the transaction that created it was rolled back",
                      p.qualifiedName());
      break;
    case Kind::Value:
      ok = ok && (!d.typeName || std::strcmp(v->getKovoName(false), d.typeName) == 0 ||
                  describeValue(value) == d.typeName);
      break;
  }
  if (!ok) {
    std::string const want = p.expected(), got = describeValue(value);
    OZO_FAIL_AT(kElementHeader, 268, "Value for %s must be %s, got %s", p.qualifiedName(), want.c_str(), got.c_str());
  }
  if (element && d.composite) {
    ElementBase* const child = element->elementCore();
    OZO_ASSERT_AT(kElementHeader, 273, child != nullptr, "Value for %s was not made by this runtime",
                  p.qualifiedName());
    OZO_ASSERT_AT(kElementHeader, 275, child->fModel == owner->fModel,
                  "Value for %s belongs to model \"%s\"; an element can only own elements of its own model",
                  p.qualifiedName(), child->fModel->name().c_str());
    for (ElementBase const* a = owner; a; a = a->fContainer)
      OZO_ASSERT_AT(kElementHeader, 279, a != child, "Value for %s would own itself", p.qualifiedName());
  }
  // An element of another model made by this runtime lives exactly as long
  // as that model: the link is weak. Anything else from outside is counted.
  if (element && element->model() != owner->fModel && element->elementCore())
    if (Liveness* const target = livenessOf(element->model())) return Link::weak(v, value.deviant(), target);
  return Link(v, value.deviant(), counted);
}

void ElementAccess::detach(ElementBase* child) {
  ElementBase* const owner = child->fContainer;
  if (!owner) return;
  Slot& s = owner->fSlots.at(child->fContainerSlot, arenaOf(owner->fModel));  // made when the child was adopted
  ChangeHub* const hub = activeHub(owner->fModel);
  if (s.many()) {
    std::ptrdiff_t const at = s.many()->forget(child);
    disown(child);
    if (hub && at >= 0)
      s.many()->emit(ChangeKind::Remove, static_cast<std::size_t>(at), Object(child->self(), Deviant{}), {});
    return;
  }
  PropertyImpl const* const p = hub ? &statementOf(*owner->fClass, child->fContainerSlot) : nullptr;
  bool const held = s.set && coreOf(s.value.get()) == child;
  if (held) {
    Link const old = std::move(s.value);
    s.set = false;
  }
  disown(child);
  if (!hub || !held) return;
  Change c = changeOf(ChangeKind::Unset, owner, p);
  c.wasSet = true;
  c.oldValue = Object(child->self(), Deviant{});
  emitChange(hub, std::move(c));
}

void ElementAccess::adopt(ElementBase* owner, unsigned slot, ElementBase* child) {
  child->fContainer = owner;
  child->fContainerSlot = slot & 0x1fffffffu;  // a slot per property: far below the limit
  dropSnapshots(owner);
}

void ElementAccess::disown(ElementBase* child) {
  if (child->fContainer) dropSnapshots(child->fContainer);
  child->fContainer = nullptr;
}

// The owner's children changed: its derived collections make their lists
// again when next read. Only an element one of them has listed pays a walk.
void ElementAccess::dropSnapshots(ElementBase* owner) {
  if (!owner->fSnapshots) return;
  owner->fSnapshots = 0;
  for (Slot const& s : owner->fSlots)
    if (CollectionImpl* const c = s.many()) c->dropSnapshot();
}

std::vector<Link> ElementAccess::derivedChildren(ElementBase* e, PropertyImpl const& p) {
  std::vector<Link> r;
  for (ElementBase* c : e->children())
    if (classConforms(c->fClass, p.def().typeName)) r.emplace_back(c->self(), Deviant{}, false);
  return r;
}

// ---------------------------------------------------------------------------
void CollectionImpl::addRef() {
  if (fUseCount++ == 0) fOwner->self()->addRef();
}

void CollectionImpl::release() {
  // May destroy this collection with its owner: nothing may follow.
  if (--fUseCount == 0) fOwner->self()->release();
}

ImmutableModel CollectionImpl::getModel(Deviant const&) const { return ImmutableModel(fOwner->modelIntf(), Deviant{}); }

std::string CollectionImpl::toString(Deviant const&) const {
  std::string text = "[";
  bool first = true;
  for (Link const& l : current()) {
    if (!first) text += ", ";
    first = false;
    NSInterface::ObjectIntf* const p = l.get();
    text += p ? p->toString(l.deviant()) : "null";
  }
  return text + "]";
}

// Derived collections read a snapshot that is made again only after the
// owner's children changed, so walking one costs what walking a stored one does.
LinkList const& CollectionImpl::current() const {
  if (fProperty.def().derived != meta::Derivation::Children) return fEntries;
  if (!fSnapshotValid) {
    fSnapshot = LinkList(ElementAccess::derivedChildren(fOwner, fProperty));
    fSnapshotValid = true;
    ElementAccess::noteSnapshot(fOwner);
  }
  return fSnapshot;
}

std::size_t CollectionImpl::size() const { return current().size(); }

void CollectionImpl::checkPosition(std::size_t i, std::size_t limit) const {
  OZO_ASSERT_AT(kCollectionHeader, 97, i < limit, "sequence index out of bounds");
}

void CollectionImpl::checkEditable() const {
  checkWritableProperty(fProperty);
  ElementAccess::assertWritable(fOwner);
}

Object CollectionImpl::at(std::size_t i) const {
  LinkList const& all = current();
  checkPosition(i, all.size());
  return all[i].object();
}

void CollectionImpl::insert(std::size_t i, ImmutableObject const& v) {
  checkEditable();
  checkPosition(i, fEntries.size() + 1);
  Link link = ElementAccess::makeLink(fOwner, fProperty, v);
  // Room first, so that nothing below can fail.
  fEntries.reserveOne();
  ChangeHub* const hub = activeHub(fOwner->modelIntf());
  if (!fProperty.def().composite) {
    Object const item = hub ? link.object() : Object();
    fEntries.insert(i, std::move(link));
    if (hub) emit(ChangeKind::Add, i, {}, item);
    return;
  }
  // An element already owned here moves to the new position.
  ElementBase* const child = ElementAccess::coreOf(link.get());
  ElementBase* const from = child->containerCore();
  std::ptrdiff_t const was = dropEntryOf(child, i);
  ElementAccess::detach(child);
  fEntries.insert(i, std::move(link));
  ElementAccess::adopt(fOwner, fProperty.slot(), child);
  if (!hub) return;
  Object const item(child->self(), Deviant{});
  if (was < 0) {
    emit(ChangeKind::Add, i, {}, item);
    ElementAccess::noteOwnerChange(child, from);
  } else if (static_cast<std::size_t>(was) != i) {
    Change c = changeOf(ChangeKind::Move, fOwner, &statementOf(*static_cast<ClassImpl const*>(fOwner->classIntf()),
                                                               fProperty.slot()));
    c.hasPosition = true;
    c.position = i;
    c.from = static_cast<std::size_t>(was);
    c.oldValue = item;
    c.newValue = item;
    emitChange(hub, std::move(c));
  }
}

void CollectionImpl::emit(ChangeKind kind, std::size_t position, Object const& oldValue,
                          Object const& newValue) const {
  ChangeHub* const hub = activeHub(fOwner->modelIntf());
  if (!hub) return;
  Change c = changeOf(kind, fOwner, &statementOf(*static_cast<ClassImpl const*>(fOwner->classIntf()), fProperty.slot()));
  c.hasPosition = true;
  c.position = position;
  c.oldValue = oldValue;
  c.newValue = newValue;
  emitChange(hub, std::move(c));
}

std::ptrdiff_t CollectionImpl::dropEntryOf(ElementBase* child, std::size_t& i) {
  // Only a child owned through this very property can be among the entries:
  // appending a new child costs no search.
  if (!ElementAccess::isOwnedThrough(child, fOwner, fProperty.slot())) return -1;
  NSInterface::ObjectIntf* const entry = child->self();
  for (std::size_t j = 0; j < fEntries.size(); ++j)
    if (fEntries[j].get() == entry) {
      Link const old = fEntries.take(j);
      if (j < i) --i;
      return static_cast<std::ptrdiff_t>(j);
    }
  return -1;
}

void CollectionImpl::erase(std::size_t i) {
  checkEditable();
  checkPosition(i, fEntries.size());
  ChangeHub* const hub = activeHub(fOwner->modelIntf());
  ElementBase* child = nullptr;
  if (fProperty.def().composite)
    if ((child = ElementAccess::coreOf(fEntries[i].get()))) ElementAccess::disown(child);
  Link const old = fEntries.take(i);
  if (!hub) return;
  emit(ChangeKind::Remove, i, old.object(), {});
  if (child) ElementAccess::noteOwnerChange(child, fOwner);
}

void CollectionImpl::replace(std::size_t i, ImmutableObject const& v) {
  checkEditable();
  checkPosition(i, fEntries.size());
  Link link = ElementAccess::makeLink(fOwner, fProperty, v);
  ChangeHub* const hub = activeHub(fOwner->modelIntf());
  if (!fProperty.def().composite) {
    Link const old = std::exchange(fEntries[i], std::move(link));
    if (hub) emit(ChangeKind::Set, i, old.object(), fEntries[i].object());
    return;
  }
  ElementBase* const child = ElementAccess::coreOf(link.get());
  ElementBase* const old = ElementAccess::coreOf(fEntries[i].get());
  if (child == old) return;
  ElementBase* const from = child->containerCore();
  std::ptrdiff_t const was = dropEntryOf(child, i);
  if (hub && was >= 0) emit(ChangeKind::Remove, static_cast<std::size_t>(was), Object(child->self(), Deviant{}), {});
  ElementAccess::detach(child);
  ElementAccess::disown(old);
  Link const previous = std::exchange(fEntries[i], std::move(link));
  ElementAccess::adopt(fOwner, fProperty.slot(), child);
  if (!hub) return;
  emit(ChangeKind::Set, i, previous.object(), Object(child->self(), Deviant{}));
  if (old) ElementAccess::noteOwnerChange(old, fOwner);
  if (was < 0) ElementAccess::noteOwnerChange(child, from);
}

void CollectionImpl::clear() {
  checkEditable();
  std::vector<Link> const old = fEntries.release();
  if (fProperty.def().composite)
    for (Link const& l : old)
      if (ElementBase* const child = ElementAccess::coreOf(l.get())) ElementAccess::disown(child);
  ChangeHub* const hub = old.empty() ? nullptr : activeHub(fOwner->modelIntf());
  if (!hub) return;
  Change c = changeOf(ChangeKind::Clear, fOwner,
                      &statementOf(*static_cast<ClassImpl const*>(fOwner->classIntf()), fProperty.slot()));
  c.items.reserve(old.size());
  for (Link const& l : old) c.items.push_back(l.object());
  emitChange(hub, std::move(c));
  if (fProperty.def().composite)
    for (Link const& l : old)
      if (ElementBase* const child = ElementAccess::coreOf(l.get())) ElementAccess::noteOwnerChange(child, fOwner);
}

std::ptrdiff_t CollectionImpl::forget(ElementBase* child) {
  NSInterface::ObjectIntf* const entry = child->self();
  for (std::size_t i = 0; i < fEntries.size(); ++i)
    if (fEntries[i].get() == entry) {
      Link const old = fEntries.take(i);
      return static_cast<std::ptrdiff_t>(i);
    }
  return -1;
}

// ---------------------------------------------------------------------------
namespace {
ElementBase* coreChecked(ClassObject const& o) {
  NSInterface::ClassObjectIntf* const c = o.checked();
  ElementBase* const e = c->elementCore();
  OZO_ASSERT_AT(kElementHeader, 201, e != nullptr, "%s is not an element of this runtime", c->getKovoName(true));
  return e;
}
}  // namespace

Object getProperty(ClassObject const& o, meta::ClassDef const& d, unsigned i) { return coreChecked(o)->get(d, i); }

bool isPropertySet(ClassObject const& o, meta::ClassDef const& d, unsigned i) {
  return coreChecked(o)->isSet(d, i);
}

void setProperty(ClassObject const& o, meta::ClassDef const& d, unsigned i, Object const& v) {
  coreChecked(o)->set(d, i, v);
}

void unsetProperty(ClassObject const& o, meta::ClassDef const& d, unsigned i) { coreChecked(o)->unset(d, i); }

}  // namespace detail

// ---------------------------------------------------------------------------
namespace {

class FreeCollection final : public Counted<NSInterface::CollectionIntf> {
 public:
  explicit FreeCollection(meta::PropertyDef const& def, char const* name, char const* immutableName)
      : fDef(def), fName(name), fImmutableName(immutableName) {}
  ImmutableType getMetaType(Deviant const&) const override { return detail::dataType("Sequence"); }
  char const* getKovoName(bool immutable) const override { return immutable ? fImmutableName : fName; }
  std::string toString(Deviant const&) const override {
    std::string text = "[";
    for (std::size_t i = 0; i < fItems.size(); ++i)
      text += (i ? ", " : "") + fItems[i].get()->toString(fItems[i].deviant());
    return text + "]";
  }
  meta::PropertyDef const& def() const override { return fDef; }
  NSInterface::ClassObjectIntf* owner() const override { return nullptr; }
  std::size_t size() const override { return fItems.size(); }
  Object at(std::size_t i) const override {
    check(i, fItems.size());
    return fItems[i];
  }
  void insert(std::size_t i, ImmutableObject const& v) override {
    check(i, fItems.size() + 1);
    fItems.insert(fItems.begin() + static_cast<std::ptrdiff_t>(i), checkedValue(v));
  }
  void erase(std::size_t i) override {
    check(i, fItems.size());
    fItems.erase(fItems.begin() + static_cast<std::ptrdiff_t>(i));
  }
  void replace(std::size_t i, ImmutableObject const& v) override {
    check(i, fItems.size());
    fItems[i] = checkedValue(v);
  }
  void clear() override { fItems.clear(); }

 private:
  static void check(std::size_t i, std::size_t limit) {
    OZO_ASSERT_AT(detail::kCollectionHeader, 97, i < limit, "sequence index out of bounds");
  }
  Object checkedValue(ImmutableObject const& v) const {
    NSInterface::ObjectIntf* const p = v.get();
    bool ok = false;
    switch (fDef.kind) {
      case Kind::Integer: ok = p == detail::integerBox(); break;
      case Kind::Real: ok = p == detail::realBox(); break;
      case Kind::Boolean: ok = p == detail::booleanBox(); break;
      case Kind::String: ok = p && detail::isString(p); break;
      case Kind::Element:
      case Kind::Value: break;
    }
    if (!ok) {
      std::string const got = detail::describeValue(v);
      OZO_FAIL_AT(detail::kCollectionHeader, 120, "A list of %s values cannot hold %s", fDef.name, got.c_str());
    }
    return Object::fromImmutable(v);
  }
  meta::PropertyDef const& fDef;
  char const* fName;
  char const* fImmutableName;
  std::vector<Object> fItems;
};

}  // namespace

NSInterface::CollectionIntf* newFreeCollection(meta::ValueKind kind) {
  static meta::PropertyDef const kIntegers{"Integer", Kind::Integer, meta::Multiplicity::Many};
  static meta::PropertyDef const kReals{"Real", Kind::Real, meta::Multiplicity::Many};
  static meta::PropertyDef const kBooleans{"Boolean", Kind::Boolean, meta::Multiplicity::Many};
  static meta::PropertyDef const kStrings{"String", Kind::String, meta::Multiplicity::Many};
  switch (kind) {
    case Kind::Integer: return new FreeCollection(kIntegers, "Ozo.SequenceOfInteger", "Ozo.ImmutableSequenceOfInteger");
    case Kind::Real: return new FreeCollection(kReals, "Ozo.SequenceOfReal", "Ozo.ImmutableSequenceOfReal");
    case Kind::Boolean: return new FreeCollection(kBooleans, "Ozo.SequenceOfBoolean", "Ozo.ImmutableSequenceOfBoolean");
    case Kind::String: return new FreeCollection(kStrings, "Ozo.SequenceOfString", "Ozo.ImmutableSequenceOfString");
    case Kind::Element:
    case Kind::Value: break;
  }
  OZO_FAIL_AT(detail::kCollectionHeader, 140, "A free-standing list holds Integer, Real, Boolean or String values");
  return nullptr;
}

}  // namespace Ozo
