// The package: its one list of class definitions, in the order the meta
// package lists them. Each class's table, definition and creation
// operations live in its own file (X.cpp).
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

namespace {
namespace ni = NSInterface;
constexpr Ozo::meta::ClassDef const* kClasses[] = {
    &ni::PrimitiveTypeIntf::sClassDef,
    &ni::RealIntf::sClassDef,
    &ni::IntegerIntf::sClassDef,
    &ni::SharedAxisTypeIntf::sClassDef,
    &ni::SwGenericAxisParamTypeIntf::sClassDef,
    &ni::AxisIntf::sClassDef,
    &ni::SwRecordLayoutIntf::sClassDef,
};
}  // namespace

void initialize() {
  static bool const done = [] {
    foundation::initialize();
    for (Ozo::meta::ClassDef const* def : kClasses) Ozo::metaClassOf(*def);
    return true;
  }();
  (void)done;
}

Ozo::ImmutablePackage MetaPackage() {
  initialize();
  return Ozo::metaPackage(kPackageName);
}

}  // namespace Zorvan::metamodel::types
