// Enumeration: a whole-number type whose values are named literals.
#pragma once

#include <types/Real.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class EnumerationIntf : public RealIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableEnumeration : public Ozo::ImmutableHandle<NSInterface::EnumerationIntf, ImmutableReal> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableEnumeration cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableEnumeration>(o); }
  Ozo::Collection<ImmutableEnumerationLiteral> getOwnedLiteral() const;
  Ozo::Real getGroundValue() const { return prop::get<Intf, 2, Ozo::Real>(*this); }
  std::optional<Ozo::Real> getDefaultValue() const { return prop::get<Intf, 3, std::optional<Ozo::Real>>(*this); }
  Ozo::ImmutableObject getLength() const { return prop::get<Intf, 4, Ozo::ImmutableObject>(*this); }
  Ozo::Boolean getIsSigned() const { return prop::get<Intf, 5, Ozo::Boolean>(*this); }
};

template <class B>
class EnumerationMutators : public B {
  using M = NSInterface::EnumerationIntf;

 public:
  using B::B;
  EnumerationMutators() = default;
  void setDefaultValue(std::optional<Ozo::Real> v) const { prop::set<M, 3>(*this, v); }
  void setLength(Ozo::ImmutableObject const& v) const { prop::set<M, 4>(*this, v); }
  void setIsSigned(Ozo::Boolean v) const { prop::set<M, 5>(*this, v); }
};

class Enumeration
    : public EnumerationMutators<RealMutators<PrimitiveTypeMutators<detail::ValueTypeBase<ImmutableEnumeration>>>> {
 public:
  using EnumerationMutators::EnumerationMutators;
  static Enumeration create(Ozo::Model const& model);
  static Enumeration create(Ozo::Model model, Ozo::String name);
  static constexpr CreateWith<Ozo::String> kCreateWith{" aName"};
};

}  // namespace Zorvan::metamodel::types
