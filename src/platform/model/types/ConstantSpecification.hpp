// ConstantSpecification: a named constant and its value.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class ConstantSpecificationIntf : public foundation::NSInterface::PackageableElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableConstantSpecification
    : public Ozo::ImmutableHandle<NSInterface::ConstantSpecificationIntf, foundation::ImmutablePackageableElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableConstantSpecification cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableConstantSpecification>(o);
  }
  Ozo::String getConstantExpression() const { return prop::get<Intf, 1, Ozo::String>(*this); }
  foundation::ImmutableValueSpecification getConstantValue() const {
    return prop::get<Intf, 2, foundation::ImmutableValueSpecification>(*this);
  }
};

template <class B>
class ConstantSpecificationMutators : public B {
  using M = NSInterface::ConstantSpecificationIntf;

 public:
  using B::B;
  ConstantSpecificationMutators() = default;
  void setConstantExpression(Ozo::String const& v) const { prop::set<M, 1>(*this, v); }
  void setConstantValue(foundation::ImmutableValueSpecification const& v) const { prop::set<M, 2>(*this, v); }
};

class ConstantSpecification
    : public ConstantSpecificationMutators<detail::PackageableElementBase<ImmutableConstantSpecification>> {
 public:
  using ConstantSpecificationMutators::ConstantSpecificationMutators;
  static ConstantSpecification create(Ozo::Model const& model);
  static ConstantSpecification create(Ozo::Model model, foundation::ValueSpecification constantValue, Ozo::String name);
  static constexpr CreateWith<foundation::ValueSpecification, Ozo::String> kCreateWith{" aConstantValue, aName"};
};

}  // namespace Zorvan::metamodel::types
