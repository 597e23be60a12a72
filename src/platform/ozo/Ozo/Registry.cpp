// Host identities of objects and the writability check.
#include <Ozo/Internal.hpp>
#include <kovo/Object.hpp>
#include <kovo/OpenTable.hpp>

#include <boost/multi_index/composite_key.hpp>
#include <boost/multi_index/hashed_index.hpp>
#include <boost/multi_index/member.hpp>
#include <boost/multi_index_container.hpp>

#include <cstdint>
#include <cstdlib>
#include <new>
#include <tuple>
#include <type_traits>
#include <memory>

namespace Ozo {

namespace {

namespace mi = boost::multi_index;

// One identity: the object in one view. Its id is the address of its host
// binding (the host registry's slot): binding an element to a host object
// touches no table. Identities never move.
struct Identity final {
  kovo::BindingSlot slot;
  VariantInfo info;
  // The object's next identity under the null deviant (ReferenceCountingIntf::fIdentities).
  Identity* next = nullptr;

  static void* operator new(std::size_t size);
  static void operator delete(void* place) noexcept;
};

#if defined(__SANITIZE_ADDRESS__)
#define OZO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OZO_ASAN 1
#endif
#endif
#ifdef OZO_ASAN
#include <sanitizer/asan_interface.h>
// Places not handed out are poisoned: a use of a released identity, or of a
// slab given back while a place in it is still used, is caught.
#define OZO_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define OZO_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define OZO_POISON(p, n) ((void)(p), (void)(n))
#define OZO_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

// Identities come from slabs of 64 KiB, each aligned to its size, so that an
// identity's slab is found from its address: an identity costs its own 48
// bytes (a heap chunk would be 64) and a place taken or given back touches
// only its slab. Slabs with free places are kept in a list; one that empties
// goes back to the heap unless it is the only one with room left. Like the
// table of ids, used under the host lock.
class IdentitySlabs {
 public:
  static constexpr std::size_t kSlab = 64 * 1024;

  void* take() {
    Slab* s = fRoomy;
    if (!s) s = fresh();
    void* place = s->free;
    if (place) {
      OZO_UNPOISON(place, sizeof(Identity));
      s->free = *static_cast<void**>(place);
    } else {
      place = s->unused;
      s->unused += sizeof(Identity);
      OZO_UNPOISON(place, sizeof(Identity));
    }
    ++s->used;
    if (!hasRoom(s)) unlink(s);
    return place;
  }

  void give(void* place) noexcept {
    auto* const s = reinterpret_cast<Slab*>(reinterpret_cast<std::uintptr_t>(place) & ~(kSlab - 1));
    bool const wasFull = !hasRoom(s);
    *static_cast<void**>(place) = s->free;
    OZO_POISON(place, sizeof(Identity));
    s->free = place;
    --s->used;
    if (wasFull) link(s);
    if (s->used == 0 && (s->prev || s->next)) {
      unlink(s);
      OZO_UNPOISON(s, kSlab);
      std::free(s);
    }
  }

