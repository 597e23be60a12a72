// Class-description bases for handle classes of the binding layer.
#pragma once

#include <Ozo/Meta.hpp>
#include <kovo/Class.hpp>
#include <kovo/Object.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace kovo::factory {

// A class description that carries its short name and description. Both
// are interned: classes live as long as the process, and the many classes
// that share a description ("A sequence whose values can be changed") share
// one copy of it.
class KovoFactoryClassInfo : public COSClassInfo {
 public:
  KovoFactoryClassInfo(std::string_view shortName, std::string_view description)
      : fShortName(intern(shortName).c_str()), fDescription(intern(description)) {}
  KovoFactoryClassInfo(Interned shortName, Interned description)
      : fShortName(shortName.c_str()), fDescription(description) {}
  // A class named by its full name ("Package.Short"): the short name is the
  // end of that interned name, and the class's own full name, interned
  // when it joins its package, is the same one. No second copy.
  struct FullName {
    Interned name;
  };
  KovoFactoryClassInfo(FullName full, Interned description)
      : fShortName(full.name.c_str() + full.name.view().rfind('.') + 1), fDescription(description) {}
  char const* getName() const override { return fShortName; }
  char const* getDescription() const override { return fDescription.c_str(); }

 private:
  char const* fShortName;  // interned, or the end of an interned full name
  Interned fDescription;
};

// Instances are bound to handles of T; T only documents what is bound.
template <class T, bool ValueSemantics>
class HandleClassInfo : public KovoFactoryClassInfo {
 public:
  using KovoFactoryClassInfo::KovoFactoryClassInfo;
};

}  // namespace kovo::factory

namespace Ozo::xb {

// Base of every class whose instances are model objects: destroying an
// instance drops its binding and gives back the binding's reference.
class ClassMetaData : public kovo::factory::HandleClassInfo<ReferenceCountingIntf, false> {
 public:
  using HandleClassInfo::HandleClassInfo;
  void destroyInstance(void* unused, void* instance) override;
  void destroySlotted(kovo::BindingSlot* slot) override;
};

// Base of meta-property classes: instances are plain native objects of T.
template <class T>
class MetaPropertyMetaData : public kovo::factory::HandleClassInfo<T, false> {
 public:
  using kovo::factory::HandleClassInfo<T, false>::HandleClassInfo;
  void destroyInstance(void*, void* instance) override {
    kovo::factory::basic::BindingRegistry::remove(instance);
    delete static_cast<T*>(instance);
  }
};

// Callbacks that other bindings attach to a class while it is initialised.
class KovoExtensionsRegistryImpl {
 public:
  using Callback = void (*)(char const* className, kovo::COSClass* cls, kovo::COSClient* client);
  void addNonConstCallback(std::string className, Callback cb);
  void executeNonConstCallbacks(char const* className, kovo::COSClass* cls, kovo::COSClient* client) const;

 private:
  std::vector<std::pair<std::string, Callback>> fCallbacks;
};

class KovoExtensionsRegistry {
 public:
  static KovoExtensionsRegistryImpl& instance();
};

// Hands a new class description to `package`, or makes it a global class
// without one. The host owns the description from this call on: should
// adding fail (another class of that name), it is freed and the error goes
// on to the caller.
void addToPackage(kovo::COSPackage* package, kovo::COSClassInfo* info);

// Registers the runtime's own host package "Ozo" (Ozo.Object, Ozo.Model, ...)
// once; later calls do nothing.
void ensureOzoPackage();
// Offers change events and transactions to the host (xb/Changes.cpp).
void registerChangeService();

}  // namespace Ozo::xb
