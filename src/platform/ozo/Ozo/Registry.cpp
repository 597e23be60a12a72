// Host identities of objects and the writability check.
#include <Ozo/Internal.hpp>
#include <boost/multi_index/composite_key.hpp>
#include <boost/multi_index/hashed_index.hpp>
#include <boost/multi_index/member.hpp>
#include <boost/multi_index_container.hpp>

#include <cstdint>
#include <tuple>
#include <unordered_map>

namespace Ozo {

namespace {

namespace mi = boost::multi_index;

// One identity: the object in one view. Its id is the address of `info`,
// recorded in `id` once the identity has its place in the container
// (elements never move); until then `id` is null.
struct Identity {
  VariantInfo info;
  void const* id = nullptr;
};

struct ObjectOf {
  using result_type = ReferenceCountingIntf*;
  result_type operator()(Identity const& i) const { return i.info.object; }
};
struct DeviantWordOf {
  using result_type = std::uint64_t;
  result_type operator()(Identity const& i) const { return i.info.deviant.word; }
};
struct ViewOf {
  using result_type = bool;
  result_type operator()(Identity const& i) const { return i.info.immutable; }
};

struct ByView {};
struct ById {};

// One node per identity, found two ways: by object, deviant and view (to
// give the same id again), and by id (an id from outside is only ever
// compared with the ids of stored identities, never dereferenced before it is
// found).
using Identities = mi::multi_index_container<
    Identity,
    mi::indexed_by<mi::hashed_unique<mi::tag<ByView>, mi::composite_key<Identity, ObjectOf, DeviantWordOf, ViewOf>>,
                   mi::hashed_unique<mi::tag<ById>, mi::member<Identity, void const*, &Identity::id>>>>;

// Never destroyed: objects retract their ids from their destructors, which
// may run during static destruction.
Identities& registry() {
  static auto* r = new Identities;
  return *r;
}

// To retract an object's identities: those under the null deviant (every
// element's) are found by key, one per view; the few under any other
// deviant (values of immortal objects) are listed here by object, so that
// the common identity needs no third index.
std::unordered_multimap<ReferenceCountingIntf*, Identity const*>& otherDeviants() {
  static auto* m = new std::unordered_multimap<ReferenceCountingIntf*, Identity const*>;
  return *m;
}

}  // namespace

void* DeviantRegistry::getId(ReferenceCountingIntf* object, Deviant const& d, bool immutable) {
  if (!object) return nullptr;
  Identities& r = registry();
  auto& byView = r.get<ByView>();
  if (auto const it = byView.find(std::make_tuple(object, d.word, immutable)); it != byView.end())
    return const_cast<VariantInfo*>(&it->info);
  auto const made =
      byView.insert(Identity{{object, d, immutable, dynamic_cast<NSInterface::ClassObjectIntf*>(object)}}).first;
  // Now in place: the id is the address (unique among live identities, so
  // the re-indexing cannot collide).
  byView.modify(made, [](Identity& i) { i.id = &i.info; });
  if (d.word != 0) {
    try {
      otherDeviants().emplace(object, &*made);
    } catch (...) {
      byView.erase(made);
      throw;
    }
  }
  object->fRegistered = true;
  return const_cast<VariantInfo*>(&made->info);
}

VariantInfo const* DeviantRegistry::getVariantInfo(void const* id) {
  if (!id) return nullptr;
  auto const& byId = registry().get<ById>();
  auto const it = byId.find(id);
  return it == byId.end() ? nullptr : &it->info;
}

bool DeviantRegistry::isImmutable(void const* id) {
  VariantInfo const* const info = getVariantInfo(id);
  return info && info->immutable;
}

void DeviantRegistry::retract(ReferenceCountingIntf* object) {
  Identities& r = registry();
  auto& byView = r.get<ByView>();
  for (bool const immutable : {false, true})
    if (auto const it = byView.find(std::make_tuple(object, std::uint64_t{0}, immutable)); it != byView.end())
      byView.erase(it);
  if (auto& others = otherDeviants(); !others.empty()) {
    auto const [first, last] = others.equal_range(object);
    for (auto it = first; it != last; ++it) r.erase(r.iterator_to(*it->second));
    others.erase(first, last);
  }
  object->fRegistered = false;
}

std::size_t DeviantRegistry::size() { return registry().size(); }

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
