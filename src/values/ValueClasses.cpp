#include "values/ValueClasses.hpp"

#include <string>

namespace Zorvan::metamodel::types::xb {

namespace {

// Sequence and cursor classes of a value type. Their methods arrive with the
// value lists; until then they are named and described only.
class ValueListClassInfo final : public kovo::factory::KovoFactoryClassInfo {
 public:
  using KovoFactoryClassInfo::KovoFactoryClassInfo;
  void initializeClass(kovo::COSClass*, kovo::COSClient*) override {}
};

void add(kovo::COSPackage* package, kovo::COSClassInfo* info) {
  if (package)
    package->addClass(info, 2);
  else
    kovo::COSClass::addGlobalClass(info);
}

}  // namespace

void registerValueClasses(kovo::COSPackage* package, kovo::COSClassInfo* valueClass, char const* name) {
  add(package, valueClass);
  std::string const n = name;
  std::string const iterator = "A iterator for traversing a modifiable list of " + n + " objects";
  struct List {
    std::string shortName, description;
  };
  List const lists[] = {
      {"SequenceOf" + n, "A sequence of " + n + " whose values can be changed"},
      {"ImmutableSequenceOf" + n, "A non-modifiable sequence of " + n + " whose values can be changed"},
      {n + "Iterator", iterator},
      {n + "ImmutableIterator", iterator},
  };
  // The host owns each description from the moment it is handed over.
  for (List const& l : lists) add(package, new ValueListClassInfo(l.shortName, l.description));
}

}  // namespace Zorvan::metamodel::types::xb
