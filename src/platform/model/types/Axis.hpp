// Axis: a named axis of a lookup table. Refers to SharedAxisType, which
// refers back: declared here, its header included at the end.
#pragma once

#include <types/PrimitiveType.hpp>
#include <types/SwGenericAxisParamType.hpp>

namespace Zorvan::metamodel::types {

class ImmutableSharedAxisType;

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
  ImmutablePrimitiveType getBaseType() const { return prop::get<Intf, 1, ImmutablePrimitiveType>(*this); }
  ImmutableSharedAxisType getSharedAxis() const;
  Ozo::Integer getDimensions() const { return prop::get<Intf, 3, Ozo::Integer>(*this); }
  ImmutablePrimitiveType getInputVariableType() const { return prop::get<Intf, 4, ImmutablePrimitiveType>(*this); }
  Ozo::Collection<Ozo::String> getSymbolicDimensions() const {
    return prop::get<Intf, 5, Ozo::Collection<Ozo::String>>(*this);
  }
  // Owned (composite).
  Ozo::Collection<ImmutableSwGenericAxisParamType> getSwGenericAxisParamType() const {
    return prop::get<Intf, 6, Ozo::Collection<ImmutableSwGenericAxisParamType>>(*this);
  }
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
  // A new Axis with its Dimensions and Name.
  static Axis create(Ozo::Model model, Ozo::Integer dimensions, Ozo::String name);
};

}  // namespace Zorvan::metamodel::types

#include <types/SharedAxisType.hpp>

namespace Zorvan::metamodel::types {

inline ImmutableSharedAxisType ImmutableAxis::getSharedAxis() const {
  return prop::get<Intf, 2, ImmutableSharedAxisType>(*this);
}

}  // namespace Zorvan::metamodel::types
