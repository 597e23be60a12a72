// DataConstr: constraints on the values of primitive types.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class DataConstrIntf : public foundation::NSInterface::PackageableElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableDataConstr
    : public Ozo::ImmutableHandle<NSInterface::DataConstrIntf, foundation::ImmutablePackageableElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableDataConstr cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableDataConstr>(o); }
  ImmutableUnit getUnit() const;
  Ozo::Collection<ImmutablePrimitiveType> getPrimitiveType() const;
};

template <class B>
class DataConstrMutators : public B {
  using M = NSInterface::DataConstrIntf;

 public:
  using B::B;
  DataConstrMutators() = default;
  void setUnit(ImmutableUnit const& v) const { prop::set<M, 1>(*this, v); }
};

class DataConstr : public DataConstrMutators<detail::PackageableElementBase<ImmutableDataConstr>> {
 public:
  using DataConstrMutators::DataConstrMutators;
  static DataConstr create(Ozo::Model const& model);
  static DataConstr create(Ozo::Model model, Ozo::String name);
  static constexpr CreateWith<Ozo::String> kCreateWith{" aName"};
};

}  // namespace Zorvan::metamodel::types
