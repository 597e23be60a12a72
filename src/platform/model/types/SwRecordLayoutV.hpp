// SwRecordLayoutV: one value entry of a record layout group.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class SwRecordLayoutVIntf : public foundation::NSInterface::ElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableSwRecordLayoutV
    : public Ozo::ImmutableHandle<NSInterface::SwRecordLayoutVIntf, foundation::ImmutableElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableSwRecordLayoutV cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableSwRecordLayoutV>(o);
  }
  Ozo::String getShortLabel() const { return prop::get<Intf, 1, Ozo::String>(*this); }
  Ozo::Integer getSwRecordLayoutVAxis() const { return prop::get<Intf, 2, Ozo::Integer>(*this); }
  Ozo::String getSwRecordLayoutVIndex() const { return prop::get<Intf, 3, Ozo::String>(*this); }
  Ozo::String getSwRecordLayoutVProp() const { return prop::get<Intf, 4, Ozo::String>(*this); }
  ImmutableSwBaseType getSwBaseType() const;
};

template <class B>
class SwRecordLayoutVMutators : public B {
  using M = NSInterface::SwRecordLayoutVIntf;

 public:
  using B::B;
  SwRecordLayoutVMutators() = default;
  void setShortLabel(Ozo::String const& v) const { prop::set<M, 1>(*this, v); }
  void setSwRecordLayoutVAxis(Ozo::Integer v) const { prop::set<M, 2>(*this, v); }
  void setSwRecordLayoutVIndex(Ozo::String const& v) const { prop::set<M, 3>(*this, v); }
  void setSwRecordLayoutVProp(Ozo::String const& v) const { prop::set<M, 4>(*this, v); }
  void setSwBaseType(ImmutableSwBaseType const& v) const { prop::set<M, 5>(*this, v); }
};

class SwRecordLayoutV : public SwRecordLayoutVMutators<detail::ElementOnlyBase<ImmutableSwRecordLayoutV>> {
 public:
  using SwRecordLayoutVMutators::SwRecordLayoutVMutators;
  static SwRecordLayoutV create(Ozo::Model const& model);
  static SwRecordLayoutV create(Ozo::Model model, Ozo::Integer swRecordLayoutVAxis, SwBaseType swBaseType);
  static constexpr CreateWith<Ozo::Integer, SwBaseType> kCreateWith{" aSwRecordLayoutVAxis, aSwBaseType"};
};

}  // namespace Zorvan::metamodel::types
