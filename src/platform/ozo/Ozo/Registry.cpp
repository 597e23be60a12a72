// Host identities of objects and the writability check.
#include <Ozo/Internal.hpp>

#include <unordered_map>
#include <unordered_set>

namespace Ozo {

namespace {

struct Key {
  ReferenceCountingIntf* object;
  std::uint64_t deviant;
  bool immutable;
  friend bool operator==(Key const&, Key const&) = default;
};

struct KeyHash {
  std::size_t operator()(Key const& k) const noexcept {
    std::size_t h = std::hash<void*>()(k.object);
    h ^= std::hash<std::uint64_t>()(k.deviant) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    return h ^ static_cast<std::size_t>(k.immutable);
  }
};

// An id is the address of its VariantInfo, which lives in its `byKey` node
// (nodes never move). Lookups of ids go through `ids` first, so an unknown
// pointer is never dereferenced. `byObject` finds an object's ids (usually
// one) when it goes.
struct Registry {
  std::unordered_map<Key, VariantInfo, KeyHash> byKey;
  std::unordered_set<void const*> ids;
  std::unordered_multimap<ReferenceCountingIntf*, VariantInfo const*> byObject;
};

// Never destroyed: objects retract their ids from their destructors, which
// may run during static destruction.
Registry& registry() {
  static auto* r = new Registry;
  return *r;
}

}  // namespace

void* DeviantRegistry::getId(ReferenceCountingIntf* object, Deviant const& d, bool immutable) {
  if (!object) return nullptr;
  Registry& r = registry();
  Key const key{object, d.word, immutable};
  if (auto const it = r.byKey.find(key); it != r.byKey.end()) return &it->second;
  VariantInfo* const id =
      &r.byKey.emplace(key, VariantInfo{object, d, immutable, dynamic_cast<NSInterface::ClassObjectIntf*>(object)})
           .first->second;
  try {
    r.ids.insert(id);
    try {
      r.byObject.emplace(object, id);
    } catch (...) {
      r.ids.erase(id);
      throw;
    }
  } catch (...) {
    r.byKey.erase(key);
    throw;
  }
  object->fRegistered = true;
  return id;
}

VariantInfo const* DeviantRegistry::getVariantInfo(void const* id) {
  if (!id) return nullptr;
  Registry& r = registry();
  return r.ids.count(id) ? static_cast<VariantInfo const*>(id) : nullptr;
}

bool DeviantRegistry::isImmutable(void const* id) {
  VariantInfo const* const info = getVariantInfo(id);
  return info && info->immutable;
}

void DeviantRegistry::retract(ReferenceCountingIntf* object) {
  Registry& r = registry();
  auto const [first, last] = r.byObject.equal_range(object);
  for (auto it = first; it != last; ++it) {
    VariantInfo const* const info = it->second;
    r.ids.erase(info);
    r.byKey.erase(Key{object, info->deviant.word, info->immutable});  // `info` goes here
  }
  r.byObject.erase(first, last);
  object->fRegistered = false;
}

std::size_t DeviantRegistry::size() { return registry().ids.size(); }

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