 private:
  struct Slab {
    Slab* prev;
    Slab* next;
    void* free;    // places given back, linked through their first word
    char* unused;  // the first place never handed out
    std::size_t used;
  };
  static constexpr std::size_t kFirst = (sizeof(Slab) + alignof(Identity) - 1) / alignof(Identity) * alignof(Identity);
  static char* end(Slab* s) { return reinterpret_cast<char*>(s) + kSlab; }
  static bool hasRoom(Slab const* s) {
    return s->free || s->unused + sizeof(Identity) <= end(const_cast<Slab*>(s));
  }
  Slab* fresh() {
    void* const block = std::aligned_alloc(kSlab, kSlab);
    if (!block) throw std::bad_alloc();
    auto* const s = ::new (block) Slab{nullptr, nullptr, nullptr, static_cast<char*>(block) + kFirst, 0};
    OZO_POISON(s->unused, kSlab - kFirst);
    link(s);
    return s;
  }
  void link(Slab* s) noexcept {
    s->prev = nullptr;
    s->next = fRoomy;
    if (fRoomy) fRoomy->prev = s;
    fRoomy = s;
  }
  void unlink(Slab* s) noexcept {
    if (s->prev) s->prev->next = s->next;
    else fRoomy = s->next;
    if (s->next) s->next->prev = s->prev;
    s->prev = s->next = nullptr;
  }
  Slab* fRoomy = nullptr;  // slabs with a free place
};

// Never destroyed, like the table.
IdentitySlabs& identitySlabs() {
  static auto* slabs = new IdentitySlabs;
  return *slabs;
}

void* Identity::operator new(std::size_t) { return identitySlabs().take(); }  // final: always an Identity

void Identity::operator delete(void* place) noexcept {
  if (place) identitySlabs().give(place);
}

// Every live id, one word an identity (kovo/OpenTable.hpp, keyed by the
// address): an id from outside is only ever compared with these, never
// dereferenced before it is found.
struct ByAddress {
  static std::uintptr_t key(Identity* i) { return reinterpret_cast<std::uintptr_t>(&i->slot); }
  static bool isFree(Identity* i) { return i == nullptr; }
};
using Ids = kovo::OpenTable<Identity*, ByAddress>;

// Never destroyed: objects retract their ids from their destructors, which
// may run during static destruction.
Ids& ids() {
  static auto* t = new Ids;
  return *t;
}

static_assert(std::is_standard_layout_v<Identity>, "an identity and its first member, the slot, share their address");
void* idOf(Identity* i) { return &i->slot; }

// The host registry asks here whether a pointer is one of our ids.
bool isLiveId(void const* id) { return ids().find(reinterpret_cast<std::uintptr_t>(id)) != nullptr; }
[[maybe_unused]] bool const gSlotsOwned = (kovo::factory::basic::BindingRegistry::setSlotOwner(&isLiveId), true);

// The identities under any other deviant (values of immortal objects: few)
// are kept apart, found by object, deviant and view. An element's identities
// hang from the element itself (fIdentities) and need no such table.
struct ObjectOf {
  using result_type = ReferenceCountingIntf*;
  result_type operator()(std::unique_ptr<Identity> const& i) const { return i->info.object; }
};
struct DeviantWordOf {
  using result_type = std::uint64_t;
  result_type operator()(std::unique_ptr<Identity> const& i) const { return i->info.deviant.word; }
};
struct ViewOf {
  using result_type = bool;
  result_type operator()(std::unique_ptr<Identity> const& i) const { return i->info.immutable; }
};
struct ByView {};
struct ByObject {};
using Others = mi::multi_index_container<
    std::unique_ptr<Identity>,
    mi::indexed_by<
        mi::hashed_unique<mi::tag<ByView>, mi::composite_key<std::unique_ptr<Identity>, ObjectOf, DeviantWordOf, ViewOf>>,
        mi::hashed_non_unique<mi::tag<ByObject>, ObjectOf>>>;

Others& others() {
  static auto* o = new Others;
  return *o;
}

// The element cast is remembered per dynamic type: binding many elements of
// one class in a row asks the class hierarchy once.
Identity* made(ReferenceCountingIntf* object, Deviant const& d, bool immutable) {
  auto* const element = static_cast<NSInterface::ClassObjectIntf*>(rememberedCast<NSInterface::ClassObjectIntf>(object));
  return new Identity{{}, {object, d, immutable, element}};
}

}  // namespace

void* DeviantRegistry::getId(ReferenceCountingIntf* object, Deviant const& d, bool immutable) {
  if (!object) return nullptr;
  if (d.word == 0) {
    for (auto* i = static_cast<Identity*>(object->fIdentities); i; i = i->next)
      if (i->info.immutable == immutable) return idOf(i);
    std::unique_ptr<Identity> identity(made(object, d, immutable));
    ids().insert(identity.get());  // only this can fail, before anything changes
    identity->next = static_cast<Identity*>(object->fIdentities);
    object->fIdentities = identity.get();
    object->fRegistered = true;
    return idOf(identity.release());
  }
  auto& byView = others().get<ByView>();
  if (auto const it = byView.find(std::make_tuple(object, d.word, immutable)); it != byView.end())
    return idOf(it->get());
  Identity* const identity = made(object, d, immutable);
  auto const placed = byView.insert(std::unique_ptr<Identity>(identity)).first;
  try {
    ids().insert(identity);
  } catch (...) {
    byView.erase(placed);
    throw;
  }
  object->fRegistered = true;
  return idOf(identity);
}

VariantInfo const* DeviantRegistry::getVariantInfo(void const* id) {
  if (!id) return nullptr;
  Identity* const* const found = ids().find(reinterpret_cast<std::uintptr_t>(id));
  return found ? &(*found)->info : nullptr;
}

VariantInfo const& DeviantRegistry::infoOfSlot(kovo::BindingSlot* slot) {
  return reinterpret_cast<Identity*>(slot)->info;  // the slot is an identity's first member
}

bool DeviantRegistry::isImmutable(void const* id) {
  VariantInfo const* const info = getVariantInfo(id);
  return info && info->immutable;
}

void DeviantRegistry::retract(ReferenceCountingIntf* object) {
  Ids& t = ids();
  for (auto* i = static_cast<Identity*>(object->fIdentities); i;) {
    std::unique_ptr<Identity> const gone(i);
    i = i->next;
    t.erase(t.find(ByAddress::key(gone.get())));
  }
  object->fIdentities = nullptr;
  if (Others& o = others(); !o.empty()) {
    auto& byObject = o.get<ByObject>();
    auto const [first, last] = byObject.equal_range(object);
    for (auto it = first; it != last; ++it) t.erase(t.find(ByAddress::key(it->get())));
    byObject.erase(first, last);
  }
  object->fRegistered = false;
}

std::size_t DeviantRegistry::size() { return ids().size(); }

// ---------------------------------------------------------------------------
bool DeviantAssertions::sAssertionsEnabled = true;

bool DeviantAssertions::enableAssertions(bool enable) {
  bool const previous = sAssertionsEnabled;
  sAssertionsEnabled = enable;
  return previous;
}

bool DeviantAssertions::assertWritable(NSInterface::ObjectIntf* object) {
  if (!sAssertionsEnabled) return true;
  return internal_assertWritable(object);
}

bool DeviantAssertions::internal_assertWritable(NSInterface::ObjectIntf* object) {
  if (!object) return true;
  ImmutableModel const model = object->getModel(Deviant{});
  if (model.isValid() && model.get()->isReadOnly()) {
    std::string const name = model.get()->name();
    OZO_FAIL_AT(detail::kWritableHeader, 57, "Model \"%s\" is read-only", name.c_str());
  }
  return true;
}

}  // namespace Ozo
