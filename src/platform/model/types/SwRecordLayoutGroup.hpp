// SwRecordLayoutGroup: a group of a record layout, possibly nested.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class SwRecordLayoutGroupIntf : public foundation::NSInterface::ElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableSwRecordLayoutGroup
    : public Ozo::ImmutableHandle<NSInterface::SwRecordLayoutGroupIntf, foundation::ImmutableElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableSwRecordLayoutGroup cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableSwRecordLayoutGroup>(o);
  }
  Ozo::Collection<ImmutableSwRecordLayoutV> getSwRecordLayoutV() const;
  Ozo::Collection<ImmutableSwRecordLayoutGroup> getSwRecordLayoutGroup() const;
  Ozo::String getShortLabel() const { return prop::get<Intf, 3, Ozo::String>(*this); }
  Ozo::String getCategory() const { return prop::get<Intf, 4, Ozo::String>(*this); }
  std::optional<Ozo::Integer> getSwRecordLayoutGroupAxis() const {
    return prop::get<Intf, 5, std::optional<Ozo::Integer>>(*this);
  }
  Ozo::String getSwRecordLayoutGroupIndex() const { return prop::get<Intf, 6, Ozo::String>(*this); }
};

template <class B>
class SwRecordLayoutGroupMutators : public B {
  using M = NSInterface::SwRecordLayoutGroupIntf;

 public:
  using B::B;
  SwRecordLayoutGroupMutators() = default;
  void setShortLabel(Ozo::String const& v) const { prop::set<M, 3>(*this, v); }
  void setCategory(Ozo::String const& v) const { prop::set<M, 4>(*this, v); }
  void setSwRecordLayoutGroupAxis(std::optional<Ozo::Integer> v) const { prop::set<M, 5>(*this, v); }
  void setSwRecordLayoutGroupIndex(Ozo::String const& v) const { prop::set<M, 6>(*this, v); }
};

class SwRecordLayoutGroup : public SwRecordLayoutGroupMutators<detail::ElementOnlyBase<ImmutableSwRecordLayoutGroup>> {
 public:
  using SwRecordLayoutGroupMutators::SwRecordLayoutGroupMutators;
  static SwRecordLayoutGroup create(Ozo::Model const& model);
};

}  // namespace Zorvan::metamodel::types
