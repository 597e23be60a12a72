// The foundation package's element classes as host classes: the bases every
// element class of the metamodel packages derives from. None of them can be
// constructed; they carry the shared properties.
#include "foundation_xb/FoundationClasses.hpp"

#include "elements/anatomy/ElementClass.hpp"
#include "elements/anatomy/FoundationMeta.hpp"

#include <foundation/Foundation.hpp>

namespace Zorvan::metamodel::foundation::xb {

namespace {
using namespace Zorvan::xb;
using enum PropertyKind;
using enum Ozo::xb::Multiplicity;
using enum Ozo::xb::Mutability;

constexpr char kPackage[] = "Zorvan.metamodel.foundation";
constexpr char kElements[] = "Zorvan.metamodel.foundation.ImmutableSequenceOfImmutableElement";

template <class IntfT, class ImmutableT, class ModifiableT>
struct Abstract {
  using Intf = IntfT;
  using Immutable = ImmutableT;
  using Modifiable = ModifiableT;
  using Constructors = Creations<>;
};

constexpr PropertyRow kElementProperties[] = {
    {1, "OwnedElement", ClassObject, Many, ReadOnly, kElements, 0},
    {2, "Owner", ClassObject, ZeroOrOne, ReadOnly, "Zorvan.metamodel.foundation.ImmutableElement", 0},
    {3, "OwnedComment", ClassObject, Many, Settable, kElements, 0},
};
constexpr MetaGroup kElementMeta[] = {metaGroup<ElementMeta>(), metaGroup<ClassObjectMeta>()};
struct ElementClass : Abstract<NSInterface::ElementIntf, ImmutableElement, foundation::Element> {
  static constexpr ElementFacts facts{kPackage, "Element", "Ozo.ImmutableObject", "Ozo.Object", kElementProperties,
                                      kElementMeta};
};

constexpr PropertyRow kNamedElementProperties[] = {
    {1, "Name", String, ZeroOrOne, Settable, "char", 0},
    {2, "Visibility", String, ZeroOrOne, Settable, "char", 0},
    {3, "ClientDependency", ClassObject, Many, Settable, kElements, 0},
    {4, "Namespace", ClassObject, ZeroOrOne, ReadOnly, "Zorvan.metamodel.foundation.ImmutableNamespace", 0},
};
constexpr MetaGroup kNamedElementMeta[] = {metaGroup<NamedElementMeta>(), metaGroup<ElementMeta>(),
                                           metaGroup<ClassObjectMeta>()};
struct NamedElementClass : Abstract<NSInterface::NamedElementIntf, ImmutableNamedElement, NamedElement> {
  static constexpr ElementFacts facts{kPackage,
                                      "NamedElement",
                                      "Zorvan.metamodel.foundation.ImmutableElement",
                                      "Zorvan.metamodel.foundation.Element",
                                      kNamedElementProperties,
                                      kNamedElementMeta};
};

struct PackageableElementClass
    : Abstract<NSInterface::PackageableElementIntf, ImmutablePackageableElement, PackageableElement> {
  static constexpr ElementFacts facts{kPackage,
                                      "PackageableElement",
                                      "Zorvan.metamodel.foundation.ImmutableNamedElement",
                                      "Zorvan.metamodel.foundation.NamedElement",
                                      {},
                                      kNamedElementMeta};
};

constexpr PropertyRow kNamespaceProperties[] = {
    {1, "ElementImport", ClassObject, Many, Settable, kElements, 0},
    {2, "NamespaceImport", ClassObject, Many, Settable, kElements, 0},
    {3, "OwnedMember", ClassObject, Many, ReadOnly, "Zorvan.metamodel.foundation.ImmutableSequenceOfImmutableNamedElement",
     0},
};
constexpr MetaGroup kNamespaceMeta[] = {metaGroup<NamespaceMeta>(), metaGroup<NamedElementMeta>(),
                                        metaGroup<ElementMeta>(), metaGroup<ClassObjectMeta>()};
struct NamespaceClass : Abstract<NSInterface::NamespaceIntf, ImmutableNamespace, Namespace> {
  static constexpr ElementFacts facts{kPackage,
                                      "Namespace",
                                      "Zorvan.metamodel.foundation.ImmutableNamedElement",
                                      "Zorvan.metamodel.foundation.NamedElement",
                                      kNamespaceProperties,
                                      kNamespaceMeta};
};

constexpr PropertyRow kTypedElementProperties[] = {
    {1, "Type", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.foundation.ImmutableValueType", 0},
    {2, "OwnedType", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.foundation.ImmutableValueType", 0},
};
constexpr MetaGroup kTypedElementMeta[] = {metaGroup<TypedElementMeta>(), metaGroup<NamedElementMeta>(),
                                           metaGroup<ElementMeta>(), metaGroup<ClassObjectMeta>()};
struct TypedElementClass : Abstract<NSInterface::TypedElementIntf, ImmutableTypedElement, TypedElement> {
  static constexpr ElementFacts facts{kPackage,
                                      "TypedElement",
                                      "Zorvan.metamodel.foundation.ImmutableNamedElement",
                                      "Zorvan.metamodel.foundation.NamedElement",
                                      kTypedElementProperties,
                                      kTypedElementMeta};
};

struct ValueSpecificationClass
    : Abstract<NSInterface::ValueSpecificationIntf, ImmutableValueSpecification, ValueSpecification> {
  static constexpr ElementFacts facts{kPackage,
                                      "ValueSpecification",
                                      "Zorvan.metamodel.foundation.ImmutableTypedElement",
                                      "Zorvan.metamodel.foundation.TypedElement",
                                      {},
                                      kTypedElementMeta};
};

constexpr PropertyRow kValueTypeProperties[] = {
    {1, "InvalidValue", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.foundation.ImmutableValueSpecification",
     0},
    {2, "SwCalibrationAccess", String, ZeroOrOne, Settable, "char", 0},
    {3, "DisplayFormat", String, ZeroOrOne, Settable, "char", 0},
};
constexpr MetaGroup kValueTypeMeta[] = {metaGroup<ValueTypeMeta>(), metaGroup<NamedElementMeta>(),
                                        metaGroup<ElementMeta>(), metaGroup<ClassObjectMeta>(),
                                        metaGroup<NamespaceMeta>()};
struct ValueTypeClass : Abstract<NSInterface::ValueTypeIntf, ImmutableValueType, ValueType> {
  static constexpr ElementFacts facts{kPackage,
                                      "ValueType",
                                      "Zorvan.metamodel.foundation.ImmutableNamespace",
                                      "Zorvan.metamodel.foundation.Namespace",
                                      kValueTypeProperties,
                                      kValueTypeMeta};
};

}  // namespace

void registerClasses(kovo::COSPackage* package) {
  registerElementClass<ElementClass>(package);
  registerElementClass<NamedElementClass>(package);
  registerElementClass<PackageableElementClass>(package);
  registerElementClass<NamespaceClass>(package);
  registerElementClass<TypedElementClass>(package);
  registerElementClass<ValueSpecificationClass>(package);
  registerElementClass<ValueTypeClass>(package);
}

}  // namespace Zorvan::metamodel::foundation::xb
