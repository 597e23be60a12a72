// Integer: a real restricted to whole numbers, with a length and a sign.
#pragma once

#include <types/Real.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class IntegerIntf : public RealIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableInteger : public Ozo::ImmutableHandle<NSInterface::IntegerIntf, ImmutableReal> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableInteger cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableInteger>(o); }
  Ozo::ImmutableObject getLength() const { return prop::get<Intf, 1, Ozo::ImmutableObject>(*this); }
  Ozo::Boolean getIsSigned() const { return prop::get<Intf, 2, Ozo::Boolean>(*this); }
};

template <class B>
class IntegerMutators : public B {
  using M = NSInterface::IntegerIntf;

 public:
  using B::B;
  IntegerMutators() = default;
  void setLength(Ozo::ImmutableObject const& v) const { prop::set<M, 1>(*this, v); }
  void setIsSigned(Ozo::Boolean v) const { prop::set<M, 2>(*this, v); }
};

class Integer : public IntegerMutators<RealMutators<PrimitiveTypeMutators<detail::ValueTypeBase<ImmutableInteger>>>> {
 public:
  using IntegerMutators::IntegerMutators;
  static Integer create(Ozo::Model const& model);
  static Integer create(Ozo::Model model, Ozo::String name);
  static constexpr CreateWith<Ozo::String> kCreateWith{" aName"};
};

}  // namespace Zorvan::metamodel::types
