// Axis: a named axis of a lookup table.
#include "elements/Registration.hpp"
#include "elements/anatomy/ElementClass.hpp"
#include "elements/TypesMeta.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
using namespace Zorvan::xb;
using enum PropertyKind;
using enum Ozo::xb::Multiplicity;
using enum Ozo::xb::Mutability;

constexpr PropertyRow kProperties[] = {
    {1, "BaseType", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutablePrimitiveType", 2048},
    {2, "SharedAxis", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutableSharedAxisType", 0},
    {3, "Dimensions", Primitive, ExactlyOne, Settable, "int32 scalar", 0},
    {4, "InputVariableType", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutablePrimitiveType", 2048},
    {5, "SymbolicDimensions", PrimitiveSequence, Many, Settable, "Ozo.ImmutableSequenceOfString", 0},
    {6, "SwGenericAxisParamType", ClassObject, Many, Settable,
     "Zorvan.metamodel.types.ImmutableSequenceOfImmutableSwGenericAxisParamType", 2048},
    {7, "Vf", PrimitiveSequence, Many, Settable, "Ozo.ImmutableSequenceOfReal", 2048},
};

constexpr MetaGroup kMetaGroups[] = {
    metaGroup<AxisMeta>(),
    metaGroup<NamedElementMeta>(),
    metaGroup<ElementMeta>(),
    metaGroup<ClassObjectMeta>(),
};
struct AxisClass {
  using Intf = NSInterface::AxisIntf;
  using Immutable = ImmutableAxis;
  using Modifiable = Axis;
  static constexpr ElementFacts facts{
      "Zorvan.metamodel.types", "Axis", "Zorvan.metamodel.foundation.ImmutableNamedElement",
      "Zorvan.metamodel.foundation.NamedElement", kProperties, kMetaGroups};
  using Constructors =
      Creations<Creation<Axis, Ozo::Model const&>, Creation<Axis, Ozo::Model, Ozo::Integer, Ozo::String>>;
};
}  // namespace

using ImmutableAxisWrapper = ImmutableElementWrapper<AxisClass>;
using AxisWrapper = ModifiableElementWrapper<AxisClass>;
using AxisMetaPropertyWrapper = MetaPropertyWrapper<AxisClass>;

void staticInitializeAxis(kovo::COSPackage* package) { registerElementClass<AxisClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
