// Entry points of the types binding module and its package registration.
#pragma once

#include <kovo/Class.hpp>

#include <map>
#include <string>

extern "C" {
void QnInitialize_mm_types_xb();
void QnTerminate_mm_types_xb();
}

namespace Zorvan::metamodel::types::xb {

using PackageInitializer = void (*)(kovo::COSPackage*);

// Package initialisers the module offers, by key (byte-wise order).
std::map<std::string, PackageInitializer>& packageInitializers();

// Attaches the description of "types" to "Zorvan.metamodel" (once).
void inittypesPackageWrapper(kovo::COSPackage* ignored);
// Registers every class of the package and the function "MetaPackage".
void typesStaticInitializePackage(kovo::COSPackage* package);
// The package handed to populate; null before.
kovo::COSPackage* gettypesCOSPackage();

// Lifecycle flags, for diagnostics and tests.
struct ModuleState {
  bool initialized;
  bool terminated;
  bool packageInfoAttached;
};
ModuleState moduleState();

class typesModuleRegistration {
 public:
  typesModuleRegistration();
};

class typesPackageWrapper : public kovo::COSPackageInfo {
 public:
  ~typesPackageWrapper() override {}
  char const* getName() const override { return "types"; }
  char const* getDescription() const override { return nullptr; }
  char const* getDetailedDescription() const override { return nullptr; }
  void* getMethodSelector() const override { return nullptr; }
  void populate(kovo::COSPackage* package) override;
  bool isDestructible() const override { return true; }
  bool isLocked() const override { return true; }
  char const* getH1Line() const override { return nullptr; }
  char const* getHelpText() const override { return nullptr; }
};

}  // namespace Zorvan::metamodel::types::xb
