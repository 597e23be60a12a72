// SwRecordLayout: how the values of lookup tables and shared axes are laid out in memory.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

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
  Ozo::Collection<ImmutableLookupTableType> getLookupTableType() const;
  Ozo::Collection<ImmutableSharedAxisType> getSharedAxisType() const;
  ImmutableSwRecordLayoutGroup getSwRecordLayoutGroup() const;
  ImmutableString getString() const;
};

template <class B>
class SwRecordLayoutMutators : public B {
  using M = NSInterface::SwRecordLayoutIntf;

 public:
  using B::B;
  SwRecordLayoutMutators() = default;
  void setSwRecordLayoutGroup(ImmutableSwRecordLayoutGroup const& v) const { prop::set<M, 3>(*this, v); }
  void setString(ImmutableString const& v) const { prop::set<M, 4>(*this, v); }
};

class SwRecordLayout : public SwRecordLayoutMutators<detail::PackageableElementBase<ImmutableSwRecordLayout>> {
 public:
  using SwRecordLayoutMutators::SwRecordLayoutMutators;
  static SwRecordLayout create(Ozo::Model const& model);
  static SwRecordLayout create(Ozo::Model model, SwRecordLayoutGroup swRecordLayoutGroup, String string,
                               Ozo::String name);
  static constexpr CreateWith<SwRecordLayoutGroup, String, Ozo::String> kCreateWith{
      " aSwRecordLayoutGroup, aString, aName"};
};

}  // namespace Zorvan::metamodel::types
