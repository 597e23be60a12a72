// Axis: a named axis of a lookup table.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class AxisIntf : public foundation::NSInterface::NamedElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableAxis : public Ozo::ImmutableHandle<NSInterface::AxisIntf, foundation::ImmutableNamedElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableAxis cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableAxis>(o); }
  ImmutablePrimitiveType getBaseType() const;
  ImmutableSharedAxisType getSharedAxis() const;
  Ozo::Integer getDimensions() const { return prop::get<Intf, 3, Ozo::Integer>(*this); }
  ImmutablePrimitiveType getInputVariableType() const;
  Ozo::Collection<Ozo::String> getSymbolicDimensions() const {
    return prop::get<Intf, 5, Ozo::Collection<Ozo::String>>(*this);
  }
  Ozo::Collection<ImmutableSwGenericAxisParamType> getSwGenericAxisParamType() const;
  Ozo::Collection<Ozo::Real> getVf() const { return prop::get<Intf, 7, Ozo::Collection<Ozo::Real>>(*this); }
};

template <class B>
class AxisMutators : public B {
  using M = NSInterface::AxisIntf;

 public:
  using B::B;
  AxisMutators() = default;
  void setBaseType(ImmutablePrimitiveType const& v) const { prop::set<M, 1>(*this, v); }
  void setSharedAxis(ImmutableSharedAxisType const& v) const { prop::set<M, 2>(*this, v); }
  void setDimensions(Ozo::Integer v) const { prop::set<M, 3>(*this, v); }
  void setInputVariableType(ImmutablePrimitiveType const& v) const { prop::set<M, 4>(*this, v); }
};

class Axis : public AxisMutators<detail::NamedElementBase<ImmutableAxis>> {
 public:
  using AxisMutators::AxisMutators;
  static Axis create(Ozo::Model const& model);
  static Axis create(Ozo::Model model, Ozo::Integer dimensions, Ozo::String name);
  static constexpr CreateWith<Ozo::Integer, Ozo::String> kCreateWith{" aDimensions, aName"};
};

}  // namespace Zorvan::metamodel::types
