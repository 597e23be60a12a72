// Host objects and the binding registry.
#include <kovo/Class.hpp>
#include <kovo/Object.hpp>

#include "Internal.hpp"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

namespace kovo {

namespace {

std::atomic<std::size_t> gLiveObjects{0};

// One entry per bound pointer that is in the binding registry or bound to
// live objects (or both): one entry per binding rather than one in each of
// two maps.
struct Binding {
  // The host object registered under this pointer (no reference held), or null.
  COSInterface* registered = nullptr;
  // How many live, not deleted objects (value objects included) are bound to it.
  std::size_t live = 0;
};

// The entries by bound pointer: open addressing with linear probing, at
// most 4/5 full, the entries inline (no node per binding, and adding or
// dropping one allocates nothing but the occasional growth). An entry's
// address holds until the next entry is added or dropped.
struct Bindings {
  struct Slot {
    void const* key = nullptr;  // null: free
    Binding value;
  };
  std::unique_ptr<Slot[]> slots;
  unsigned bits = 0;  // 2^bits slots once there are any
  std::size_t used = 0;
  std::size_t registered = 0;

  std::size_t mask() const { return (std::size_t{1} << bits) - 1; }
  std::size_t home(void const* key) const {
    auto const k = reinterpret_cast<std::uintptr_t>(key);
    return static_cast<std::size_t>((k * 0x9E3779B97F4A7C15ull) >> (64 - bits));
  }

  Binding* find(void const* bound) {
    if (used == 0) return nullptr;
    for (std::size_t i = home(bound);; i = (i + 1) & mask()) {
      if (slots[i].key == bound) return &slots[i].value;
      if (!slots[i].key) return nullptr;
    }
  }

  // The entry of `bound`, made empty if there is none.
  Binding* entry(void const* bound) {
    if (Binding* b = find(bound)) return b;
    if ((used + 1) * 5 > (std::size_t{1} << bits) * 4) grow();
    std::size_t i = home(bound);
    while (slots[i].key) i = (i + 1) & mask();
    slots[i] = Slot{bound, Binding{}};
    ++used;
    return &slots[i].value;
  }

  // Drops the entry once nothing is registered or bound under it. Entries
  // further along its run move back into the hole, so no lookup stops short.
  void dropIfUnused(Binding* b) {
    if (b->live != 0 || b->registered) return;
    Slot* const all = slots.get();
    std::size_t i = static_cast<std::size_t>(reinterpret_cast<char*>(b) - reinterpret_cast<char*>(all)) / sizeof(Slot);
    for (std::size_t j = (i + 1) & mask(); all[j].key; j = (j + 1) & mask()) {
      std::size_t const k = home(all[j].key);
      bool const stays = i <= j ? (i < k && k <= j) : (i < k || k <= j);
      if (!stays) {
        all[i] = all[j];
        i = j;
      }
    }
    all[i] = Slot{};
    --used;
  }

  COSInterface* findRegistered(void const* bound) {
    Binding const* const b = find(bound);
    return b ? b->registered : nullptr;
  }

 private:
  void grow() {
    unsigned const grownBits = bits < 6 ? 6 : bits + 1;
    auto grown = std::make_unique<Slot[]>(std::size_t{1} << grownBits);
    std::unique_ptr<Slot[]> const old = std::exchange(slots, std::move(grown));
    std::size_t const oldCount = old ? mask() + 1 : 0;
    bits = grownBits;
    for (std::size_t i = 0; i < oldCount; ++i) {
      if (!old[i].key) continue;
      std::size_t j = home(old[i].key);
      while (slots[j].key) j = (j + 1) & mask();
      slots[j] = old[i];
    }
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

COSClass* requireDeclared(Interned cls) {
  COSClass* c = detail::findDeclaredClass(cls);
  if (!c) throw HostError("Unknown class \"" + std::string(cls.view()) + "\".");
  return c;
}

}  // namespace

namespace detail {
bool isLiveBound(void const* bound) {
  if (!bound) return false;
  Binding const* const it = bindings().find(bound);
  return it && it->live != 0;
}
}  // namespace detail

COSInterface::COSInterface(COSClass* cls, void* bound, bool valueObject)
    : fValueObject(valueObject), fClass(cls), fBound(bound) {
  addLive(bound);
  gLiveObjects.fetch_add(1, std::memory_order_relaxed);
}

// One malloc chunk of 32 bytes per host object.
static_assert(sizeof(COSInterface) <= 24);

COSInterface::~COSInterface() { gLiveObjects.fetch_sub(1, std::memory_order_relaxed); }

std::size_t COSInterface::live() { return gLiveObjects.load(std::memory_order_relaxed); }

COSInterface* COSInterface::createUnbound(COSClass* cls) {
  if (!cls) throw HostError("Unknown class \"\".");
  return new COSInterface(cls, nullptr, false);
}

void* COSInterface::lookup(Interned className) const {
  if (fDeleted || !fBound) return nullptr;
  if (!fValueObject) return fBound;
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
  return new COSInterface(cls, bound, valueObject);
}

void BindingAccess::bind(COSInterface* obj, void* bound, bool store) {
  if (store) {
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
  dropLive(obj->fBound);
  // The class description normally removes the binding itself; whatever it
  // does, the registry must not keep pointing at this object.
  struct Unregister {
    COSInterface* obj;
    ~Unregister() {
      if (obj->fRegistered) factory::basic::BindingRegistry::remove(obj->fBound);
    }
  } unregister{obj};
  if (COSClassInfo* info = obj->fClass ? obj->fClass->info() : nullptr) info->destroyInstance(nullptr, obj->fBound);
}

namespace factory::basic {

HostArray* BindingRegistry::announce(void* id, Interned cls) {
  bool isNew = false;
  return announce(id, cls, isNew);
}

HostArray* BindingRegistry::announce(void* id, Interned cls, bool& isNew) {
  isNew = false;
  if (!id) return HostArray::createObjects(cls, 0, 0);
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

void BindingRegistry::announceForConstructor(void* id, Interned cls, HostArray* out, bool store) {
  COSInterfacePtr obj = omGetArrayElement(out, 0);
  if (!obj || out->numel() != 1 || obj->isBound() || obj->isDeleted())
    throw HostError("No object under construction for class \"" + std::string(cls.view()) + "\".");
  if (!id) throw HostError("Cannot bind a null object to class \"" + std::string(cls.view()) + "\".");
  BindingAccess::bind(obj.get(), id, store);
}

HostArray* BindingRegistry::announceWithoutStoring(void* ptr, Interned cls) {
  if (!ptr) return HostArray::createObjects(cls, 0, 0);
  COSClass* c = requireDeclared(cls);
  ArrayPtr out(HostArray::createObjects(c->getName(), 1, 1), false);
  out->objects()[0] = COSInterfacePtr(BindingAccess::create(c, ptr, true), false);
  return out.detach();
}

void BindingRegistry::remove(void* id) {
  Bindings& b = bindings();
  Binding* const it = b.find(id);
  if (!it || !it->registered) return;
  BindingAccess::setRegistered(it->registered, false);
  it->registered = nullptr;
  --b.registered;
  b.dropIfUnused(it);
}

COSInterface* BindingRegistry::find(void* id) { return bindings().findRegistered(id); }

std::size_t BindingRegistry::size() { return bindings().registered; }

}  // namespace factory::basic
}  // namespace kovo
