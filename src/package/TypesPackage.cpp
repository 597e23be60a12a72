#include "package/TypesPackage.hpp"

#include "elements/Registration.hpp"

#include <Ozo/Base.hpp>
#include <foundation_xb/MetamodelPackages.hpp>
#include <kovo/Class.hpp>
#include <types/Types.hpp>
#include <xb/Marshal.hpp>

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
void invokeMetaPackage(kovo::factory::impl::Binding const& b, kovo::COSClient*, int& nlhs, kovo::COSValue* out,
                       int, kovo::COSValue const*) {
  auto const target = reinterpret_cast<Ozo::ImmutablePackage (*)()>(b.target);
  Ozo::ImmutablePackage const package = target();
  out[0] = Ozo::xb::returnObject(package, true, "Ozo.ImmutablePackage");
  Ozo::xb::fixOutputCount(nlhs);
}

void registerMetaPackageFunction(kovo::COSPackage* package) {
  using kovo::factory::FunctionInfo;
  void* const block = std::calloc(1, sizeof(FunctionInfo));
  if (!block) Ozo::throwOutOfMemory();
  FunctionInfo* fn;
  try {
    fn = new (block) FunctionInfo("MetaPackage", kovo::factory::MethodAttributes{0});
  } catch (...) {
    zkFree(block);
    throw;
  }
  std::unique_ptr<FunctionInfo, kovo::HostDelete> owned(fn);
  if (!(fn->flags() & kovo::factory::kFlagExplicit)) fn->flags() |= kovo::factory::kFlagStatic;
  kovo::factory::impl::Invoker::createSignature(*fn, "", "Ozo.ImmutablePackage", nullptr, {});
  fn->binding().target = reinterpret_cast<kovo::factory::GenericFn>(&Zorvan::metamodel::types::MetaPackage);
  fn->binding().invoker = &invokeMetaPackage;
  if (fn->flags() & kovo::factory::kFlagExplicit) fn->binding().adjustment = 1;
  package->addFunction(owned.release());
}

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
  // The one registration order of the package's classes.
  staticInitializeInteger(package);
  staticInitializeReal(package);
  staticInitializePrimitiveType(package);
  staticInitializeSharedAxisType(package);
  staticInitializeAxis(package);
  staticInitializeSwGenericAxisParamType(package);
  kovo::factory::detail::initStringDataTypes();
  registerMetaPackageFunction(package);
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
