// Host objects and the binding registry.
#include <kovo/Class.hpp>
#include <kovo/Object.hpp>

#include "Internal.hpp"

#include <unordered_map>
#include <vector>

namespace kovo {

namespace {

std::atomic<std::size_t> gLiveObjects{0};

// One entry per bound pointer that is in the binding registry or bound to
// live objects (or both): one node per binding rather than one in each of two
// maps.
struct Binding {
  // The host object registered under this pointer (no reference held), or null.
  COSInterface* registered = nullptr;
  // How many live, not deleted objects (value objects included) are bound to it.
  std::size_t live = 0;
};

struct Bindings {
  using Map = std::unordered_map<void const*, Binding>;
  Map map;
  std::size_t registered = 0;
  // Nodes of entries gone, kept for the next ones: every value a host call
  // returns adds an entry and drops it again.
  static constexpr std::size_t kSpareNodes = 64;
  std::vector<Map::node_type> spareNodes;
  Bindings() { spareNodes.reserve(kSpareNodes); }

  // The entry of `bound`, made empty if there is none.
  Map::iterator entry(void const* bound) {
    if (auto it = map.find(bound); it != map.end()) return it;
    if (spareNodes.empty()) return map.emplace(bound, Binding{}).first;
    Map::node_type node = std::move(spareNodes.back());
    spareNodes.pop_back();
    node.key() = bound;
    node.mapped() = Binding{};
    return map.insert(std::move(node)).position;
  }

  // Drops the entry once nothing is registered or bound under it.
  void dropIfUnused(Map::iterator it) {
    if (it->second.live != 0 || it->second.registered) return;
    if (spareNodes.size() == kSpareNodes) {
      map.erase(it);
      return;
    }
    spareNodes.push_back(map.extract(it));
  }

  COSInterface* findRegistered(void const* bound) const {
    auto it = map.find(bound);
    return it == map.end() ? nullptr : it->second.registered;
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
  ++bindings().entry(bound)->second.live;
}

void dropLive(void const* bound) {
  if (!bound) return;
  Bindings& b = bindings();
  auto it = b.map.find(bound);
  if (it == b.map.end() || it->second.live == 0) return;
  --it->second.live;
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
  auto const& map = bindings().map;
  auto it = map.find(bound);
  return it != map.end() && it->second.live != 0;
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
    auto it = b.entry(bound);
    if (it->second.registered != obj) {
      if (it->second.registered) {
        b.dropIfUnused(it);
        throw HostError("The native object is already bound to another host object.");
      }
      it->second.registered = obj;
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
  auto slot = b.map.find(id);  // made by create
  slot->second.registered = obj;
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
  auto it = b.map.find(id);
  if (it == b.map.end() || !it->second.registered) return;
  BindingAccess::setRegistered(it->second.registered, false);
  it->second.registered = nullptr;
  --b.registered;
  b.dropIfUnused(it);
}

COSInterface* BindingRegistry::find(void* id) { return bindings().findRegistered(id); }

std::size_t BindingRegistry::size() { return bindings().registered; }

}  // namespace factory::basic
}  // namespace kovo
