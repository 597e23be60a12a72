// FloatingPoint: a floating-point number of a given precision.
#pragma once

#include <types/Real.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class FloatingPointIntf : public RealIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableFloatingPoint : public Ozo::ImmutableHandle<NSInterface::FloatingPointIntf, ImmutableReal> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableFloatingPoint cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableFloatingPoint>(o);
  }
  Ozo::ImmutableObject getKind() const { return prop::get<Intf, 1, Ozo::ImmutableObject>(*this); }
};

template <class B>
class FloatingPointMutators : public B {
  using M = NSInterface::FloatingPointIntf;

 public:
  using B::B;
  FloatingPointMutators() = default;
  void setKind(Ozo::ImmutableObject const& v) const { prop::set<M, 1>(*this, v); }
};

class FloatingPoint
    : public FloatingPointMutators<RealMutators<PrimitiveTypeMutators<detail::ValueTypeBase<ImmutableFloatingPoint>>>> {
 public:
  using FloatingPointMutators::FloatingPointMutators;
  static FloatingPoint create(Ozo::Model const& model);
  static FloatingPoint create(Ozo::Model model, FloatingPointKind kind, Ozo::String name);
  static constexpr CreateWith<FloatingPointKind, Ozo::String> kCreateWith{" aKind, aName"};
};

}  // namespace Zorvan::metamodel::types
