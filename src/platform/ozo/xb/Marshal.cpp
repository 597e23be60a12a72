// Host words to handles and handles back to host objects.
#include <xb/Marshal.hpp>

namespace Ozo::xb {

// The host remembers, per thread, the id last found for a text's address;
// a null or empty name is the empty id.
kovo::Interned internedName(char const* name) { return kovo::intern(name); }

VariantInfo const* boundIdentity(kovo::COSValue word, kovo::Interned cls) {
  return DeviantRegistry::getVariantInfo(boundPointer(word, cls));
}

VariantInfo const* liveIdentity(kovo::COSValue word, kovo::Interned cls) {
  void* const id = boundPointer(word, cls);
  kovo::factory::impl::validateSelfPointer(id);
  return DeviantRegistry::getVariantInfo(id);
}

ImmutableObject toHandle(kovo::HostArray const* array, kovo::Interned wantedClass, bool* given) {
  if (given) *given = false;
  if (array == nullptr || array->numel() == 0) return {};
  if (given) *given = true;
  return toHandle(kovo::omGetArrayElement(array, 0).get(), wantedClass);
}

ImmutableObject toHandle(kovo::COSInterface const* object, kovo::Interned wantedClass) {
  if (object == nullptr) return {};
  VariantInfo const* const info = DeviantRegistry::getVariantInfo(object->lookup(wantedClass));
  return handleOf<ImmutableObject, NSInterface::ObjectIntf>(info);
}

ImmutableObject toHandle(kovo::COSValue word, kovo::Interned wantedClass, bool* given) {
  return toHandle(kovo::toArray(word), wantedClass, given);
}

kovo::Interned hostClassName(ImmutableObject const& h, bool immutable, char const* defaultName) {
  return internedName(h.isValid() ? h.get()->getKovoName(immutable) : defaultName);
}

kovo::COSValue announce(ReferenceCountingIntf* object, Deviant const& deviant, kovo::Interned className,
                        bool immutable) {
  void* const id = DeviantRegistry::getId(object, deviant, immutable);
  bool isNew = false;
  kovo::HostArray* const result =
      id ? kovo::factory::basic::BindingRegistry::announceSlot(DeviantRegistry::slotOf(id), className, isNew)
         : kovo::factory::basic::BindingRegistry::announce(nullptr, className, isNew);
  if (isNew && object != nullptr) object->addRef();
  return kovo::fromArray(result);
}

kovo::COSValue returnObjects(std::vector<ImmutableObject> const& objects, bool immutable, char const* arrayClass) {
  kovo::Interned const cls = internedName(arrayClass);
  kovo::ArrayPtr array(kovo::HostArray::createObjects(cls, objects.empty() ? 0 : 1, objects.size()), false);
  for (std::size_t i = 0; i < objects.size(); ++i) {
    // The object's own 1-by-1 array; the big one keeps the host object.
    kovo::ArrayPtr const one(kovo::toArray(returnObject(objects[i], immutable, arrayClass)), false);
    array->objects()[i] = one->objects()[0];
  }
  return kovo::fromArray(array.detach());
}

}  // namespace Ozo::xb
