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

struct UnitClass : TypesClass<Unit> {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesUnit";
  using Meta = ModelMeta<Intf, Immutable, kHeader, 1468>;
  static constexpr ShownProperty shown[] = {{1, kAttrMarked}, {2, kAttrMarked}, {3, kAttrMarked}, {4, kAttrMarked},
                                            {5, kAttrMarked}, {6, kAttrMarked}, {7, kAttrMarked}, {8, kAttrMarked},
                                            {9, kAttrMarked}, {10, kAttrMarked}};
  static constexpr auto& methods = UnitMethods<ImmutableUnit>::rows;
  static constexpr auto& modifiableMethods = UnitMethods<Unit>::rows;
};
}  // namespace

template <>
struct ElementFile<Unit> {
  using Class = UnitClass;
};
template void registerElement<Unit>(kovo::COSPackage*);

}  // namespace Zorvan::metamodel::types::xb
