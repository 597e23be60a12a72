// LiteralReal: a real number as a value.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class LiteralRealIntf : public foundation::NSInterface::ValueSpecificationIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableLiteralReal
    : public Ozo::ImmutableHandle<NSInterface::LiteralRealIntf, foundation::ImmutableValueSpecification> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableLiteralReal cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableLiteralReal>(o); }
  Ozo::Real getValue() const { return prop::get<Intf, 1, Ozo::Real>(*this); }
};

template <class B>
class LiteralRealMutators : public B {
  using M = NSInterface::LiteralRealIntf;

 public:
  using B::B;
  LiteralRealMutators() = default;
  void setValue(Ozo::Real v) const { prop::set<M, 1>(*this, v); }
};

class LiteralReal : public LiteralRealMutators<detail::ValueSpecificationBase<ImmutableLiteralReal>> {
 public:
  using LiteralRealMutators::LiteralRealMutators;
  static LiteralReal create(Ozo::Model const& model);
  static LiteralReal create(Ozo::Model model, Ozo::Real value, Ozo::String name);
  static constexpr CreateWith<Ozo::Real, Ozo::String> kCreateWith{" aValue, aName"};
};

}  // namespace Zorvan::metamodel::types
