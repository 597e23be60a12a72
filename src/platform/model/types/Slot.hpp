// Slot: the value of one structure element.
#pragma once

#include <types/ValueElement.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class SlotIntf : public ValueElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableSlot : public Ozo::ImmutableHandle<NSInterface::SlotIntf, ImmutableValueElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableSlot cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableSlot>(o); }
  ImmutableStructElement getStructElement() const;
};

template <class B>
class SlotMutators : public B {
  using M = NSInterface::SlotIntf;

 public:
  using B::B;
  SlotMutators() = default;
  void setStructElement(ImmutableStructElement const& v) const { prop::set<M, 1>(*this, v); }
};

class Slot : public SlotMutators<ValueElementMutators<detail::NamedElementBase<ImmutableSlot>>> {
 public:
  using SlotMutators::SlotMutators;
  static Slot create(Ozo::Model const& model);
  static Slot create(Ozo::Model model, CompositeSpecification owningComposite, foundation::ValueSpecification value,
                     Ozo::String name);
  static constexpr CreateWith<CompositeSpecification, foundation::ValueSpecification, Ozo::String> kCreateWith{
      " aOwningComposite, aValue, aName"};
};

}  // namespace Zorvan::metamodel::types
