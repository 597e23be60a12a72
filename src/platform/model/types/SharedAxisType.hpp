// SharedAxisType: an axis shared by several lookup tables, laid out by a
// record layout. Refers to Axis and SwRecordLayout, which refer back: those
// are declared here and their headers included at the end, before the
// members that need them complete.
#pragma once

#include <types/PrimitiveType.hpp>

namespace Zorvan::metamodel::types {

class ImmutableAxis;
class Axis;
class ImmutableSwRecordLayout;
class SwRecordLayout;

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
  ImmutablePrimitiveType getValueAxisDataType() const { return prop::get<Intf, 5, ImmutablePrimitiveType>(*this); }
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
  void setIsApplication(Ozo::Boolean v) const { prop::set<M, 3>(*this, v); }
  void setValueAxisDataType(ImmutablePrimitiveType const& v) const { prop::set<M, 5>(*this, v); }
  void setQualifier(Ozo::String const& v) const { prop::set<M, 6>(*this, v); }
  void setIsConst(std::optional<Ozo::Boolean> v) const { prop::set<M, 7>(*this, v); }
  void setIsVolatile(std::optional<Ozo::Boolean> v) const { prop::set<M, 8>(*this, v); }
};

class SharedAxisType : public SharedAxisTypeMutators<detail::ValueTypeBase<ImmutableSharedAxisType>> {
 public:
  using SharedAxisTypeMutators::SharedAxisTypeMutators;
  static SharedAxisType create(Ozo::Model const& model);
  // A new SharedAxisType laid out by `layout` for `axis`, named `name`.
  // An empty layout or axis leaves that property unset.
  static SharedAxisType create(Ozo::Model model, SwRecordLayout layout, Axis axis, Ozo::String name);
};

}  // namespace Zorvan::metamodel::types

#include <types/Axis.hpp>
#include <types/SwRecordLayout.hpp>

namespace Zorvan::metamodel::types {

inline ImmutableSwRecordLayout ImmutableSharedAxisType::getSwRecordLayout() const {
  return prop::get<Intf, 1, ImmutableSwRecordLayout>(*this);
}
inline ImmutableAxis ImmutableSharedAxisType::getAxis() const { return prop::get<Intf, 2, ImmutableAxis>(*this); }
inline Ozo::Collection<ImmutableAxis> ImmutableSharedAxisType::getSharedFrom() const {
  return prop::get<Intf, 4, Ozo::Collection<ImmutableAxis>>(*this);
}

}  // namespace Zorvan::metamodel::types
