// Unit: a unit of measurement, converting to its base unit.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class UnitIntf : public foundation::NSInterface::PackageableElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableUnit : public Ozo::ImmutableHandle<NSInterface::UnitIntf, foundation::ImmutablePackageableElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableUnit cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableUnit>(o); }
  Ozo::Real getConvFactor() const { return prop::get<Intf, 1, Ozo::Real>(*this); }
  Ozo::Real getConvOffset() const { return prop::get<Intf, 2, Ozo::Real>(*this); }
  ImmutableUnit getConvUnit() const;
  ImmutableDimension getDimension() const;
  Ozo::String getSymbol() const { return prop::get<Intf, 5, Ozo::String>(*this); }
  Ozo::String getUnitExpression() const { return prop::get<Intf, 6, Ozo::String>(*this); }
  Ozo::Collection<ImmutableUnit> getBaseUnit() const;
  Ozo::Collection<Ozo::Integer> getBaseExponent() const {
    return prop::get<Intf, 8, Ozo::Collection<Ozo::Integer>>(*this);
  }
  Ozo::Collection<Ozo::String> getSuperscript() const {
    return prop::get<Intf, 9, Ozo::Collection<Ozo::String>>(*this);
  }
  Ozo::Collection<Ozo::String> getSubscript() const { return prop::get<Intf, 10, Ozo::Collection<Ozo::String>>(*this); }

  // Conversions. A unit converts to its ConvUnit by value x ConvFactor +
  // ConvOffset, and to its base unit (the end of the ConvUnit chain) by the
  // whole chain; two units convert through their common base. Each fails on
  // an empty handle, a ConvUnit cycle, units of different bases, units whose
  // stated dimensions differ, and a target chain that cannot be inverted.
  Ozo::Real convert(Ozo::Real value, ImmutableUnit const& target) const;
  Ozo::Real convertToBase(Ozo::Real value) const;
  // [factor, offset] of the whole chain: base value = factor x value + offset.
  Ozo::Collection<Ozo::Real> getFactorAndOffsetToBase() const;
  // Same exponents of base dimensions (from each unit's Dimension; a unit
  // without one has none; trailing zeros do not count).
  Ozo::Boolean hasSameDimensions(ImmutableUnit const& other) const;
  Ozo::Collection<Ozo::Integer> getBaseDimensionExponents() const;
};

template <class B>
class UnitMutators : public B {
  using M = NSInterface::UnitIntf;

 public:
  using B::B;
  UnitMutators() = default;
  void setConvFactor(Ozo::Real v) const { prop::set<M, 1>(*this, v); }
  void setConvOffset(Ozo::Real v) const { prop::set<M, 2>(*this, v); }
  void setConvUnit(ImmutableUnit const& v) const { prop::set<M, 3>(*this, v); }
  void setDimension(ImmutableDimension const& v) const { prop::set<M, 4>(*this, v); }
  void setSymbol(Ozo::String const& v) const { prop::set<M, 5>(*this, v); }
  void setUnitExpression(Ozo::String const& v) const { prop::set<M, 6>(*this, v); }
};

class Unit : public UnitMutators<detail::PackageableElementBase<ImmutableUnit>> {
 public:
  using UnitMutators::UnitMutators;
  static Unit create(Ozo::Model const& model);
  static Unit create(Ozo::Model model, Ozo::String name);
  static constexpr CreateWith<Ozo::String> kCreateWith{" aName"};
};

}  // namespace Zorvan::metamodel::types
