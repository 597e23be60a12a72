// Host identities of objects and the writability check.
#include <Ozo/Internal.hpp>
#include <kovo/Object.hpp>
#include <kovo/Slabs.hpp>

#include <boost/multi_index/composite_key.hpp>
#include <boost/multi_index/hashed_index.hpp>
#include <boost/multi_index/member.hpp>
#include <boost/multi_index_container.hpp>

#include <cstdint>
#include <iterator>
#include <memory>
#include <tuple>
#include <type_traits>

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

// Identities are places in slabs (kovo/Slabs.hpp): 48 B each instead of a
// 64 B heap chunk, and neighbours made one after the other sit together.
// Made, checked and ended under the host lock, so the slabs take no lock of
// their own.
using IdentitySlabs = kovo::Slabs<sizeof(Identity), alignof(Identity), false>;

void* Identity::operator new(std::size_t) { return IdentitySlabs::take(); }  // final: always an Identity

void Identity::operator delete(void* place) noexcept { IdentitySlabs::give(place); }

// Live identities, under any deviant (size()).
std::size_t gLiveIds = 0;

static_assert(std::is_standard_layout_v<Identity>, "an identity and its first member, the slot, share their address");
void* idOf(Identity* i) { return &i->slot; }

// The host registry asks here whether a pointer is one of our ids. The slabs
// know their places in use by address: an id from outside is never read
// before it is found to be one.
bool isLiveId(void const* id) { return IdentitySlabs::owns(id); }
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
    Identity* const identity = made(object, d, immutable);  // only this can fail, before anything changes
    identity->next = static_cast<Identity*>(object->fIdentities);
    object->fIdentities = identity;
    object->fRegistered = true;
    ++gLiveIds;
    return idOf(identity);
  }
  auto& byView = others().get<ByView>();
  if (auto const it = byView.find(std::make_tuple(object, d.word, immutable)); it != byView.end())
    return idOf(it->get());
  Identity* const identity = made(object, d, immutable);
  byView.insert(std::unique_ptr<Identity>(identity));
  object->fRegistered = true;
  ++gLiveIds;
  return idOf(identity);
}

VariantInfo const* DeviantRegistry::getVariantInfo(void const* id) {
  if (!IdentitySlabs::owns(id)) return nullptr;
  return &static_cast<Identity const*>(id)->info;  // the id is the identity's address
}

VariantInfo const& DeviantRegistry::infoOfSlot(kovo::BindingSlot* slot) {
  return reinterpret_cast<Identity*>(slot)->info;  // the slot is an identity's first member
}

bool DeviantRegistry::isImmutable(void const* id) {
  VariantInfo const* const info = getVariantInfo(id);
  return info && info->immutable;
}

void DeviantRegistry::retract(ReferenceCountingIntf* object) {
  for (auto* i = static_cast<Identity*>(object->fIdentities); i;) {
    std::unique_ptr<Identity> const gone(i);
    i = i->next;
    --gLiveIds;
  }
  object->fIdentities = nullptr;
  if (Others& o = others(); !o.empty()) {
    auto& byObject = o.get<ByObject>();
    auto const [first, last] = byObject.equal_range(object);
    gLiveIds -= static_cast<std::size_t>(std::distance(first, last));
    byObject.erase(first, last);
  }
  object->fRegistered = false;
}

std::size_t DeviantRegistry::size() { return gLiveIds; }

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
