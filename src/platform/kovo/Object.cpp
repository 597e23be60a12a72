// Host objects and the binding registry.
#include <kovo/Class.hpp>
#include <kovo/Object.hpp>
#include <kovo/ObjectKeys.hpp>
#include <kovo/OpenTable.hpp>

#include "BlockCache.hpp"
#include "Internal.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace kovo {

namespace {

std::atomic<std::size_t> gLiveObjects{0};

// One entry per bound pointer that is in the binding registry or bound to
// live objects (or both): one entry per binding rather than one in each of
// two maps, kept inline in one table (no node per binding).
struct Binding {
  void const* bound = nullptr;  // null: a free place
  // The host object registered under this pointer (no reference held), or null.
  COSInterface* registered = nullptr;
  // How many live, not deleted objects (value objects included) are bound to it.
  std::size_t live = 0;
};

struct BindingTraits {
  static std::uintptr_t key(Binding const& b) { return reinterpret_cast<std::uintptr_t>(b.bound); }
  static bool isFree(Binding const& b) { return b.bound == nullptr; }
};

struct Bindings {
  OpenTable<Binding, BindingTraits> table;
  std::size_t registered = 0;

  Binding* find(void const* bound) const { return table.find(reinterpret_cast<std::uintptr_t>(bound)); }

  // The entry of `bound`, made empty if there is none.
  Binding* entry(void const* bound) {
    if (Binding* b = find(bound)) return b;
    return table.insert(Binding{bound});
  }

  // Drops the entry once nothing is registered or bound under it.
  void dropIfUnused(Binding* b) {
    if (b->live == 0 && !b->registered) table.erase(b);
  }

  COSInterface* findRegistered(void const* bound) const {
    Binding const* const b = find(bound);
    return b ? b->registered : nullptr;
  }
};

// Never destroyed: objects may still be released by other libraries' static
// destructors at exit.
Bindings& bindings() {
  static Bindings* b = new Bindings;
  return *b;
}

void addLive(void const* bound) {
  if (!bound) return;
  ++bindings().entry(bound)->live;
}

void dropLive(void const* bound) {
  if (!bound) return;
  Bindings& b = bindings();
  Binding* const it = b.find(bound);
  if (!it || it->live == 0) return;
  --it->live;
  b.dropIfUnused(it);
}

// The owner of slotted ids, if any: set once when its library loads.
std::atomic<factory::basic::BindingRegistry::SlotOwner> gSlotOwner{nullptr};
// Bindings kept in slots (those in the table are counted there).
std::size_t gSlotted = 0;

// The slot of `id` when its owner recognises it, else null.
BindingSlot* slotOf(void const* id) {
  auto const owner = gSlotOwner.load(std::memory_order_acquire);
  return id && owner && owner(id) ? static_cast<BindingSlot*>(const_cast<void*>(id)) : nullptr;
}

COSClass* requireDeclared(Interned cls) {
  COSClass* c = detail::findDeclaredClass(cls);
  if (!c) throw HostError("Unknown class \"" + std::string(cls.view()) + "\".");
  return c;
}

}  // namespace

namespace detail {
bool isLiveBound(void const* bound) {
  if (!bound) return false;
  // A slot's object leaves it when it is deleted.
  if (BindingSlot const* const slot = slotOf(bound)) return slot->registered != nullptr;
  Binding const* const it = bindings().find(bound);
  return it && it->live != 0;
}
}  // namespace detail

COSInterface::COSInterface(COSClass* cls, void* bound, Kind kind) : fKind(kind), fClass(cls), fBound(bound) {
  if (kind != Kind::Slotted) addLive(bound);
  gLiveObjects.fetch_add(1, std::memory_order_relaxed);
}

static_assert(sizeof(COSInterface) <= 32);
using HostObjectBlocks = detail::BlockCache<sizeof(COSInterface)>;

void* COSInterface::operator new(std::size_t) { return HostObjectBlocks::take(); }  // final: one size

void COSInterface::operator delete(void* block) noexcept { HostObjectBlocks::give(block); }

COSInterface::~COSInterface() { gLiveObjects.fetch_sub(1, std::memory_order_relaxed); }

std::size_t COSInterface::live() { return gLiveObjects.load(std::memory_order_relaxed); }

COSInterface* COSInterface::createUnbound(COSClass* cls) {
  if (!cls) throw HostError("Unknown class \"\".");
  return new COSInterface(cls, nullptr, Kind::Handle);
}

