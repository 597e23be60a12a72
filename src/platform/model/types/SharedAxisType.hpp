// SharedAxisType: an axis shared by several lookup tables.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class SharedAxisTypeIntf : public foundation::NSInterface::ValueTypeIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableSharedAxisType
    : public Ozo::ImmutableHandle<NSInterface::SharedAxisTypeIntf, foundation::ImmutableValueType> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableSharedAxisType cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableSharedAxisType>(o);
  }
  ImmutableSwRecordLayout getSwRecordLayout() const;
  ImmutableAxis getAxis() const;
  Ozo::Boolean getIsApplication() const { return prop::get<Intf, 3, Ozo::Boolean>(*this); }
  Ozo::Collection<ImmutableAxis> getSharedFrom() const;
  ImmutablePrimitiveType getValueAxisDataType() const;
  Ozo::String getQualifier() const { return prop::get<Intf, 6, Ozo::String>(*this); }
  std::optional<Ozo::Boolean> getIsConst() const { return prop::get<Intf, 7, std::optional<Ozo::Boolean>>(*this); }
  std::optional<Ozo::Boolean> getIsVolatile() const { return prop::get<Intf, 8, std::optional<Ozo::Boolean>>(*this); }
};

template <class B>
class SharedAxisTypeMutators : public B {
  using M = NSInterface::SharedAxisTypeIntf;

 public:
  using B::B;
  SharedAxisTypeMutators() = default;
  void setSwRecordLayout(ImmutableSwRecordLayout const& v) const { prop::set<M, 1>(*this, v); }
  void setAxis(ImmutableAxis const& v) const { prop::set<M, 2>(*this, v); }
  void setValueAxisDataType(ImmutablePrimitiveType const& v) const { prop::set<M, 5>(*this, v); }
  void setQualifier(Ozo::String const& v) const { prop::set<M, 6>(*this, v); }
  void setIsConst(std::optional<Ozo::Boolean> v) const { prop::set<M, 7>(*this, v); }
  void setIsVolatile(std::optional<Ozo::Boolean> v) const { prop::set<M, 8>(*this, v); }
};

class SharedAxisType : public SharedAxisTypeMutators<detail::ValueTypeBase<ImmutableSharedAxisType>> {
 public:
  using SharedAxisTypeMutators::SharedAxisTypeMutators;
  static SharedAxisType create(Ozo::Model const& model);
  static SharedAxisType create(Ozo::Model model, SwRecordLayout swRecordLayout, Axis axis, Ozo::String name);
  static constexpr CreateWith<SwRecordLayout, Axis, Ozo::String> kCreateWith{" aSwRecordLayout, aAxis, aName"};
};

}  // namespace Zorvan::metamodel::types
