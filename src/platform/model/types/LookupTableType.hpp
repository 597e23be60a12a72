// LookupTableType: a table of values looked up along its axes.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class LookupTableTypeIntf : public foundation::NSInterface::ValueTypeIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableLookupTableType
    : public Ozo::ImmutableHandle<NSInterface::LookupTableTypeIntf, foundation::ImmutableValueType> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableLookupTableType cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableLookupTableType>(o);
  }
  ImmutableSwRecordLayout getSwRecordLayout() const;
  ImmutablePrimitiveType getBaseType() const;
  Ozo::Collection<ImmutableAxis> getAxes() const;
  Ozo::Integer getDimensions() const { return prop::get<Intf, 4, Ozo::Integer>(*this); }
  Ozo::String getCategory() const { return prop::get<Intf, 5, Ozo::String>(*this); }
  Ozo::Boolean getIsApplication() const { return prop::get<Intf, 6, Ozo::Boolean>(*this); }
  ImmutablePrimitiveType getValueAxisDataType() const;
  Ozo::String getQualifier() const { return prop::get<Intf, 8, Ozo::String>(*this); }
  std::optional<Ozo::Boolean> getIsConst() const { return prop::get<Intf, 9, std::optional<Ozo::Boolean>>(*this); }
  std::optional<Ozo::Boolean> getIsVolatile() const { return prop::get<Intf, 10, std::optional<Ozo::Boolean>>(*this); }
};

template <class B>
class LookupTableTypeMutators : public B {
  using M = NSInterface::LookupTableTypeIntf;

 public:
  using B::B;
  LookupTableTypeMutators() = default;
  void setSwRecordLayout(ImmutableSwRecordLayout const& v) const { prop::set<M, 1>(*this, v); }
  void setBaseType(ImmutablePrimitiveType const& v) const { prop::set<M, 2>(*this, v); }
  void setValueAxisDataType(ImmutablePrimitiveType const& v) const { prop::set<M, 7>(*this, v); }
  void setQualifier(Ozo::String const& v) const { prop::set<M, 8>(*this, v); }
  void setIsConst(std::optional<Ozo::Boolean> v) const { prop::set<M, 9>(*this, v); }
  void setIsVolatile(std::optional<Ozo::Boolean> v) const { prop::set<M, 10>(*this, v); }
};

class LookupTableType : public LookupTableTypeMutators<detail::ValueTypeBase<ImmutableLookupTableType>> {
 public:
  using LookupTableTypeMutators::LookupTableTypeMutators;
  static LookupTableType create(Ozo::Model const& model);
  static LookupTableType create(Ozo::Model model, SwRecordLayout swRecordLayout, PrimitiveType baseType,
                                Ozo::String name);
  static constexpr CreateWith<SwRecordLayout, PrimitiveType, Ozo::String> kCreateWith{
      " aSwRecordLayout, aBaseType, aName"};
};

}  // namespace Zorvan::metamodel::types
