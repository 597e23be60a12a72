// SwBaseType: the machine representation behind primitive types.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class SwBaseTypeIntf : public foundation::NSInterface::PackageableElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableSwBaseType
    : public Ozo::ImmutableHandle<NSInterface::SwBaseTypeIntf, foundation::ImmutablePackageableElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableSwBaseType cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableSwBaseType>(o); }
  Ozo::Collection<ImmutablePrimitiveType> getPrimitiveType() const;
};

template <class B>
class SwBaseTypeMutators : public B {
  using M = NSInterface::SwBaseTypeIntf;

 public:
  using B::B;
  SwBaseTypeMutators() = default;
};

class SwBaseType : public SwBaseTypeMutators<detail::PackageableElementBase<ImmutableSwBaseType>> {
 public:
  using SwBaseTypeMutators::SwBaseTypeMutators;
  static SwBaseType create(Ozo::Model const& model);
  static SwBaseType create(Ozo::Model model, Ozo::String name);
  static constexpr CreateWith<Ozo::String> kCreateWith{" aName"};
};

}  // namespace Zorvan::metamodel::types
