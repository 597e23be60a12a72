// CompositeSpecification (abstract): a value made of owned value elements.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class CompositeSpecificationIntf : public foundation::NSInterface::ValueSpecificationIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableCompositeSpecification
    : public Ozo::ImmutableHandle<NSInterface::CompositeSpecificationIntf, foundation::ImmutableValueSpecification> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableCompositeSpecification cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableCompositeSpecification>(o);
  }
  Ozo::Collection<ImmutableValueElement> getOwnedValue() const;
};

template <class B>
class CompositeSpecificationMutators : public B {
  using M = NSInterface::CompositeSpecificationIntf;

 public:
  using B::B;
  CompositeSpecificationMutators() = default;
};

class CompositeSpecification
    : public CompositeSpecificationMutators<detail::ValueSpecificationBase<ImmutableCompositeSpecification>> {
 public:
  using CompositeSpecificationMutators::CompositeSpecificationMutators;
};

}  // namespace Zorvan::metamodel::types
