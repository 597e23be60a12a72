// ConstantSpecification as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"ConstantExpression", K::String, M::One},
    {"ConstantValue", K::Element, M::One, names::kFoundationValueSpecification, kOwns, false, D::None, nullptr,
     "OwnedElement"},
};
}  // namespace

using I = NSInterface::ConstantSpecificationIntf;
constinit ClassDef const I::sClassDef =
    classDef("ConstantSpecification", foundation::NSInterface::PackageableElementIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

ConstantSpecification ConstantSpecification::create(Ozo::Model const& model) {
  return Ozo::createElement<ConstantSpecification>(model);
}

ConstantSpecification ConstantSpecification::create(Ozo::Model model, foundation::ValueSpecification constantValue,
                                                    Ozo::String name) {
  ConstantSpecification const x = createNamed<ConstantSpecification>(model, name);
  x.setConstantValue(constantValue);
  return x;
}

}  // namespace Zorvan::metamodel::types
