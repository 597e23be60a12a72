// Structure: a record of named, typed elements.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class StructureIntf : public foundation::NSInterface::ValueTypeIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableStructure : public Ozo::ImmutableHandle<NSInterface::StructureIntf, foundation::ImmutableValueType> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableStructure cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableStructure>(o); }
  Ozo::Collection<ImmutableStructElement> getElements() const;
  Ozo::Boolean getIsApplication() const { return prop::get<Intf, 2, Ozo::Boolean>(*this); }
  ImmutableStructure getReference() const;
  Ozo::String getQualifier() const { return prop::get<Intf, 4, Ozo::String>(*this); }
  std::optional<Ozo::Boolean> getIsConst() const { return prop::get<Intf, 5, std::optional<Ozo::Boolean>>(*this); }
  std::optional<Ozo::Boolean> getIsVolatile() const { return prop::get<Intf, 6, std::optional<Ozo::Boolean>>(*this); }
};

template <class B>
class StructureMutators : public B {
  using M = NSInterface::StructureIntf;

 public:
  using B::B;
  StructureMutators() = default;
  void setIsApplication(Ozo::Boolean v) const { prop::set<M, 2>(*this, v); }
  void setReference(ImmutableStructure const& v) const { prop::set<M, 3>(*this, v); }
  void setQualifier(Ozo::String const& v) const { prop::set<M, 4>(*this, v); }
  void setIsConst(std::optional<Ozo::Boolean> v) const { prop::set<M, 5>(*this, v); }
  void setIsVolatile(std::optional<Ozo::Boolean> v) const { prop::set<M, 6>(*this, v); }
};

class Structure : public StructureMutators<detail::ValueTypeBase<ImmutableStructure>> {
 public:
  using StructureMutators::StructureMutators;
  static Structure create(Ozo::Model const& model);
  static Structure create(Ozo::Model model, Ozo::String name);
  static constexpr CreateWith<Ozo::String> kCreateWith{" aName"};
};

}  // namespace Zorvan::metamodel::types
