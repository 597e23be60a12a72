// The foundation package "Zorvan.metamodel.foundation": the element classes
// every metamodel package builds on.
//
// Per class X: the interface NSInterface::XIntf (its class definition and
// introspection record), the immutable handle ImmutableX with typed getters,
// the setter mixin XMutators and the modifiable handle X. Values live in the
// runtime's reflective core; these are thin facades over it.
#pragma once

#include <Ozo/Element.hpp>

namespace Zorvan {
// The visitation domain of the Zorvan model interfaces.
struct VisitationDomain {};
}  // namespace Zorvan

namespace Zorvan::metamodel::foundation {

inline constexpr char kPackageName[] = "Zorvan.metamodel.foundation";

// Builds the package's meta classes into the meta package
// "Zorvan.metamodel.foundation". Idempotent.
void initialize();

namespace NSInterface {

// Each interface carries its class definition and introspection record.
class ElementIntf : public Ozo::NSInterface::ClassObjectIntf {
 public:
  using Domain = Zorvan::VisitationDomain;
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};

class NamedElementIntf : public ElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};

class PackageableElementIntf : public NamedElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};

class NamespaceIntf : public NamedElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};

class TypedElementIntf : public NamedElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};

class ValueSpecificationIntf : public TypedElementIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};

class ValueTypeIntf : public NamespaceIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};

}  // namespace NSInterface

// ---------------------------------------------------------------------------
// Immutable handles.

class ImmutableNamespace;
class ImmutableNamedElement;
class ImmutableValueType;
class ImmutableValueSpecification;

class ImmutableElement : public Ozo::ImmutableHandle<NSInterface::ElementIntf, Ozo::ImmutableClassObject> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableElement cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableElement>(o); }
  // Elements owned through composite properties (derived).
  Ozo::Collection<ImmutableElement> getOwnedElement() const {
    return Ozo::readCollection<ImmutableElement>(*this, Intf::sIntrospectiveMethods, 1);
  }
  // The owning element (derived).
  ImmutableElement getOwner() const {
    return Ozo::readProperty<ImmutableElement>(*this, Intf::sIntrospectiveMethods, 2);
  }
  Ozo::Collection<ImmutableElement> getOwnedComment() const {
    return Ozo::readCollection<ImmutableElement>(*this, Intf::sIntrospectiveMethods, 3);
  }
};

class ImmutableNamedElement : public Ozo::ImmutableHandle<NSInterface::NamedElementIntf, ImmutableElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableNamedElement cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableNamedElement>(o);
  }
  Ozo::String getName() const { return Ozo::readProperty<Ozo::String>(*this, Intf::sIntrospectiveMethods, 1); }
  bool isNameSet() const { return Ozo::propertyIsSet(*this, Intf::sIntrospectiveMethods, 1); }
  Ozo::String getVisibility() const { return Ozo::readProperty<Ozo::String>(*this, Intf::sIntrospectiveMethods, 2); }
  Ozo::Collection<ImmutableElement> getClientDependency() const {
    return Ozo::readCollection<ImmutableElement>(*this, Intf::sIntrospectiveMethods, 3);
  }
  // The owning element when it is a namespace (derived).
  ImmutableNamespace getNamespace() const;
};

class ImmutablePackageableElement
    : public Ozo::ImmutableHandle<NSInterface::PackageableElementIntf, ImmutableNamedElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutablePackageableElement cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutablePackageableElement>(o);
  }
};

class ImmutableNamespace : public Ozo::ImmutableHandle<NSInterface::NamespaceIntf, ImmutableNamedElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableNamespace cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableNamespace>(o); }
  Ozo::Collection<ImmutableElement> getElementImport() const {
    return Ozo::readCollection<ImmutableElement>(*this, Intf::sIntrospectiveMethods, 1);
  }
  Ozo::Collection<ImmutableElement> getNamespaceImport() const {
    return Ozo::readCollection<ImmutableElement>(*this, Intf::sIntrospectiveMethods, 2);
  }
  // Owned elements that are named elements (derived).
  Ozo::Collection<ImmutableNamedElement> getOwnedMember() const {
    return Ozo::readCollection<ImmutableNamedElement>(*this, Intf::sIntrospectiveMethods, 3);
  }
};

class ImmutableTypedElement : public Ozo::ImmutableHandle<NSInterface::TypedElementIntf, ImmutableNamedElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableTypedElement cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableTypedElement>(o);
  }
  ImmutableValueType getType() const;
  ImmutableValueType getOwnedType() const;
};

class ImmutableValueSpecification
    : public Ozo::ImmutableHandle<NSInterface::ValueSpecificationIntf, ImmutableTypedElement> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableValueSpecification cast(Ozo::ImmutableObject const& o) {
    return Ozo::handleCast<ImmutableValueSpecification>(o);
  }
};

