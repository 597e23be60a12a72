// SwRecordLayout: how the values of a lookup table or shared axis are laid
// out in memory. Element properties of classes not modelled yet
// (LookupTableType, SwRecordLayoutGroup, String) read as
// Ozo::ImmutableClassObject. Refers to SharedAxisType, which refers back:
// declared here, its header included at the end.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

class ImmutableSharedAxisType;

namespace NSInterface {
class SwRecordLayoutIntf : public foundation::NSInterface::PackageableElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableSwRecordLayout
    : public Ozo::ImmutableHandle<NSInterface::SwRecordLayoutIntf, foundation::ImmutablePackageableElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableSwRecordLayout cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableSwRecordLayout>(o);
  }
  Ozo::Collection<Ozo::ImmutableClassObject> getLookupTableType() const {
    return prop::get<Intf, 1, Ozo::Collection<Ozo::ImmutableClassObject>>(*this);
  }
  Ozo::Collection<ImmutableSharedAxisType> getSharedAxisType() const;
  Ozo::ImmutableClassObject getSwRecordLayoutGroup() const {
    return prop::get<Intf, 3, Ozo::ImmutableClassObject>(*this);
  }
  Ozo::ImmutableClassObject getString() const { return prop::get<Intf, 4, Ozo::ImmutableClassObject>(*this); }
};

template <class B>
class SwRecordLayoutMutators : public B {
  using M = NSInterface::SwRecordLayoutIntf;

 public:
  using B::B;
  SwRecordLayoutMutators() = default;
  void setSwRecordLayoutGroup(Ozo::ImmutableClassObject const& v) const { prop::set<M, 3>(*this, v); }
  void setString(Ozo::ImmutableClassObject const& v) const { prop::set<M, 4>(*this, v); }
};

class SwRecordLayout : public SwRecordLayoutMutators<detail::PackageableElementBase<ImmutableSwRecordLayout>> {
 public:
  using SwRecordLayoutMutators::SwRecordLayoutMutators;
  static SwRecordLayout create(Ozo::Model const& model);
};

}  // namespace Zorvan::metamodel::types

#include <types/SharedAxisType.hpp>

namespace Zorvan::metamodel::types {

inline Ozo::Collection<ImmutableSharedAxisType> ImmutableSwRecordLayout::getSharedAxisType() const {
  return prop::get<Intf, 2, Ozo::Collection<ImmutableSharedAxisType>>(*this);
}

}  // namespace Zorvan::metamodel::types
