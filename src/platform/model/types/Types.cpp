// The package: its class definitions, in the order of the package's class
// list (Classes.hpp), which is the order the meta package lists them. Each class's table, definition and creation
// operations live in its own file (X.cpp).
#include <types/Classes.hpp>
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

void initialize() {
  static bool const done = [] {
    foundation::initialize();
    forEachOf<IsElement>([]<class X>() { Ozo::metaClassOf(X::Intf::sClassDef); });
    return true;
  }();
  (void)done;
}

Ozo::ImmutablePackage MetaPackage() {
  initialize();
  return Ozo::metaPackage(kPackageName);
}

}  // namespace Zorvan::metamodel::types
