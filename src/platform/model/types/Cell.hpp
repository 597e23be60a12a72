// Cell: a matrix cell, placed by its index.
#pragma once

#include <types/ValueElement.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class CellIntf : public ValueElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableCell : public Ozo::ImmutableHandle<NSInterface::CellIntf, ImmutableValueElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableCell cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableCell>(o); }
  Ozo::Collection<Ozo::Integer> getIndex() const { return prop::get<Intf, 1, Ozo::Collection<Ozo::Integer>>(*this); }
};

template <class B>
class CellMutators : public B {
  using M = NSInterface::CellIntf;

 public:
  using B::B;
  CellMutators() = default;
};

class Cell : public CellMutators<ValueElementMutators<detail::NamedElementBase<ImmutableCell>>> {
 public:
  using CellMutators::CellMutators;
  static Cell create(Ozo::Model const& model);
  static Cell create(Ozo::Model model, CompositeSpecification owningComposite, foundation::ValueSpecification value,
                     Ozo::String name);
  static constexpr CreateWith<CompositeSpecification, foundation::ValueSpecification, Ozo::String> kCreateWith{
      " aOwningComposite, aValue, aName"};
};

}  // namespace Zorvan::metamodel::types
