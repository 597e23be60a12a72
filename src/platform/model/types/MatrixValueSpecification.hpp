// MatrixValueSpecification: a matrix value: cells, dense or sparse.
#pragma once

#include <types/CompositeSpecification.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class MatrixValueSpecificationIntf : public CompositeSpecificationIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableMatrixValueSpecification
    : public Ozo::ImmutableHandle<NSInterface::MatrixValueSpecificationIntf, ImmutableCompositeSpecification> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableMatrixValueSpecification cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableMatrixValueSpecification>(o);
  }
  Ozo::Collection<ImmutableCell> getOwnedCell() const;
  Ozo::Boolean getIsSparse() const { return prop::get<Intf, 2, Ozo::Boolean>(*this); }
};

template <class B>
class MatrixValueSpecificationMutators : public B {
  using M = NSInterface::MatrixValueSpecificationIntf;

 public:
  using B::B;
  MatrixValueSpecificationMutators() = default;
  void setIsSparse(Ozo::Boolean v) const { prop::set<M, 2>(*this, v); }
};

class MatrixValueSpecification
    : public MatrixValueSpecificationMutators<
          CompositeSpecificationMutators<detail::ValueSpecificationBase<ImmutableMatrixValueSpecification>>> {
 public:
  using MatrixValueSpecificationMutators::MatrixValueSpecificationMutators;
  static MatrixValueSpecification create(Ozo::Model const& model);
  static MatrixValueSpecification create(Ozo::Model model, Ozo::String name);
  static constexpr CreateWith<Ozo::String> kCreateWith{" aName"};
};

}  // namespace Zorvan::metamodel::types
