// ApplicationValueSpecification as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"V", K::String, M::Many},
    {"Dimensions", K::Integer, M::Many},
    {"Category", K::String, M::ZeroOne},
};
}  // namespace

using I = NSInterface::ApplicationValueSpecificationIntf;
constinit ClassDef const I::sClassDef = classDef(
    "ApplicationValueSpecification", foundation::NSInterface::ValueSpecificationIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

ApplicationValueSpecification ApplicationValueSpecification::create(Ozo::Model const& model) {
  return Ozo::createElement<ApplicationValueSpecification>(model);
}

ApplicationValueSpecification ApplicationValueSpecification::create(Ozo::Model model, Ozo::String name) {
  return createNamed<ApplicationValueSpecification>(model, name);
}

}  // namespace Zorvan::metamodel::types
