// Matrix: an array of values of one base type.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class MatrixIntf : public foundation::NSInterface::ValueTypeIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableMatrix : public Ozo::ImmutableHandle<NSInterface::MatrixIntf, foundation::ImmutableValueType> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableMatrix cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableMatrix>(o); }
  Ozo::Collection<Ozo::Integer> getDimensions() const {
    return prop::get<Intf, 1, Ozo::Collection<Ozo::Integer>>(*this);
  }
  foundation::ImmutableValueType getBaseType() const {
    return prop::get<Intf, 2, foundation::ImmutableValueType>(*this);
  }
  Ozo::Boolean getIsApplication() const { return prop::get<Intf, 3, Ozo::Boolean>(*this); }
  Ozo::Collection<Ozo::String> getSymbolicDimensions() const {
    return prop::get<Intf, 4, Ozo::Collection<Ozo::String>>(*this);
  }
  ImmutableMatrix getReference() const;
  Ozo::String getQualifier() const { return prop::get<Intf, 6, Ozo::String>(*this); }
  std::optional<Ozo::Boolean> getIsConst() const { return prop::get<Intf, 7, std::optional<Ozo::Boolean>>(*this); }
  std::optional<Ozo::Boolean> getIsVolatile() const { return prop::get<Intf, 8, std::optional<Ozo::Boolean>>(*this); }
};

template <class B>
class MatrixMutators : public B {
  using M = NSInterface::MatrixIntf;

 public:
  using B::B;
  MatrixMutators() = default;
  void setBaseType(foundation::ImmutableValueType const& v) const { prop::set<M, 2>(*this, v); }
  void setIsApplication(Ozo::Boolean v) const { prop::set<M, 3>(*this, v); }
  void setReference(ImmutableMatrix const& v) const { prop::set<M, 5>(*this, v); }
  void setQualifier(Ozo::String const& v) const { prop::set<M, 6>(*this, v); }
  void setIsConst(std::optional<Ozo::Boolean> v) const { prop::set<M, 7>(*this, v); }
  void setIsVolatile(std::optional<Ozo::Boolean> v) const { prop::set<M, 8>(*this, v); }
};

class Matrix : public MatrixMutators<detail::ValueTypeBase<ImmutableMatrix>> {
 public:
  using MatrixMutators::MatrixMutators;
  static Matrix create(Ozo::Model const& model);
  static Matrix create(Ozo::Model model, foundation::ValueType baseType, Ozo::String name);
  static constexpr CreateWith<foundation::ValueType, Ozo::String> kCreateWith{" aBaseType, aName"};
};

}  // namespace Zorvan::metamodel::types
