// Real (abstract): a primitive type with an optional value range.
#pragma once

#include <types/PrimitiveType.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class RealIntf : public PrimitiveTypeIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableReal : public Ozo::ImmutableHandle<NSInterface::RealIntf, ImmutablePrimitiveType> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableReal cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableReal>(o); }
  std::optional<Ozo::Real> getMinValue() const { return prop::get<Intf, 1, std::optional<Ozo::Real>>(*this); }
  std::optional<Ozo::Real> getMaxValue() const { return prop::get<Intf, 2, std::optional<Ozo::Real>>(*this); }
  Ozo::Boolean getIsMinOpen() const { return prop::get<Intf, 3, Ozo::Boolean>(*this); }
  Ozo::Boolean getIsMaxOpen() const { return prop::get<Intf, 4, Ozo::Boolean>(*this); }
};

template <class B>
class RealMutators : public B {
  using M = NSInterface::RealIntf;

 public:
  using B::B;
  RealMutators() = default;
  void setMinValue(std::optional<Ozo::Real> v) const { prop::set<M, 1>(*this, v); }
  void setMaxValue(std::optional<Ozo::Real> v) const { prop::set<M, 2>(*this, v); }
  void setIsMinOpen(Ozo::Boolean v) const { prop::set<M, 3>(*this, v); }
  void setIsMaxOpen(Ozo::Boolean v) const { prop::set<M, 4>(*this, v); }
};

class Real : public RealMutators<PrimitiveTypeMutators<detail::ValueTypeBase<ImmutableReal>>> {
 public:
  using RealMutators::RealMutators;
};

}  // namespace Zorvan::metamodel::types
