#include "values/ValueClasses.hpp"

#include "sequences/ValueSequences.hpp"

#include <Ozo/Base.hpp>

#include <string>

namespace Zorvan::metamodel::types::xb {

namespace {

void add(kovo::COSPackage* package, kovo::COSClassInfo* info) {
  if (package)
    package->addClass(info, 2);
  else
    kovo::COSClass::addGlobalClass(info);
}

}  // namespace

void registerValueClasses(kovo::COSPackage* package, kovo::COSClassInfo* valueClass, char const* name) {
  add(package, valueClass);
  // The host owns each description from the moment it is handed over.
  for (ValueListRole const role : {ValueListRole::Sequence, ValueListRole::ImmutableSequence,
                                   ValueListRole::Iterator, ValueListRole::ImmutableIterator}) {
    kovo::COSClassInfo* const info = createValueListClass(name, role);
    if (info == nullptr) throw Ozo::Exception(std::string("No value lists for \"") + name + "\"");
    add(package, info);
  }
}

}  // namespace Zorvan::metamodel::types::xb
