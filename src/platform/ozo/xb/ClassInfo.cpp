// Instance end of handle classes and the class-extension registry.
#include <xb/ClassInfo.hpp>

namespace Ozo::xb {

void ClassMetaData::destroyInstance(void*, void* instance) {
  // Copy the facts first: the release below may destroy the object, and with
  // it the registry entry they live in.
  VariantInfo const* const found = DeviantRegistry::getVariantInfo(instance);
  if (!found) return kovo::factory::basic::BindingRegistry::remove(instance);
  VariantInfo const info = *found;
  kovo::factory::basic::BindingRegistry::removeSlot(DeviantRegistry::slotOf(instance));
  info.release();
}

void ClassMetaData::destroySlotted(kovo::BindingSlot* slot) {
  // The host registry has emptied the slot; the binding's reference goes.
  DeviantRegistry::infoOfSlot(slot).release();
}

void addToPackage(kovo::COSPackage* package, kovo::COSClassInfo* info) {
  // Both take the description over on entry, failing or not.
  if (package != nullptr)
    package->addClass(info, 2);
  else
    kovo::COSClass::addGlobalClass(info);
}

void KovoExtensionsRegistryImpl::addNonConstCallback(std::string className, Callback cb) {
  fCallbacks.emplace_back(std::move(className), cb);
}

void KovoExtensionsRegistryImpl::executeNonConstCallbacks(char const* className, kovo::COSClass* cls,
                                                         kovo::COSClient* client) const {
  if (className == nullptr) return;
  // By position: a callback may register further callbacks while we run.
  for (std::size_t i = 0; i < fCallbacks.size(); ++i) {
    if (fCallbacks[i].first == className) fCallbacks[i].second(className, cls, client);
  }
}

KovoExtensionsRegistryImpl& KovoExtensionsRegistry::instance() {
  static KovoExtensionsRegistryImpl registry;
  return registry;
}

}  // namespace Ozo::xb
