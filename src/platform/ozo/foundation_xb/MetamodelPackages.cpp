#include <foundation_xb/MetamodelPackages.hpp>

#include "foundation_xb/FoundationClasses.hpp"

#include <xb/ClassInfo.hpp>

namespace {

kovo::COSPackage* findOrCreate(char const* name) {
  kovo::COSPackage* p = kovo::COSPackage::getPackage(kovo::intern(name));
  return p ? p : kovo::factory::registerKovoPackage(name, [](kovo::COSPackage*) {});
}

// The description of "Zorvan.metamodel.foundation": its classes are
// registered when the package is first looked up.
class FoundationPackageInfo final : public kovo::COSPackageInfo {
 public:
  char const* getName() const override { return "foundation"; }
  void populate(kovo::COSPackage* package) override { Zorvan::metamodel::foundation::xb::registerClasses(package); }
};

bool gMetamodelReady = false;

}  // namespace

namespace Zorvan::xb {

kovo::COSPackage* getZorvanCOSPackage() {
  Ozo::xb::ensureOzoPackage();
  return findOrCreate("Zorvan");
}

}  // namespace Zorvan::xb

namespace Zorvan::metamodel::xb {

void initmetamodelPackageWrapper(kovo::COSPackage*) {
  if (gMetamodelReady) return;
  gMetamodelReady = true;
  // Every meta-property class of the metamodel packages lists foundation entries.
  Zorvan::metamodel::foundation::xb::registerMetaGroups();
  findOrCreate("Zorvan.metamodel")->addPackageInfo(new FoundationPackageInfo);
}

kovo::COSPackage* getmetamodelCOSPackage() { return kovo::COSPackage::getPackage(kovo::intern("Zorvan.metamodel")); }

}  // namespace Zorvan::metamodel::xb
