// StructureValueSpecification: a structure value: one slot per structure element.
#pragma once

#include <types/CompositeSpecification.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class StructureValueSpecificationIntf : public CompositeSpecificationIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableStructureValueSpecification
    : public Ozo::ImmutableHandle<NSInterface::StructureValueSpecificationIntf, ImmutableCompositeSpecification> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableStructureValueSpecification cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableStructureValueSpecification>(o);
  }
  Ozo::Collection<ImmutableSlot> getOwnedSlot() const;
};

template <class B>
class StructureValueSpecificationMutators : public B {
  using M = NSInterface::StructureValueSpecificationIntf;

 public:
  using B::B;
  StructureValueSpecificationMutators() = default;
};

class StructureValueSpecification
    : public StructureValueSpecificationMutators<
          CompositeSpecificationMutators<detail::ValueSpecificationBase<ImmutableStructureValueSpecification>>> {
 public:
  using StructureValueSpecificationMutators::StructureValueSpecificationMutators;
  static StructureValueSpecification create(Ozo::Model const& model);
  static StructureValueSpecification create(Ozo::Model model, Ozo::String name);
  static constexpr CreateWith<Ozo::String> kCreateWith{" aName"};
};

}  // namespace Zorvan::metamodel::types
