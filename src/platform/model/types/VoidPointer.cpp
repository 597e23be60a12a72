// VoidPointer as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"IsApplication", K::Boolean, M::One, nullptr, false, kReadOnly, D::Rule, &rules::voidPointerIsApplication},
    {"SwBaseType", K::Element, M::One, names::kSwBaseType},
    {"SwImplPolicy", K::String, M::ZeroOne},
    {"Qualifier", K::String, M::ZeroOne},
    {"IsConst", K::Boolean, M::ZeroOne},
    {"IsVolatile", K::Boolean, M::ZeroOne},
};
}  // namespace

using I = NSInterface::VoidPointerIntf;
constinit ClassDef const I::sClassDef =
    classDef("VoidPointer", foundation::NSInterface::ValueTypeIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

ImmutableSwBaseType ImmutableVoidPointer::getSwBaseType() const {
  return prop::get<Intf, 2, ImmutableSwBaseType>(*this);
}

VoidPointer VoidPointer::create(Ozo::Model const& model) { return Ozo::createElement<VoidPointer>(model); }

VoidPointer VoidPointer::create(Ozo::Model model, SwBaseType swBaseType, Ozo::String name) {
  VoidPointer const x = createNamed<VoidPointer>(model, name);
  x.setSwBaseType(swBaseType);
  return x;
}

}  // namespace Zorvan::metamodel::types
