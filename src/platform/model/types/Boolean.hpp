// Boolean: a two-valued primitive type.
#pragma once

#include <types/Real.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class BooleanIntf : public RealIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableBoolean : public Ozo::ImmutableHandle<NSInterface::BooleanIntf, ImmutableReal> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableBoolean cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableBoolean>(o); }
};

template <class B>
class BooleanMutators : public B {
  using M = NSInterface::BooleanIntf;

 public:
  using B::B;
  BooleanMutators() = default;
};

class Boolean : public BooleanMutators<RealMutators<PrimitiveTypeMutators<detail::ValueTypeBase<ImmutableBoolean>>>> {
 public:
  using BooleanMutators::BooleanMutators;
  static Boolean create(Ozo::Model const& model);
  static Boolean create(Ozo::Model model, Ozo::String name);
  static constexpr CreateWith<Ozo::String> kCreateWith{" aName"};
};

}  // namespace Zorvan::metamodel::types
