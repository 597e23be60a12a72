// PrimitiveType as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"GroundValue", K::Real, M::One, nullptr, false, kReadOnly, D::Rule, &rules::groundValue},
    {"CompuMethod", K::Element, M::ZeroOne, names::kCompuMethod},
    {"Unit", K::Element, M::ZeroOne, names::kUnit},
    {"DataConstr", K::Element, M::ZeroOne, names::kDataConstr},
    {"SwBaseType", K::Element, M::ZeroOne, names::kSwBaseType},
    {"IsApplication", K::Boolean, M::One},
    {"Reference", K::Element, M::ZeroOne, names::kPrimitiveType},
    {"Qualifier", K::String, M::ZeroOne},
    {"IsVolatile", K::Boolean, M::ZeroOne},
    {"IsConst", K::Boolean, M::ZeroOne},
};
}  // namespace

using I = NSInterface::PrimitiveTypeIntf;
constinit ClassDef const I::sClassDef =
    classDef("PrimitiveType", foundation::NSInterface::ValueTypeIntf::sClassDef, kOwn, kAbstract);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

ImmutableCompuMethod ImmutablePrimitiveType::getCompuMethod() const {
  return prop::get<Intf, 2, ImmutableCompuMethod>(*this);
}
ImmutableUnit ImmutablePrimitiveType::getUnit() const { return prop::get<Intf, 3, ImmutableUnit>(*this); }
ImmutableDataConstr ImmutablePrimitiveType::getDataConstr() const {
  return prop::get<Intf, 4, ImmutableDataConstr>(*this);
}
ImmutableSwBaseType ImmutablePrimitiveType::getSwBaseType() const {
  return prop::get<Intf, 5, ImmutableSwBaseType>(*this);
}
ImmutablePrimitiveType ImmutablePrimitiveType::getReference() const {
  return prop::get<Intf, 7, ImmutablePrimitiveType>(*this);
}

}  // namespace Zorvan::metamodel::types
