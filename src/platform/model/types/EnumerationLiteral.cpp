// EnumerationLiteral as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"Value", K::Integer, M::One},
    {"HasValidValue", K::Boolean, M::One, nullptr, false, kReadOnly, D::Rule, &rules::literalHasValidValue},
    {"IsSecure", K::Boolean, M::One, nullptr, false, kReadOnly, D::Rule, &rules::literalIsSecure},
    {"Pvalue", K::Integer, M::One},
    {"PisUserDefined", K::Boolean, M::One},
    {"Enumeration", K::Element, M::One, names::kEnumeration, false, false, D::Container, nullptr},
};
}  // namespace

using I = NSInterface::EnumerationLiteralIntf;
constinit ClassDef const I::sClassDef =
    classDef("EnumerationLiteral", foundation::NSInterface::NamedElementIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

ImmutableEnumeration ImmutableEnumerationLiteral::getEnumeration() const {
  return prop::get<Intf, 6, ImmutableEnumeration>(*this);
}

EnumerationLiteral EnumerationLiteral::create(Ozo::Model const& model) {
  return Ozo::createElement<EnumerationLiteral>(model);
}

EnumerationLiteral EnumerationLiteral::create(Ozo::Model model, Ozo::Integer value, Ozo::Integer pvalue,
                                              Enumeration enumeration, Ozo::String name) {
  checkLinkable(model, "EnumerationLiteral", enumeration);
  EnumerationLiteral const x = createNamed<EnumerationLiteral>(model, name);
  x.setValue(value);
  x.setPvalue(pvalue);
  x.setEnumeration(enumeration);
  return x;
}

}  // namespace Zorvan::metamodel::types
