// MatrixValueSpecification as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"OwnedCell", K::Element, M::Many, names::kCell, kOwns, false, D::None, nullptr, "OwnedValue"},
    {"IsSparse", K::Boolean, M::One},
};
}  // namespace

using I = NSInterface::MatrixValueSpecificationIntf;
constinit ClassDef const I::sClassDef =
    classDef("MatrixValueSpecification", NSInterface::CompositeSpecificationIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

Ozo::Collection<ImmutableCell> ImmutableMatrixValueSpecification::getOwnedCell() const {
  return prop::get<Intf, 1, Ozo::Collection<ImmutableCell>>(*this);
}

MatrixValueSpecification MatrixValueSpecification::create(Ozo::Model const& model) {
  return Ozo::createElement<MatrixValueSpecification>(model);
}

MatrixValueSpecification MatrixValueSpecification::create(Ozo::Model model, Ozo::String name) {
  return createNamed<MatrixValueSpecification>(model, name);
}

}  // namespace Zorvan::metamodel::types
