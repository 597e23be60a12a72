// ConstantReference as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"Value", K::Element, M::One, names::kConstantSpecification},
};
}  // namespace

using I = NSInterface::ConstantReferenceIntf;
constinit ClassDef const I::sClassDef =
    classDef("ConstantReference", foundation::NSInterface::ValueSpecificationIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

ImmutableConstantSpecification ImmutableConstantReference::getValue() const {
  return prop::get<Intf, 1, ImmutableConstantSpecification>(*this);
}

ConstantReference ConstantReference::create(Ozo::Model const& model) {
  return Ozo::createElement<ConstantReference>(model);
}

ConstantReference ConstantReference::create(Ozo::Model model, ConstantSpecification value, Ozo::String name) {
  ConstantReference const x = createNamed<ConstantReference>(model, name);
  x.setValue(value);
  return x;
}

}  // namespace Zorvan::metamodel::types
