// Axis: a named axis of a lookup table.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
struct AxisClass {
  using Intf = NSInterface::AxisIntf;
  using Immutable = ImmutableAxis;
  using Modifiable = Axis;
  using Meta = AxisMeta;
  static constexpr PropertyRow properties[] = {
      {1, "BaseType", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutablePrimitiveType", 2048},
      {2, "SharedAxis", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutableSharedAxisType", 0},
      {3, "Dimensions", Primitive, ExactlyOne, Settable, "int32 scalar", 0},
      {4, "InputVariableType", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutablePrimitiveType", 2048},
      {5, "SymbolicDimensions", PrimitiveSequence, Many, Settable, "Ozo.ImmutableSequenceOfString", 0},
      {6, "SwGenericAxisParamType", ClassObject, Many, Settable,
       "Zorvan.metamodel.types.ImmutableSequenceOfImmutableSwGenericAxisParamType", 2048},
      {7, "Vf", PrimitiveSequence, Many, Settable, "Ozo.ImmutableSequenceOfReal", 2048},
  };
  static constexpr MethodRow constructors[] = {
      creation<Axis, Ozo::Model const&>(),
      creation<Axis, Ozo::Model, Ozo::Integer, Ozo::String>(),
  };
};
}  // namespace

using ImmutableAxisWrapper = Ozo::xb::ImmutableElementWrapper<AxisClass>;
using AxisWrapper = Ozo::xb::ModifiableElementWrapper<AxisClass>;
using AxisMetaPropertyWrapper = Ozo::xb::MetaPropertyWrapper<AxisClass>;

void staticInitializeAxis(kovo::COSPackage* package) { registerClass<AxisClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
