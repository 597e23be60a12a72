// LookupTableSpecification: the value of a lookup table, with the values of its axes.
#pragma once

#include <types/ApplicationValueSpecification.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class LookupTableSpecificationIntf : public ApplicationValueSpecificationIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableLookupTableSpecification
    : public Ozo::ImmutableHandle<NSInterface::LookupTableSpecificationIntf, ImmutableApplicationValueSpecification> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableLookupTableSpecification cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableLookupTableSpecification>(o);
  }
  Ozo::Collection<ImmutableLookupTableSpecification> getAxes() const;
};

template <class B>
class LookupTableSpecificationMutators : public B {
  using M = NSInterface::LookupTableSpecificationIntf;

 public:
  using B::B;
  LookupTableSpecificationMutators() = default;
};

class LookupTableSpecification
    : public LookupTableSpecificationMutators<
          ApplicationValueSpecificationMutators<detail::ValueSpecificationBase<ImmutableLookupTableSpecification>>> {
 public:
  using LookupTableSpecificationMutators::LookupTableSpecificationMutators;
  static LookupTableSpecification create(Ozo::Model const& model);
  static LookupTableSpecification create(Ozo::Model model, Ozo::String name);
  static constexpr CreateWith<Ozo::String> kCreateWith{" aName"};
};

}  // namespace Zorvan::metamodel::types
