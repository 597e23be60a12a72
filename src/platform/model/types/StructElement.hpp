// StructElement: one element of a structure.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class StructElementIntf : public foundation::NSInterface::TypedElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableStructElement
    : public Ozo::ImmutableHandle<NSInterface::StructElementIntf, foundation::ImmutableTypedElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableStructElement cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableStructElement>(o);
  }
  ImmutableStructure getStructure() const;
  foundation::ImmutableValueType getType() const { return prop::get<Intf, 2, foundation::ImmutableValueType>(*this); }
  foundation::ImmutableValueType getInlineType() const {
    return prop::get<Intf, 3, foundation::ImmutableValueType>(*this);
  }
  foundation::ImmutableValueType getReferencedType() const {
    return prop::get<Intf, 4, foundation::ImmutableValueType>(*this);
  }
};

template <class B>
class StructElementMutators : public B {
  using M = NSInterface::StructElementIntf;

 public:
  using B::B;
  StructElementMutators() = default;
  void setStructure(ImmutableStructure const& v) const { prop::set<M, 1>(*this, v); }
  void setType(foundation::ImmutableValueType const& v) const { prop::set<M, 2>(*this, v); }
  void setInlineType(foundation::ImmutableValueType const& v) const { prop::set<M, 3>(*this, v); }
};

class StructElement : public StructElementMutators<detail::TypedElementBase<ImmutableStructElement>> {
 public:
  using StructElementMutators::StructElementMutators;
  static StructElement create(Ozo::Model const& model);
  static StructElement create(Ozo::Model model, Structure structure, Ozo::String name);
  static constexpr CreateWith<Structure, Ozo::String> kCreateWith{" aStructure, aName"};
};

}  // namespace Zorvan::metamodel::types
