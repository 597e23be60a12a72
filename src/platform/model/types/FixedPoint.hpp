// FixedPoint: a whole number scaled by a binary slope and offset by a bias.
#pragma once

#include <types/Real.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class FixedPointIntf : public RealIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableFixedPoint : public Ozo::ImmutableHandle<NSInterface::FixedPointIntf, ImmutableReal> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableFixedPoint cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableFixedPoint>(o); }
  Ozo::ImmutableObject getLength() const { return prop::get<Intf, 1, Ozo::ImmutableObject>(*this); }
  Ozo::Boolean getIsSigned() const { return prop::get<Intf, 2, Ozo::Boolean>(*this); }
  Ozo::ImmutableObject getFractionLength() const { return prop::get<Intf, 3, Ozo::ImmutableObject>(*this); }
  std::optional<Ozo::Real> getBias() const { return prop::get<Intf, 4, std::optional<Ozo::Real>>(*this); }
  std::optional<Ozo::Real> getFractionalSlope() const { return prop::get<Intf, 5, std::optional<Ozo::Real>>(*this); }
  Ozo::Real getSlope() const { return prop::get<Intf, 6, Ozo::Real>(*this); }
};

template <class B>
class FixedPointMutators : public B {
  using M = NSInterface::FixedPointIntf;

 public:
  using B::B;
  FixedPointMutators() = default;
  void setLength(Ozo::ImmutableObject const& v) const { prop::set<M, 1>(*this, v); }
  void setIsSigned(Ozo::Boolean v) const { prop::set<M, 2>(*this, v); }
  void setFractionLength(Ozo::ImmutableObject const& v) const { prop::set<M, 3>(*this, v); }
  void setBias(std::optional<Ozo::Real> v) const { prop::set<M, 4>(*this, v); }
  void setFractionalSlope(std::optional<Ozo::Real> v) const { prop::set<M, 5>(*this, v); }
};

class FixedPoint
    : public FixedPointMutators<RealMutators<PrimitiveTypeMutators<detail::ValueTypeBase<ImmutableFixedPoint>>>> {
 public:
  using FixedPointMutators::FixedPointMutators;
  static FixedPoint create(Ozo::Model const& model);
  static FixedPoint create(Ozo::Model model, Ozo::String name);
  static constexpr CreateWith<Ozo::String> kCreateWith{" aName"};
};

}  // namespace Zorvan::metamodel::types
