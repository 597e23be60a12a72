// EnumerationLiteral: one named value of an enumeration.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class EnumerationLiteralIntf : public foundation::NSInterface::NamedElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableEnumerationLiteral
    : public Ozo::ImmutableHandle<NSInterface::EnumerationLiteralIntf, foundation::ImmutableNamedElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableEnumerationLiteral cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableEnumerationLiteral>(o);
  }
  Ozo::Integer getValue() const { return prop::get<Intf, 1, Ozo::Integer>(*this); }
  Ozo::Boolean getHasValidValue() const { return prop::get<Intf, 2, Ozo::Boolean>(*this); }
  Ozo::Boolean getIsSecure() const { return prop::get<Intf, 3, Ozo::Boolean>(*this); }
  Ozo::Integer getPvalue() const { return prop::get<Intf, 4, Ozo::Integer>(*this); }
  Ozo::Boolean getPisUserDefined() const { return prop::get<Intf, 5, Ozo::Boolean>(*this); }
  ImmutableEnumeration getEnumeration() const;
};

template <class B>
class EnumerationLiteralMutators : public B {
  using M = NSInterface::EnumerationLiteralIntf;

 public:
  using B::B;
  EnumerationLiteralMutators() = default;
  void setValue(Ozo::Integer v) const { prop::set<M, 1>(*this, v); }
  void setPvalue(Ozo::Integer v) const { prop::set<M, 4>(*this, v); }
  void setPisUserDefined(Ozo::Boolean v) const { prop::set<M, 5>(*this, v); }
  void setEnumeration(ImmutableEnumeration const& v) const { prop::set<M, 6>(*this, v); }
};

class EnumerationLiteral : public EnumerationLiteralMutators<detail::NamedElementBase<ImmutableEnumerationLiteral>> {
 public:
  using EnumerationLiteralMutators::EnumerationLiteralMutators;
  static EnumerationLiteral create(Ozo::Model const& model);
  static EnumerationLiteral create(Ozo::Model model, Ozo::Integer value, Ozo::Integer pvalue, Enumeration enumeration,
                                   Ozo::String name);
  static constexpr CreateWith<Ozo::Integer, Ozo::Integer, Enumeration, Ozo::String> kCreateWith{
      " aValue, aPvalue, aEnumeration, aName"};
};

}  // namespace Zorvan::metamodel::types
