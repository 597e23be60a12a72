// ValueElement (abstract): one owned part of a composite value.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class ValueElementIntf : public foundation::NSInterface::NamedElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableValueElement
    : public Ozo::ImmutableHandle<NSInterface::ValueElementIntf, foundation::ImmutableNamedElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableValueElement cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableValueElement>(o); }
  ImmutableCompositeSpecification getOwningComposite() const;
  foundation::ImmutableValueSpecification getValue() const {
    return prop::get<Intf, 2, foundation::ImmutableValueSpecification>(*this);
  }
};

template <class B>
class ValueElementMutators : public B {
  using M = NSInterface::ValueElementIntf;

 public:
  using B::B;
  ValueElementMutators() = default;
  void setOwningComposite(ImmutableCompositeSpecification const& v) const { prop::set<M, 1>(*this, v); }
  void setValue(foundation::ImmutableValueSpecification const& v) const { prop::set<M, 2>(*this, v); }
};

class ValueElement : public ValueElementMutators<detail::NamedElementBase<ImmutableValueElement>> {
 public:
  using ValueElementMutators::ValueElementMutators;
};

}  // namespace Zorvan::metamodel::types
