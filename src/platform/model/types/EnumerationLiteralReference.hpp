// EnumerationLiteralReference: a value that names an enumeration literal.
#pragma once

#include <types/Accessors.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class EnumerationLiteralReferenceIntf : public foundation::NSInterface::ValueSpecificationIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableEnumerationLiteralReference : public Ozo::ImmutableHandle<NSInterface::EnumerationLiteralReferenceIntf,
                                                                         foundation::ImmutableValueSpecification> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableEnumerationLiteralReference cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableEnumerationLiteralReference>(o);
  }
  Ozo::String getLiteralText() const { return prop::get<Intf, 1, Ozo::String>(*this); }
  ImmutableEnumerationLiteral getValue() const;

  // True exactly when the reference names a literal.
  Ozo::Boolean isComputable() const;
  // The LiteralText when set, else the literal's name (empty for neither).
  Ozo::String stringValue() const;
};

template <class B>
class EnumerationLiteralReferenceMutators : public B {
  using M = NSInterface::EnumerationLiteralReferenceIntf;

 public:
  using B::B;
  EnumerationLiteralReferenceMutators() = default;
  void setLiteralText(Ozo::String const& v) const { prop::set<M, 1>(*this, v); }
  void setValue(ImmutableEnumerationLiteral const& v) const { prop::set<M, 2>(*this, v); }
};

class EnumerationLiteralReference
    : public EnumerationLiteralReferenceMutators<detail::ValueSpecificationBase<ImmutableEnumerationLiteralReference>> {
 public:
  using EnumerationLiteralReferenceMutators::EnumerationLiteralReferenceMutators;
  static EnumerationLiteralReference create(Ozo::Model const& model);
  static EnumerationLiteralReference create(Ozo::Model model, Ozo::String name);
  static constexpr CreateWith<Ozo::String> kCreateWith{" aName"};
};

}  // namespace Zorvan::metamodel::types
