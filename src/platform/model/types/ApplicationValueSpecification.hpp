// ApplicationValueSpecification: a value given as text in the application's own notation, with its dimensions.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class ApplicationValueSpecificationIntf : public foundation::NSInterface::ValueSpecificationIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableApplicationValueSpecification
    : public Ozo::ImmutableHandle<NSInterface::ApplicationValueSpecificationIntf,
                                  foundation::ImmutableValueSpecification> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableApplicationValueSpecification cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableApplicationValueSpecification>(o);
  }
  Ozo::Collection<Ozo::String> getV() const { return prop::get<Intf, 1, Ozo::Collection<Ozo::String>>(*this); }
  Ozo::Collection<Ozo::Integer> getDimensions() const {
    return prop::get<Intf, 2, Ozo::Collection<Ozo::Integer>>(*this);
  }
  Ozo::String getCategory() const { return prop::get<Intf, 3, Ozo::String>(*this); }
};

template <class B>
class ApplicationValueSpecificationMutators : public B {
  using M = NSInterface::ApplicationValueSpecificationIntf;

 public:
  using B::B;
  ApplicationValueSpecificationMutators() = default;
  void setCategory(Ozo::String const& v) const { prop::set<M, 3>(*this, v); }
};

class ApplicationValueSpecification : public ApplicationValueSpecificationMutators<
                                          detail::ValueSpecificationBase<ImmutableApplicationValueSpecification>> {
 public:
  using ApplicationValueSpecificationMutators::ApplicationValueSpecificationMutators;
  static ApplicationValueSpecification create(Ozo::Model const& model);
  static ApplicationValueSpecification create(Ozo::Model model, Ozo::String name);
  static constexpr CreateWith<Ozo::String> kCreateWith{" aName"};
};

}  // namespace Zorvan::metamodel::types
