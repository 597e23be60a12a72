// SwGenericAxisParamType: a parameter of a generic axis.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class SwGenericAxisParamTypeIntf : public foundation::NSInterface::NamedElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableSwGenericAxisParamType
    : public Ozo::ImmutableHandle<NSInterface::SwGenericAxisParamTypeIntf, foundation::ImmutableNamedElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableSwGenericAxisParamType cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableSwGenericAxisParamType>(o);
  }
  Ozo::ImmutableObject getCategory() const { return prop::get<Intf, 1, Ozo::ImmutableObject>(*this); }
};

template <class B>
class SwGenericAxisParamTypeMutators : public B {
  using M = NSInterface::SwGenericAxisParamTypeIntf;

 public:
  using B::B;
  SwGenericAxisParamTypeMutators() = default;
  void setCategory(Ozo::ImmutableObject const& v) const { prop::set<M, 1>(*this, v); }
};

class SwGenericAxisParamType
    : public SwGenericAxisParamTypeMutators<detail::NamedElementBase<ImmutableSwGenericAxisParamType>> {
 public:
  using SwGenericAxisParamTypeMutators::SwGenericAxisParamTypeMutators;
  static SwGenericAxisParamType create(Ozo::Model const& model);
  static SwGenericAxisParamType create(Ozo::Model model, Ozo::String name);
  static constexpr CreateWith<Ozo::String> kCreateWith{" aName"};
};

}  // namespace Zorvan::metamodel::types
