// Unit: a unit of measurement, converting to its base unit.
#include "elements/ClassFile.hpp"

namespace Zorvan::metamodel::types::xb {

namespace {
// The conversion methods, with the object in view Self.
template <class Self>
struct UnitMethods {
  static Ozo::Real convert(Self const& self, Ozo::Real value, Unit const& target) { return self.convert(value, target); }
  static Ozo::Real convertToBase(Self const& self, Ozo::Real value) { return self.convertToBase(value); }
  static Ozo::Collection<Ozo::Real> getFactorAndOffsetToBase(Self const& self) {
    return self.getFactorAndOffsetToBase();
  }
  static Ozo::Boolean hasSameDimensions(Self const& self, Unit const& unit) { return self.hasSameDimensions(unit); }
  static Ozo::Collection<Ozo::Integer> getBaseDimensionExponents(Self const& self) {
    return self.getBaseDimensionExponents();
  }
  static constexpr MethodRow rows[] = {
      instanceMethod<&convert>("convert", kInstanceOnly, "aValue, aTargetUnit"),
      instanceMethod<&convertToBase>("convertToBase", kInstanceOnly, "aValue"),
      instanceMethod<&getFactorAndOffsetToBase>("getFactorAndOffsetToBase", kInstanceOnly),
      instanceMethod<&hasSameDimensions>("hasSameDimensions", kInstanceOnly, "aUnit"),
      instanceMethod<&getBaseDimensionExponents>("getBaseDimensionExponents", kInstanceOnly),
  };
};

struct UnitClass {
  using Intf = NSInterface::UnitIntf;
  using Immutable = ImmutableUnit;
  using Modifiable = Unit;
  using Meta = UnitMeta;
  static constexpr PropertyRow properties[] = {
      {1, "ConvFactor", Primitive, ExactlyOne, Settable, "double scalar", 2048},
      {2, "ConvOffset", Primitive, ExactlyOne, Settable, "double scalar", 2048},
      {3, "ConvUnit", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutableUnit", 2048},
      {4, "Dimension", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.types.ImmutableDimension", 2048},
      {5, "Symbol", Text, ZeroOrOne, Settable, "char", 2048},
      {6, "UnitExpression", Text, ExactlyOne, Settable, "char", 2048},
      {7, "BaseUnit", ClassObject, Many, Settable, "Zorvan.metamodel.types.ImmutableSequenceOfImmutableUnit", 2048},
      {8, "BaseExponent", PrimitiveSequence, Many, Settable, "Ozo.ImmutableSequenceOfInteger", 2048},
      {9, "Superscript", PrimitiveSequence, Many, Settable, "Ozo.ImmutableSequenceOfString", 2048},
      {10, "Subscript", PrimitiveSequence, Many, Settable, "Ozo.ImmutableSequenceOfString", 2048},
  };
  static constexpr MethodRow constructors[] = {
      creation<Unit, Ozo::Model const&>(),
      creation<Unit, Ozo::Model, Ozo::String>(),
  };
  static constexpr auto& methods = UnitMethods<ImmutableUnit>::rows;
  static constexpr auto& modifiableMethods = UnitMethods<Unit>::rows;
};
}  // namespace

void staticInitializeUnit(kovo::COSPackage* package) { registerClass<UnitClass>(package); }

}  // namespace Zorvan::metamodel::types::xb
