// SwAxisType: a group of generic axis parameters.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class SwAxisTypeIntf : public foundation::NSInterface::PackageableElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableSwAxisType
    : public Ozo::ImmutableHandle<NSInterface::SwAxisTypeIntf, foundation::ImmutablePackageableElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableSwAxisType cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableSwAxisType>(o); }
  Ozo::Collection<ImmutableSwGenericAxisParamType> getSwAxisParamType() const;
};

template <class B>
class SwAxisTypeMutators : public B {
  using M = NSInterface::SwAxisTypeIntf;

 public:
  using B::B;
  SwAxisTypeMutators() = default;
};

class SwAxisType : public SwAxisTypeMutators<detail::PackageableElementBase<ImmutableSwAxisType>> {
 public:
  using SwAxisTypeMutators::SwAxisTypeMutators;
  static SwAxisType create(Ozo::Model const& model);
  static SwAxisType create(Ozo::Model model, Ozo::String name);
  static constexpr CreateWith<Ozo::String> kCreateWith{" aName"};
};

}  // namespace Zorvan::metamodel::types
