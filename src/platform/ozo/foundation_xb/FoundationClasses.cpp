// The foundation package's element classes as host classes: the bases every
// element class of the metamodel packages derives from. None of them can be
// constructed; they carry the shared properties.
#include "foundation_xb/FoundationClasses.hpp"

#include <xb/ElementClass.hpp>
#include <foundation_xb/FoundationMeta.hpp>

#include <foundation/Foundation.hpp>

namespace Zorvan::metamodel::foundation::xb {

namespace {
using Ozo::xb::ShownProperty;
namespace metaGroups = Ozo::xb::metaGroups;

// None of the foundation classes can be constructed. Their rows follow from
// the model's property tables; the host shows every foundation property.
template <class IntfT, class ImmutableT, class ModifiableT>
struct Abstract {
  using Intf = IntfT;
  using Immutable = ImmutableT;
  using Modifiable = ModifiableT;
};

struct ElementClass : Abstract<NSInterface::ElementIntf, ImmutableElement, foundation::Element> {
  using Meta = ElementMeta;
  static constexpr ShownProperty shown[] = {{1}, {2}, {3}};  // OwnedElement, Owner, OwnedComment
};

struct NamedElementClass : Abstract<NSInterface::NamedElementIntf, ImmutableNamedElement, NamedElement> {
  using Meta = NamedElementMeta;
  static constexpr ShownProperty shown[] = {{1}, {2}, {3}, {4}};  // Name, Visibility, ClientDependency, Namespace
};

struct PackageableElementClass
    : Abstract<NSInterface::PackageableElementIntf, ImmutablePackageableElement, PackageableElement> {};

struct NamespaceClass : Abstract<NSInterface::NamespaceIntf, ImmutableNamespace, Namespace> {
  using Meta = NamespaceMeta;
  static constexpr ShownProperty shown[] = {{1}, {2}, {3}};  // ElementImport, NamespaceImport, OwnedMember
};

struct TypedElementClass : Abstract<NSInterface::TypedElementIntf, ImmutableTypedElement, TypedElement> {
  using Meta = TypedElementMeta;
  static constexpr ShownProperty shown[] = {{1}, {2}};  // Type, OwnedType
};

struct ValueSpecificationClass
    : Abstract<NSInterface::ValueSpecificationIntf, ImmutableValueSpecification, ValueSpecification> {};

struct ValueTypeClass : Abstract<NSInterface::ValueTypeIntf, ImmutableValueType, ValueType> {
  using Meta = ValueTypeMeta;
  static constexpr ShownProperty shown[] = {{1}, {2}, {3}};  // InvalidValue, SwCalibrationAccess, DisplayFormat
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
  Ozo::xb::registerElementClass<ElementClass>(package);
  Ozo::xb::registerElementClass<NamedElementClass>(package);
  Ozo::xb::registerElementClass<PackageableElementClass>(package);
  Ozo::xb::registerElementClass<NamespaceClass>(package);
  Ozo::xb::registerElementClass<TypedElementClass>(package);
  Ozo::xb::registerElementClass<ValueSpecificationClass>(package);
  Ozo::xb::registerElementClass<ValueTypeClass>(package);
}

}  // namespace Zorvan::metamodel::foundation::xb
