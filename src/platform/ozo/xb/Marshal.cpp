// Host words to handles and handles back to host objects.
#include <xb/Marshal.hpp>

#include <cstring>
#include <unordered_map>

namespace Ozo::xb {

kovo::Interned internedName(char const* name) {
  if (name == nullptr || name[0] == '\0') return kovo::Interned{};
  // Keyed by address: callers pass literals and names the runtime keeps, so
  // the text check almost always hits. It keeps a reused buffer correct.
  static std::unordered_map<char const*, kovo::Interned> cache;
  auto it = cache.find(name);
  if (it != cache.end() && std::strcmp(it->second.c_str(), name) == 0) return it->second;
  kovo::Interned const id = kovo::intern(name);
  cache.insert_or_assign(name, id);
  return id;
}

ImmutableObject toHandle(kovo::HostArray const* array, kovo::Interned wantedClass, bool* given) {
  if (given) *given = false;
  if (array == nullptr || array->numel() == 0) return {};
  if (given) *given = true;
  return toHandle(kovo::omGetArrayElement(array, 0).get(), wantedClass);
}

ImmutableObject toHandle(kovo::COSInterface const* object, kovo::Interned wantedClass) {
  if (object == nullptr) return {};
  VariantInfo const* info = DeviantRegistry::getVariantInfo(object->lookup(wantedClass));
  if (info == nullptr) return {};
  auto* intf = static_cast<NSInterface::ObjectIntf*>(
      info->object->cast(tagsOf<VisitationDomain, NSInterface::ObjectIntf>()));
  return ImmutableObject(intf, info->deviant);
}

ImmutableObject toHandle(kovo::COSValue word, kovo::Interned wantedClass, bool* given) {
  return toHandle(kovo::toArray(word), wantedClass, given);
}

kovo::Interned hostClassName(ImmutableObject const& h, bool immutable, char const* defaultName) {
  return internedName(h.isValid() ? h.get()->getKovoName(immutable) : defaultName);
}

kovo::COSValue returnObject(ImmutableObject const& h, kovo::Interned className, bool immutable) {
  ReferenceCountingIntf* const object = h.get();
  void* const id = DeviantRegistry::getId(object, h.deviant(), immutable);
  bool isNew = false;
  kovo::HostArray* const result = kovo::factory::basic::BindingRegistry::announce(id, className, isNew);
  // The binding keeps the object alive until destroyInstance gives this back.
  if (isNew && object != nullptr) object->addRef();
  return kovo::fromArray(result);
}

}  // namespace Ozo::xb
