// Matrix as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"Dimensions", K::Integer, M::Many},
    {"BaseType", K::Element, M::One, names::kFoundationValueType},
    {"IsApplication", K::Boolean, M::One},
    {"SymbolicDimensions", K::String, M::Many},
    {"Reference", K::Element, M::ZeroOne, names::kMatrix},
    {"Qualifier", K::String, M::ZeroOne},
    {"IsConst", K::Boolean, M::ZeroOne},
    {"IsVolatile", K::Boolean, M::ZeroOne},
};
}  // namespace

using I = NSInterface::MatrixIntf;
constinit ClassDef const I::sClassDef =
    classDef("Matrix", foundation::NSInterface::ValueTypeIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

ImmutableMatrix ImmutableMatrix::getReference() const { return prop::get<Intf, 5, ImmutableMatrix>(*this); }

Matrix Matrix::create(Ozo::Model const& model) { return Ozo::createElement<Matrix>(model); }

Matrix Matrix::create(Ozo::Model model, foundation::ValueType baseType, Ozo::String name) {
  Matrix const x = createNamed<Matrix>(model, name);
  x.setBaseType(baseType);
  return x;
}

}  // namespace Zorvan::metamodel::types