class ImmutableValueType : public Ozo::ImmutableHandle<NSInterface::ValueTypeIntf, ImmutableNamespace> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableValueType cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableValueType>(o); }
  ImmutableValueSpecification getInvalidValue() const {
    return Ozo::readProperty<ImmutableValueSpecification>(*this, Intf::sIntrospectiveMethods, 1);
  }
  Ozo::String getSwCalibrationAccess() const {
    return Ozo::readProperty<Ozo::String>(*this, Intf::sIntrospectiveMethods, 2);
  }
  Ozo::String getDisplayFormat() const {
    return Ozo::readProperty<Ozo::String>(*this, Intf::sIntrospectiveMethods, 3);
  }
};

inline ImmutableNamespace ImmutableNamedElement::getNamespace() const {
  return Ozo::readProperty<ImmutableNamespace>(*this, Intf::sIntrospectiveMethods, 4);
}
inline ImmutableValueType ImmutableTypedElement::getType() const {
  return Ozo::readProperty<ImmutableValueType>(*this, Intf::sIntrospectiveMethods, 1);
}
inline ImmutableValueType ImmutableTypedElement::getOwnedType() const {
  return Ozo::readProperty<ImmutableValueType>(*this, Intf::sIntrospectiveMethods, 2);
}

// ---------------------------------------------------------------------------
// Setters, stacked under the modifiable handles of every subclass.

template <class B>
class ElementMutators : public B {
 public:
  using B::B;
  ElementMutators() = default;
};

template <class B>
class NamedElementMutators : public B {
 public:
  using B::B;
  NamedElementMutators() = default;
  void setName(Ozo::String const& v) const { Ozo::writeProperty(*this, M::sIntrospectiveMethods, 1, v); }
  void setVisibility(Ozo::String const& v) const { Ozo::writeProperty(*this, M::sIntrospectiveMethods, 2, v); }

 private:
  using M = NSInterface::NamedElementIntf;
};

template <class B>
class PackageableElementMutators : public B {
 public:
  using B::B;
  PackageableElementMutators() = default;
};

template <class B>
class NamespaceMutators : public B {
 public:
  using B::B;
  NamespaceMutators() = default;
};

template <class B>
class TypedElementMutators : public B {
 public:
  using B::B;
  TypedElementMutators() = default;
  // An empty handle clears the property.
  void setType(ImmutableValueType const& v) const { Ozo::writeProperty(*this, M::sIntrospectiveMethods, 1, v); }
  void setOwnedType(ImmutableValueType const& v) const { Ozo::writeProperty(*this, M::sIntrospectiveMethods, 2, v); }

 private:
  using M = NSInterface::TypedElementIntf;
};

template <class B>
class ValueSpecificationMutators : public B {
 public:
  using B::B;
  ValueSpecificationMutators() = default;
};

template <class B>
class ValueTypeMutators : public B {
 public:
  using B::B;
  ValueTypeMutators() = default;
  void setInvalidValue(ImmutableValueSpecification const& v) const {
    Ozo::writeProperty(*this, M::sIntrospectiveMethods, 1, v);
  }
  void setSwCalibrationAccess(Ozo::String const& v) const {
    Ozo::writeProperty(*this, M::sIntrospectiveMethods, 2, v);
  }
  void setDisplayFormat(Ozo::String const& v) const { Ozo::writeProperty(*this, M::sIntrospectiveMethods, 3, v); }

 private:
  using M = NSInterface::ValueTypeIntf;
};

// ---------------------------------------------------------------------------
// Modifiable handles (all foundation classes are abstract).

class Element : public ElementMutators<Ozo::Modifiable<ImmutableElement>> {
 public:
  using ElementMutators::ElementMutators;
};

class NamedElement : public NamedElementMutators<ElementMutators<Ozo::Modifiable<ImmutableNamedElement>>> {
 public:
  using NamedElementMutators::NamedElementMutators;
};

class PackageableElement
    : public PackageableElementMutators<
          NamedElementMutators<ElementMutators<Ozo::Modifiable<ImmutablePackageableElement>>>> {
 public:
  using PackageableElementMutators::PackageableElementMutators;
};

class Namespace
    : public NamespaceMutators<NamedElementMutators<ElementMutators<Ozo::Modifiable<ImmutableNamespace>>>> {
 public:
  using NamespaceMutators::NamespaceMutators;
};

class TypedElement
    : public TypedElementMutators<NamedElementMutators<ElementMutators<Ozo::Modifiable<ImmutableTypedElement>>>> {
 public:
  using TypedElementMutators::TypedElementMutators;
};

class ValueSpecification
    : public ValueSpecificationMutators<TypedElementMutators<
          NamedElementMutators<ElementMutators<Ozo::Modifiable<ImmutableValueSpecification>>>>> {
 public:
  using ValueSpecificationMutators::ValueSpecificationMutators;
};

class ValueType : public ValueTypeMutators<NamespaceMutators<
                      NamedElementMutators<ElementMutators<Ozo::Modifiable<ImmutableValueType>>>>> {
 public:
  using ValueTypeMutators::ValueTypeMutators;
};

}  // namespace Zorvan::metamodel::foundation
