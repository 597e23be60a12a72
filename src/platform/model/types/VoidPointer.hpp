// VoidPointer: an untyped pointer.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class VoidPointerIntf : public foundation::NSInterface::ValueTypeIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableVoidPointer : public Ozo::ImmutableHandle<NSInterface::VoidPointerIntf, foundation::ImmutableValueType> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableVoidPointer cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableVoidPointer>(o); }
  Ozo::Boolean getIsApplication() const { return prop::get<Intf, 1, Ozo::Boolean>(*this); }
  ImmutableSwBaseType getSwBaseType() const;
  Ozo::String getSwImplPolicy() const { return prop::get<Intf, 3, Ozo::String>(*this); }
  Ozo::String getQualifier() const { return prop::get<Intf, 4, Ozo::String>(*this); }
  std::optional<Ozo::Boolean> getIsConst() const { return prop::get<Intf, 5, std::optional<Ozo::Boolean>>(*this); }
  std::optional<Ozo::Boolean> getIsVolatile() const { return prop::get<Intf, 6, std::optional<Ozo::Boolean>>(*this); }
};

template <class B>
class VoidPointerMutators : public B {
  using M = NSInterface::VoidPointerIntf;

 public:
  using B::B;
  VoidPointerMutators() = default;
  void setSwBaseType(ImmutableSwBaseType const& v) const { prop::set<M, 2>(*this, v); }
  void setSwImplPolicy(Ozo::String const& v) const { prop::set<M, 3>(*this, v); }
  void setQualifier(Ozo::String const& v) const { prop::set<M, 4>(*this, v); }
  void setIsConst(std::optional<Ozo::Boolean> v) const { prop::set<M, 5>(*this, v); }
  void setIsVolatile(std::optional<Ozo::Boolean> v) const { prop::set<M, 6>(*this, v); }
};

class VoidPointer : public VoidPointerMutators<detail::ValueTypeBase<ImmutableVoidPointer>> {
 public:
  using VoidPointerMutators::VoidPointerMutators;
  static VoidPointer create(Ozo::Model const& model);
  static VoidPointer create(Ozo::Model model, SwBaseType swBaseType, Ozo::String name);
  static constexpr CreateWith<SwBaseType, Ozo::String> kCreateWith{" aSwBaseType, aName"};
};

}  // namespace Zorvan::metamodel::types