void* COSInterface::lookup(Interned className) const {
  if (fDeleted || !fBound) return nullptr;
  if (fKind != Kind::Value) return fBound;
  return detail::distanceToName(fClass, className) >= 0 ? fBound : nullptr;
}

void COSInterface::release() {
  // Not the last reference: the object stays alive whatever other threads do,
  // so the count drops without the lock.
  for (int n = fRefs.load(std::memory_order_relaxed); n > 1;)
    if (fRefs.compare_exchange_weak(n, n - 1, std::memory_order_acq_rel, std::memory_order_relaxed)) return;
  // Maybe the last one: under the host lock, the count included. The binding
  // registry holds no reference, so a lookup there (under the lock) must never
  // find an object whose last reference is already gone on another thread.
  std::lock_guard lock(hostMutex());
  if (fRefs.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
  // Release runs from destructors, where an exception cannot pass: a failing
  // destroyInstance is reported on the host console instead.
  try {
    BindingAccess::destroyNow(this);
  } catch (std::exception const& e) {
    zkPrintf("Warning: destroying an object of class \"%s\" failed: %s\n", fClass->getName().c_str(), e.what());
  } catch (...) {
    zkPrintf("Warning: destroying an object of class \"%s\" failed.\n", fClass->getName().c_str());
  }
  delete this;
}

COSInterface* BindingAccess::create(COSClass* cls, void* bound, bool valueObject) {
  return new COSInterface(cls, bound, valueObject ? COSInterface::Kind::Value : COSInterface::Kind::Handle);
}

COSInterface* BindingAccess::createSlotted(COSClass* cls, BindingSlot* slot) {
  auto* const obj = new COSInterface(cls, nullptr, COSInterface::Kind::Handle);
  bindSlot(obj, slot);  // the caller found the slot empty: this cannot fail
  return obj;
}

void BindingAccess::bindSlot(COSInterface* obj, BindingSlot* slot) {
  if (slot->registered != obj) {
    if (slot->registered) throw HostError("The native object is already bound to another host object.");
    slot->registered = obj;
    ++gSlotted;
  }
  obj->fKind = COSInterface::Kind::Slotted;
  obj->fRegistered = true;
  obj->fBound = slot;
}

void BindingAccess::bind(COSInterface* obj, void* bound, bool store) {
  if (store) {
    if (BindingSlot* const slot = slotOf(bound)) return bindSlot(obj, slot);
    Bindings& b = bindings();
    Binding* const it = b.entry(bound);
    if (it->registered != obj) {
      if (it->registered) {
        b.dropIfUnused(it);
        throw HostError("The native object is already bound to another host object.");
      }
      it->registered = obj;
      ++b.registered;
    }
    obj->fRegistered = true;
  }
  obj->fBound = bound;
  addLive(bound);
}

void BindingAccess::setRegistered(COSInterface* obj, bool registered) { obj->fRegistered = registered; }

void BindingAccess::destroyNow(COSInterface* obj) {
  if (obj->fDestroyed) return;
  obj->fDestroyed = true;
  obj->fDeleted = true;
  if (!obj->fBound) return;
  if (obj->fKind == COSInterface::Kind::Slotted) {
    // The slot is the id, checked when it was bound; the id lives at least
    // as long as the binding (the binding holds its object).
    auto* const slot = static_cast<BindingSlot*>(obj->fBound);
    if (slot->registered == obj) factory::basic::BindingRegistry::removeSlot(slot);
    obj->fRegistered = false;
  } else {
    dropLive(obj->fBound);
  }
  // The class description normally removes the binding itself; whatever it
  // does, the registry must not keep pointing at this object.
  struct Unregister {
    COSInterface* obj;
    ~Unregister() {
      if (obj->fRegistered) factory::basic::BindingRegistry::remove(obj->fBound);
    }
  } unregister{obj};
  COSClassInfo* const info = obj->fClass ? obj->fClass->info() : nullptr;
  if (!info) return;
  if (obj->fKind == COSInterface::Kind::Slotted)
    info->destroySlotted(static_cast<BindingSlot*>(obj->fBound));
  else
    info->destroyInstance(nullptr, obj->fBound);
}

namespace factory::basic {

HostArray* BindingRegistry::announce(void* id, Interned cls) {
  bool isNew = false;
  return announce(id, cls, isNew);
}

HostArray* BindingRegistry::announce(void* id, Interned cls, bool& isNew) {
  isNew = false;
  if (!id) return HostArray::createObjects(cls, 0, 0);
  if (BindingSlot* const slot = slotOf(id)) return announceSlot(slot, cls, isNew);
  Bindings& b = bindings();
  if (COSInterface* known = b.findRegistered(id)) return HostArray::createObject(known);
  COSClass* c = requireDeclared(cls);
  ArrayPtr out(HostArray::createObjects(c->getName(), 1, 1), false);
  COSInterface* const obj = BindingAccess::create(c, id, false);
  Binding* const slot = b.find(id);  // made by create
  slot->registered = obj;
  ++b.registered;
  BindingAccess::setRegistered(obj, true);
  out->objects()[0] = COSInterfacePtr(obj, false);
  isNew = true;
  return out.detach();
}

HostArray* BindingRegistry::announceSlot(BindingSlot* slot, Interned cls, bool& isNew) {
  isNew = false;
  if (slot->registered) return HostArray::createObject(slot->registered);
  COSClass* c = requireDeclared(cls);
  ArrayPtr out(HostArray::createObjects(c->getName(), 1, 1), false);
  out->objects()[0] = COSInterfacePtr(BindingAccess::createSlotted(c, slot), false);
  isNew = true;
  return out.detach();
}

namespace {
COSInterface* underConstruction(Interned cls, HostArray* out) {
  COSInterface* const obj =
      out && out->classID() == ClassID::Object && out->numel() == 1 ? out->objects()[0].get() : nullptr;
  if (!obj || obj->isBound() || obj->isDeleted())
    throw HostError("No object under construction for class \"" + std::string(cls.view()) + "\".");
  return obj;  // the array keeps it
}
}  // namespace

void BindingRegistry::announceForConstructor(void* id, Interned cls, HostArray* out, bool store) {
  COSInterface* const obj = underConstruction(cls, out);
  if (!id) throw HostError("Cannot bind a null object to class \"" + std::string(cls.view()) + "\".");
  BindingAccess::bind(obj, id, store);
}

void BindingRegistry::announceSlotForConstructor(BindingSlot* slot, Interned cls, HostArray* out) {
  BindingAccess::bindSlot(underConstruction(cls, out), slot);
}

HostArray* BindingRegistry::announceWithoutStoring(void* ptr, Interned cls) {
  if (!ptr) return HostArray::createObjects(cls, 0, 0);
  COSClass* c = requireDeclared(cls);
  ArrayPtr out(HostArray::createObjects(c->getName(), 1, 1), false);
  out->objects()[0] = COSInterfacePtr(BindingAccess::create(c, ptr, true), false);
  return out.detach();
}

void BindingRegistry::removeSlot(BindingSlot* slot) noexcept {
  if (COSInterface* const obj = std::exchange(slot->registered, nullptr)) {
    BindingAccess::setRegistered(obj, false);
    --gSlotted;
  }
}

void BindingRegistry::remove(void* id) {
  if (BindingSlot* const slot = slotOf(id)) return removeSlot(slot);
  Bindings& b = bindings();
  Binding* const it = b.find(id);
  if (!it || !it->registered) return;
  BindingAccess::setRegistered(it->registered, false);
  it->registered = nullptr;
  --b.registered;
  b.dropIfUnused(it);
}

COSInterface* BindingRegistry::find(void* id) {
  if (BindingSlot const* const slot = slotOf(id)) return slot->registered;
  return bindings().findRegistered(id);
}

std::size_t BindingRegistry::size() { return bindings().registered + gSlotted; }

void BindingRegistry::setSlotOwner(SlotOwner owner) { gSlotOwner.store(owner, std::memory_order_release); }

}  // namespace factory::basic
}  // namespace kovo

namespace kovo {

namespace {
std::vector<ObjectResolver>& resolvers() {
  static auto* r = new std::vector<ObjectResolver>;
  return *r;
}
}  // namespace

void addObjectResolver(ObjectResolver resolver) {
  auto& r = resolvers();
  if (std::find(r.begin(), r.end(), resolver) == r.end()) r.push_back(resolver);
}

void const* objectOfBound(void const* bound) {
  for (ObjectResolver resolve : resolvers())
    if (void const* object = resolve(bound)) return object;
  return bound;
}

}  // namespace kovo
