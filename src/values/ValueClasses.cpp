#include "values/ValueClasses.hpp"

#include "sequences/ValueSequences.hpp"

namespace Zorvan::metamodel::types::xb {

void registerValueClasses(kovo::COSPackage* package, kovo::COSClassInfo* valueClass, char const* name) {
  Ozo::xb::addToPackage(package, valueClass);
  addValueListClasses(package, name);
}

}  // namespace Zorvan::metamodel::types::xb
