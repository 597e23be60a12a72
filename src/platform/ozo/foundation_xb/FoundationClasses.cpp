// The foundation package's element classes as host classes: the bases every
// element class of the metamodel packages derives from. None of them can be
// constructed; they carry the shared properties.
#include "foundation_xb/FoundationClasses.hpp"

#include <xb/ElementClass.hpp>
#include <foundation_xb/FoundationMeta.hpp>

#include <foundation/Foundation.hpp>

namespace Zorvan::metamodel::foundation::xb {

namespace {
using namespace Ozo::xb;
using namespace Ozo::xb::kinds;
using enum Ozo::xb::Multiplicity;
using enum Ozo::xb::Mutability;

constexpr char kElements[] = "Zorvan.metamodel.foundation.ImmutableSequenceOfImmutableElement";

// None of the foundation classes can be constructed.
template <class IntfT, class ImmutableT, class ModifiableT>
struct Abstract {
  using Intf = IntfT;
  using Immutable = ImmutableT;
  using Modifiable = ModifiableT;
};

struct ElementClass : Abstract<NSInterface::ElementIntf, ImmutableElement, foundation::Element> {
  using Meta = ElementMeta;
  static constexpr PropertyRow properties[] = {
      {1, "OwnedElement", ClassObject, Many, ReadOnly, kElements, 0},
      {2, "Owner", ClassObject, ZeroOrOne, ReadOnly, "Zorvan.metamodel.foundation.ImmutableElement", 0},
      {3, "OwnedComment", ClassObject, Many, Settable, kElements, 0},
  };
};

struct NamedElementClass : Abstract<NSInterface::NamedElementIntf, ImmutableNamedElement, NamedElement> {
  using Meta = NamedElementMeta;
  static constexpr PropertyRow properties[] = {
      {1, "Name", Text, ZeroOrOne, Settable, "char", 0},
      {2, "Visibility", Text, ZeroOrOne, Settable, "char", 0},
      {3, "ClientDependency", ClassObject, Many, Settable, kElements, 0},
      {4, "Namespace", ClassObject, ZeroOrOne, ReadOnly, "Zorvan.metamodel.foundation.ImmutableNamespace", 0},
  };
};

struct PackageableElementClass
    : Abstract<NSInterface::PackageableElementIntf, ImmutablePackageableElement, PackageableElement> {};

struct NamespaceClass : Abstract<NSInterface::NamespaceIntf, ImmutableNamespace, Namespace> {
  using Meta = NamespaceMeta;
  static constexpr PropertyRow properties[] = {
      {1, "ElementImport", ClassObject, Many, Settable, kElements, 0},
      {2, "NamespaceImport", ClassObject, Many, Settable, kElements, 0},
      {3, "OwnedMember", ClassObject, Many, ReadOnly,
       "Zorvan.metamodel.foundation.ImmutableSequenceOfImmutableNamedElement", 0},
  };
};

struct TypedElementClass : Abstract<NSInterface::TypedElementIntf, ImmutableTypedElement, TypedElement> {
  using Meta = TypedElementMeta;
  static constexpr PropertyRow properties[] = {
      {1, "Type", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.foundation.ImmutableValueType", 0},
      {2, "OwnedType", ClassObject, ZeroOrOne, Settable, "Zorvan.metamodel.foundation.ImmutableValueType", 0},
  };
};

struct ValueSpecificationClass
    : Abstract<NSInterface::ValueSpecificationIntf, ImmutableValueSpecification, ValueSpecification> {};

struct ValueTypeClass : Abstract<NSInterface::ValueTypeIntf, ImmutableValueType, ValueType> {
  using Meta = ValueTypeMeta;
  static constexpr PropertyRow properties[] = {
      {1, "InvalidValue", ClassObject, ZeroOrOne, Settable,
       "Zorvan.metamodel.foundation.ImmutableValueSpecification", 0},
      {2, "SwCalibrationAccess", Text, ZeroOrOne, Settable, "char", 0},
      {3, "DisplayFormat", Text, ZeroOrOne, Settable, "char", 0},
  };
};

}  // namespace

void registerMetaGroups() {
  metaGroups::add<ClassObjectMeta>();
  metaGroups::add<ElementMeta>();
  metaGroups::add<NamedElementMeta>();
  // A namespace's own entries come first; inherited, they come after every other group.
  metaGroups::add<NamespaceMeta>(metaGroups::Place::Last);
  metaGroups::add<TypedElementMeta>();
  metaGroups::add<ValueTypeMeta>();
}

void registerClasses(kovo::COSPackage* package) {
  registerMetaGroups();
  registerElementClass<ElementClass>(package);
  registerElementClass<NamedElementClass>(package);
  registerElementClass<PackageableElementClass>(package);
  registerElementClass<NamespaceClass>(package);
  registerElementClass<TypedElementClass>(package);
  registerElementClass<ValueSpecificationClass>(package);
  registerElementClass<ValueTypeClass>(package);
}

}  // namespace Zorvan::metamodel::foundation::xb
