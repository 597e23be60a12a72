// Dimension: a physical dimension as exponents of base dimensions.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class DimensionIntf : public foundation::NSInterface::PackageableElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableDimension
    : public Ozo::ImmutableHandle<NSInterface::DimensionIntf, foundation::ImmutablePackageableElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableDimension cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableDimension>(o); }
  Ozo::Collection<ImmutableUnit> getUnit() const;
  ImmutableUnit getBaseUnit() const;
  Ozo::Collection<ImmutableDimension> getBaseDimension() const;
  Ozo::Collection<Ozo::Integer> getBaseExponent() const {
    return prop::get<Intf, 4, Ozo::Collection<Ozo::Integer>>(*this);
  }
  Ozo::String getSymbol() const { return prop::get<Intf, 5, Ozo::String>(*this); }
  Ozo::String getDimensionExpression() const { return prop::get<Intf, 6, Ozo::String>(*this); }
};

template <class B>
class DimensionMutators : public B {
  using M = NSInterface::DimensionIntf;

 public:
  using B::B;
  DimensionMutators() = default;
  void setBaseUnit(ImmutableUnit const& v) const { prop::set<M, 2>(*this, v); }
  void setSymbol(Ozo::String const& v) const { prop::set<M, 5>(*this, v); }
  void setDimensionExpression(Ozo::String const& v) const { prop::set<M, 6>(*this, v); }
};

class Dimension : public DimensionMutators<detail::PackageableElementBase<ImmutableDimension>> {
 public:
  using DimensionMutators::DimensionMutators;
  static Dimension create(Ozo::Model const& model);
  static Dimension create(Ozo::Model model, Ozo::String name);
  static constexpr CreateWith<Ozo::String> kCreateWith{" aName"};
};

}  // namespace Zorvan::metamodel::types
