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

// An id is the address of its VariantInfo. Lookups of ids go through `ids`
// first, so an unknown pointer is never dereferenced.
struct Registry {
  std::unordered_map<Key, std::unique_ptr<VariantInfo>, KeyHash> byKey;
  std::unordered_set<void const*> ids;
  std::unordered_map<ReferenceCountingIntf*, std::vector<VariantInfo const*>> byObject;
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
  if (auto const it = r.byKey.find(key); it != r.byKey.end()) return it->second.get();
  auto info = std::make_unique<VariantInfo>(
      VariantInfo{object, d, immutable, dynamic_cast<NSInterface::ClassObjectIntf*>(object)});
  VariantInfo* const id = info.get();
  auto& ofObject = r.byObject[object];
  ofObject.reserve(ofObject.size() + 1);
  r.byKey.emplace(key, std::move(info));
  try {
    r.ids.insert(id);
  } catch (...) {
    r.byKey.erase(key);
    throw;
  }
  ofObject.push_back(id);
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
  auto const it = r.byObject.find(object);
  if (it != r.byObject.end()) {
    for (VariantInfo const* info : it->second) {
      r.ids.erase(info);
      r.byKey.erase(Key{object, info->deviant.word, info->immutable});
    }
    r.byObject.erase(it);
  }
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
