// ConstantReference: a value that refers to a named constant.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class ConstantReferenceIntf : public foundation::NSInterface::ValueSpecificationIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableConstantReference
    : public Ozo::ImmutableHandle<NSInterface::ConstantReferenceIntf, foundation::ImmutableValueSpecification> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableConstantReference cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableConstantReference>(o);
  }
  ImmutableConstantSpecification getValue() const;
};

template <class B>
class ConstantReferenceMutators : public B {
  using M = NSInterface::ConstantReferenceIntf;

 public:
  using B::B;
  ConstantReferenceMutators() = default;
  void setValue(ImmutableConstantSpecification const& v) const { prop::set<M, 1>(*this, v); }
};

class ConstantReference : public ConstantReferenceMutators<detail::ValueSpecificationBase<ImmutableConstantReference>> {
 public:
  using ConstantReferenceMutators::ConstantReferenceMutators;
  static ConstantReference create(Ozo::Model const& model);
  static ConstantReference create(Ozo::Model model, ConstantSpecification value, Ozo::String name);
  static constexpr CreateWith<ConstantSpecification, Ozo::String> kCreateWith{" aValue, aName"};
};

}  // namespace Zorvan::metamodel::types
