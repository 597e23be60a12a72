// Host objects and the binding registry.
#include <kovo/Class.hpp>
#include <kovo/Object.hpp>

#include "Internal.hpp"

#include <unordered_map>
#include <vector>

namespace kovo {

namespace {

std::atomic<std::size_t> gLiveObjects{0};

struct Bindings {
  // id -> the host object bound to it (no reference held).
  std::unordered_map<void*, COSInterface*> registry;
  // Bound pointers of live, not deleted objects (value objects included),
  // with how many objects are bound to each.
  using Live = std::unordered_map<void const*, std::size_t>;
  Live live;
  // Nodes of entries gone, kept for the next ones: every value a host call
  // returns adds an entry and drops it again.
  static constexpr std::size_t kSpareNodes = 64;
  std::vector<Live::node_type> spareNodes;
  Bindings() { spareNodes.reserve(kSpareNodes); }
};

// Never destroyed: objects may still be released by other libraries' static
// destructors at exit.
Bindings& bindings() {
  static Bindings* b = new Bindings;
  return *b;
}

void addLive(void const* bound) {
  if (!bound) return;
  Bindings& b = bindings();
  if (auto it = b.live.find(bound); it != b.live.end()) {
    ++it->second;
    return;
  }
  if (b.spareNodes.empty()) {
    b.live.emplace(bound, 1);
    return;
  }
  Bindings::Live::node_type node = std::move(b.spareNodes.back());
  b.spareNodes.pop_back();
  node.key() = bound;
  node.mapped() = 1;
  b.live.insert(std::move(node));
}

void dropLive(void const* bound) {
  if (!bound) return;
  Bindings& b = bindings();
  auto it = b.live.find(bound);
  if (it == b.live.end() || --it->second != 0) return;
  if (b.spareNodes.size() == Bindings::kSpareNodes) {
    b.live.erase(it);
    return;
  }
  b.spareNodes.push_back(b.live.extract(it));
}

COSClass* requireDeclared(Interned cls) {
  COSClass* c = detail::findDeclaredClass(cls);
  if (!c) throw HostError("Unknown class \"" + std::string(cls.view()) + "\".");
  return c;
}

}  // namespace

namespace detail {
bool isLiveBound(void const* bound) { return bound && bindings().live.count(bound) != 0; }
}  // namespace detail

COSInterface::COSInterface(COSClass* cls, void* bound, bool valueObject)
    : fClass(cls), fBound(bound), fValueObject(valueObject) {
  addLive(bound);
  gLiveObjects.fetch_add(1, std::memory_order_relaxed);
}

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
    auto [it, inserted] = bindings().registry.emplace(bound, obj);
    if (!inserted && it->second != obj) throw HostError("The native object is already bound to another host object.");
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
  auto& registry = bindings().registry;
  if (auto it = registry.find(id); it != registry.end()) return HostArray::createObject(it->second);
  COSClass* c = requireDeclared(cls);
  ArrayPtr out(HostArray::createObjects(c->getName(), 1, 1), false);
  auto slot = registry.emplace(id, nullptr).first;
  COSInterface* obj = nullptr;
  try {
    obj = BindingAccess::create(c, id, false);
  } catch (...) {
    registry.erase(slot);
    throw;
  }
  slot->second = obj;
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
  auto& registry = bindings().registry;
  auto it = registry.find(id);
  if (it == registry.end()) return;
  BindingAccess::setRegistered(it->second, false);
  registry.erase(it);
}

COSInterface* BindingRegistry::find(void* id) {
  auto& registry = bindings().registry;
  auto it = registry.find(id);
  return it == registry.end() ? nullptr : it->second;
}

std::size_t BindingRegistry::size() { return bindings().registry.size(); }

}  // namespace factory::basic
}  // namespace kovo
