#include "package/TypesPackage.hpp"

#include "elements/Registration.hpp"
#include "factory/Registration.hpp"
#include "values/Registration.hpp"

#include <Ozo/Base.hpp>
#include <foundation_xb/MetamodelPackages.hpp>
#include <kovo/Class.hpp>
#include <types/Classes.hpp>
#include <xb/Methods.hpp>

#include <cstdlib>
#include <new>

namespace Zorvan::metamodel::types::xb {

namespace {

struct {
  unsigned char initialized;
  unsigned char terminated;
  unsigned char packageInfoAttached;
  kovo::COSPackage* package;
} gModule{};

// "MetaPackage": the types metamodel package, immutable view.
constexpr Ozo::xb::MethodRow kMetaPackage = Ozo::xb::function<&Zorvan::metamodel::types::MetaPackage>("MetaPackage");

}  // namespace

std::map<std::string, PackageInitializer>& packageInitializers() {
  static std::map<std::string, PackageInitializer> registry;
  return registry;
}

typesModuleRegistration::typesModuleRegistration() {
  Zorvan::metamodel::foundation::initialize();
  packageInitializers()["types"] = &inittypesPackageWrapper;
}

void inittypesPackageWrapper(kovo::COSPackage*) {
  if (gModule.packageInfoAttached) return;
  gModule.packageInfoAttached = 1;
  kovo::COSPackage* parent = kovo::COSPackage::getPackage(kovo::intern("Zorvan.metamodel"));
  if (!parent) parent = kovo::factory::registerKovoPackage("Zorvan.metamodel", [](kovo::COSPackage*) {});
  void* const block = std::calloc(1, sizeof(typesPackageWrapper));
  if (!block) Ozo::throwOutOfMemory();
  parent->addPackageInfo(new (block) typesPackageWrapper);
}

void typesPackageWrapper::populate(kovo::COSPackage* package) {
  gModule.package = package;
  typesStaticInitializePackage(package);
}

void typesStaticInitializePackage(kovo::COSPackage* package) {
  // The package's classes in the order of its class list.
  PackageClasses::forEach([package]<class X>() {
    if constexpr (ElementClass<X>)
      registerElement<X>(package);
    else if constexpr (ValueClass<X>)
      registerValue<X>(package);
    else
      staticInitializeFactory(package);
  });
  kovo::factory::detail::initStringDataTypes();
  Ozo::xb::addFunction(package, kMetaPackage);
}

kovo::COSPackage* gettypesCOSPackage() { return gModule.package; }

ModuleState moduleState() {
  return {gModule.initialized != 0, gModule.terminated != 0, gModule.packageInfoAttached != 0};
}

namespace {
typesModuleRegistration registerThis;
}  // namespace

}  // namespace Zorvan::metamodel::types::xb

extern "C" void QnInitialize_mm_types_xb() {
  using namespace Zorvan::metamodel::types::xb;
  if (gModule.initialized) return;
  gModule.initialized = 1;
  Zorvan::metamodel::xb::initmetamodelPackageWrapper(Zorvan::xb::getZorvanCOSPackage());
  for (auto const& [key, init] : packageInitializers()) init(Zorvan::metamodel::xb::getmetamodelCOSPackage());
}

extern "C" void QnTerminate_mm_types_xb() {
  using namespace Zorvan::metamodel::types::xb;
  if (!gModule.terminated) gModule.terminated = 1;
}
