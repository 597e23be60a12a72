// Complex: a complex number over a real base type.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class ComplexIntf : public foundation::NSInterface::ValueTypeIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableComplex : public Ozo::ImmutableHandle<NSInterface::ComplexIntf, foundation::ImmutableValueType> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableComplex cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableComplex>(o); }
  ImmutableReal getBaseType() const;
  Ozo::String getQualifier() const { return prop::get<Intf, 2, Ozo::String>(*this); }
  std::optional<Ozo::Boolean> getIsConst() const { return prop::get<Intf, 3, std::optional<Ozo::Boolean>>(*this); }
  std::optional<Ozo::Boolean> getIsVolatile() const { return prop::get<Intf, 4, std::optional<Ozo::Boolean>>(*this); }
};

template <class B>
class ComplexMutators : public B {
  using M = NSInterface::ComplexIntf;

 public:
  using B::B;
  ComplexMutators() = default;
  void setBaseType(ImmutableReal const& v) const { prop::set<M, 1>(*this, v); }
  void setQualifier(Ozo::String const& v) const { prop::set<M, 2>(*this, v); }
  void setIsConst(std::optional<Ozo::Boolean> v) const { prop::set<M, 3>(*this, v); }
  void setIsVolatile(std::optional<Ozo::Boolean> v) const { prop::set<M, 4>(*this, v); }
};

class Complex : public ComplexMutators<detail::ValueTypeBase<ImmutableComplex>> {
 public:
  using ComplexMutators::ComplexMutators;
  static Complex create(Ozo::Model const& model);
  static Complex create(Ozo::Model model, Real baseType, Ozo::String name);
  static constexpr CreateWith<Real, Ozo::String> kCreateWith{" aBaseType, aName"};
};

}  // namespace Zorvan::metamodel::types
