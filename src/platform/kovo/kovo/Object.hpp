// Host objects and the binding registry.
//
// A host object (COSInterface) is what a host user holds: an instance of a
// host class with an identity and a reference count. Native code binds a
// pointer to it: for handle classes an id from the metamodel runtime, for
// value classes a pointer to the value. When the last host reference goes,
// the host calls destroyInstance of the class description with that pointer.
#pragma once

#include <kovo/Core.hpp>
#include <kovo/HostArray.hpp>

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace kovo {

class COSClass;

class COSInterface final {
 public:
  // A handle-bound object answers the lookup of its bound pointer under any
  // class name; a value object only under its own class and its ancestors.
  void* lookup(Interned className) const;
  void* bound() const { return fBound; }
  COSClass* getClass() const { return fClass; }
  bool isValueObject() const { return fKind == Kind::Value; }
  // A bound object was announced (or constructed and then announced);
  // an unbound one is an object under construction whose constructor failed.
  bool isBound() const { return fBound != nullptr; }
  // Destroyed explicitly by a host user: its native side is gone and any
  // further use is an error.
  bool isDeleted() const { return fDeleted; }
  // A word for the front end that wraps this object (its wrapper), null
  // until it sets one. The front end keeps it under its own lock.
  void* frontWord() const { return fFront; }
  void setFrontWord(void* word) { fFront = word; }

  void addRef() { fRefs.fetch_add(1, std::memory_order_relaxed); }
  void release();
  int refCount() const { return fRefs.load(std::memory_order_relaxed); }

  // Live host objects in the process, for leak checks.
  static std::size_t live();

  // Host side only: an object of `cls` with nothing bound yet (constructors).
  static COSInterface* createUnbound(COSClass* cls);

  COSInterface(COSInterface const&) = delete;
  COSInterface& operator=(COSInterface const&) = delete;

  // Host objects are made and dropped in bursts: their blocks are reused.
  static void* operator new(std::size_t size);
  static void operator delete(void* block) noexcept;

 private:
  friend class BindingAccess;
  // How the bound pointer is kept: a handle in the registry's table, a value
  // object (never in the table), or an id whose binding slot is the id itself.
  enum class Kind : std::uint8_t { Handle, Value, Slotted };
  COSInterface(COSClass* cls, void* bound, Kind kind);
  ~COSInterface();

  // The count and the flags share the first word.
  std::atomic<int> fRefs{1};
  Kind fKind;
  bool fRegistered = false;  // present in the binding registry
  bool fDeleted = false;     // destroyed explicitly; lookups answer null
  bool fDestroyed = false;   // destroyInstance has run (it runs at most once)
  COSClass* fClass;
  void* fBound;
  void* fFront = nullptr;
};

// The binding of an id whose owner keeps it at the address the id points
// at: the metamodel runtime's identities begin with one. Binding such an id
// touches no table of the registry, and its binding goes with the id.
struct BindingSlot {
  COSInterface* registered = nullptr;  // no reference held
};

namespace factory::basic {

// Maps native ids to host objects. Holds no reference: a binding lives as long
// as its host object, and destroyInstance removes it.
class BindingRegistry {
 public:
  // The host object bound to `id` under class `cls`, as a new 1-by-1 object
  // array (one reference for the caller). A new host object is made and
  // bound when there is none. A null id gives the empty array of `cls`.
  static HostArray* announce(void* id, Interned cls);
  static HostArray* announce(void* id, Interned cls, bool& isNew);
  // Binds `id` to the object under construction held in `out` (1x1).
  static void announceForConstructor(void* id, Interned cls, HostArray* out, bool store);
  // A value object of class `cls` around `ptr`, not kept in the registry:
  // every call makes a new host object.
  static HostArray* announceWithoutStoring(void* ptr, Interned cls);
  // Drops the binding of `id` (no effect when there is none).
  static void remove(void* id);
  // The host object bound to `id`, or null. Adds no reference.
  static COSInterface* find(void* id);
  // Number of live bindings kept in the registry.
  static std::size_t size();

  // The same for the owner of a slotted id, who knows it is one: nothing
  // is looked up.
  static HostArray* announceSlot(BindingSlot* slot, Interned cls, bool& isNew);
  static void announceSlotForConstructor(BindingSlot* slot, Interned cls, HostArray* out);
  static void removeSlot(BindingSlot* slot) noexcept;

  // The one owner of slotted ids: it answers whether `id` is a live id it
  // handed out (which then points at a BindingSlot). Such ids are always
  // stored; every other pointer is kept in the registry's table.
  using SlotOwner = bool (*)(void const* id);
  static void setSlotOwner(SlotOwner owner);
};

}  // namespace factory::basic
}  // namespace kovo
