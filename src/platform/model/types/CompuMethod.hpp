// CompuMethod: how internal values convert to physical ones.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class CompuMethodIntf : public foundation::NSInterface::PackageableElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableCompuMethod
    : public Ozo::ImmutableHandle<NSInterface::CompuMethodIntf, foundation::ImmutablePackageableElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableCompuMethod cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableCompuMethod>(o); }
  Ozo::ImmutableObject getCategory() const { return prop::get<Intf, 1, Ozo::ImmutableObject>(*this); }
  ImmutableUnit getUnit() const;
  Ozo::String getDisplayFormat() const { return prop::get<Intf, 3, Ozo::String>(*this); }
  Ozo::Collection<Ozo::Real> getCalToInternalCompuNumerator() const {
    return prop::get<Intf, 4, Ozo::Collection<Ozo::Real>>(*this);
  }
  Ozo::Collection<Ozo::Real> getCalToInternalCompuDenominator() const {
    return prop::get<Intf, 5, Ozo::Collection<Ozo::Real>>(*this);
  }
  Ozo::Collection<ImmutablePrimitiveType> getPrimitiveType() const;
};

template <class B>
class CompuMethodMutators : public B {
  using M = NSInterface::CompuMethodIntf;

 public:
  using B::B;
  CompuMethodMutators() = default;
  void setCategory(Ozo::ImmutableObject const& v) const { prop::set<M, 1>(*this, v); }
  void setUnit(ImmutableUnit const& v) const { prop::set<M, 2>(*this, v); }
  void setDisplayFormat(Ozo::String const& v) const { prop::set<M, 3>(*this, v); }
};

class CompuMethod : public CompuMethodMutators<detail::PackageableElementBase<ImmutableCompuMethod>> {
 public:
  using CompuMethodMutators::CompuMethodMutators;
  static CompuMethod create(Ozo::Model const& model);
  static CompuMethod create(Ozo::Model model, Ozo::String displayFormat, Ozo::String name);
  static constexpr CreateWith<Ozo::String, Ozo::String> kCreateWith{" aDisplayFormat, aName"};
};

}  // namespace Zorvan::metamodel::types
