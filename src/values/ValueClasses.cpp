#include "values/ValueClasses.hpp"

#include "sequences/ValueSequences.hpp"

#include <Ozo/Base.hpp>

#include <string>

namespace Zorvan::metamodel::types::xb {

void registerValueClasses(kovo::COSPackage* package, kovo::COSClassInfo* valueClass, char const* name) {
  Ozo::xb::addToPackage(package, valueClass);
  // The host owns each description from the moment it is handed over.
  for (ValueListRole const role : {ValueListRole::Sequence, ValueListRole::ImmutableSequence,
                                   ValueListRole::Iterator, ValueListRole::ImmutableIterator}) {
    kovo::COSClassInfo* const info = createValueListClass(name, role);
    if (info == nullptr) throw Ozo::Exception(std::string("No value lists for \"") + name + "\"");
    Ozo::xb::addToPackage(package, info);
  }
}

}  // namespace Zorvan::metamodel::types::xb
