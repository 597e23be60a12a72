// PrimitiveType (abstract): a value type with a ground value, conversion and unit.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class PrimitiveTypeIntf : public foundation::NSInterface::ValueTypeIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutablePrimitiveType
    : public Ozo::ImmutableHandle<NSInterface::PrimitiveTypeIntf, foundation::ImmutableValueType> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutablePrimitiveType cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutablePrimitiveType>(o);
  }
  Ozo::Real getGroundValue() const { return prop::get<Intf, 1, Ozo::Real>(*this); }
  ImmutableCompuMethod getCompuMethod() const;
  ImmutableUnit getUnit() const;
  ImmutableDataConstr getDataConstr() const;
  ImmutableSwBaseType getSwBaseType() const;
  Ozo::Boolean getIsApplication() const { return prop::get<Intf, 6, Ozo::Boolean>(*this); }
  ImmutablePrimitiveType getReference() const;
  Ozo::String getQualifier() const { return prop::get<Intf, 8, Ozo::String>(*this); }
  std::optional<Ozo::Boolean> getIsVolatile() const { return prop::get<Intf, 9, std::optional<Ozo::Boolean>>(*this); }
  std::optional<Ozo::Boolean> getIsConst() const { return prop::get<Intf, 10, std::optional<Ozo::Boolean>>(*this); }
};

template <class B>
class PrimitiveTypeMutators : public B {
  using M = NSInterface::PrimitiveTypeIntf;

 public:
  using B::B;
  PrimitiveTypeMutators() = default;
  void setCompuMethod(ImmutableCompuMethod const& v) const { prop::set<M, 2>(*this, v); }
  void setUnit(ImmutableUnit const& v) const { prop::set<M, 3>(*this, v); }
  void setDataConstr(ImmutableDataConstr const& v) const { prop::set<M, 4>(*this, v); }
  void setSwBaseType(ImmutableSwBaseType const& v) const { prop::set<M, 5>(*this, v); }
  void setIsApplication(Ozo::Boolean v) const { prop::set<M, 6>(*this, v); }
  void setReference(ImmutablePrimitiveType const& v) const { prop::set<M, 7>(*this, v); }
  void setQualifier(Ozo::String const& v) const { prop::set<M, 8>(*this, v); }
  void setIsVolatile(std::optional<Ozo::Boolean> v) const { prop::set<M, 9>(*this, v); }
  void setIsConst(std::optional<Ozo::Boolean> v) const { prop::set<M, 10>(*this, v); }
};

class PrimitiveType : public PrimitiveTypeMutators<detail::ValueTypeBase<ImmutablePrimitiveType>> {
 public:
  using PrimitiveTypeMutators::PrimitiveTypeMutators;
};

}  // namespace Zorvan::metamodel::types
