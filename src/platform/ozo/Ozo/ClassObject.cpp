// The model root class "ClassObject" of package "Ozo": what every element has.
#include <Ozo/Internal.hpp>

namespace Ozo {

namespace {

using K = meta::ValueKind;
using M = meta::Multiplicity;
using D = meta::Derivation;

constexpr char kAnyElement[] = "Ozo.ClassObject";

constexpr meta::PropertyDef kClassObjectProperties[] = {
    {"AppliedStereotypeInstance", K::Element, M::Many, kAnyElement},
    {"ModelOzo", K::Value, M::One, "Ozo.Model", false, true, D::Model},
    {"ContainerOzo", K::Element, M::ZeroOne, kAnyElement, false, true, D::Container},
    {"ContaineeOzo", K::Element, M::Many, kAnyElement, false, true, D::Children},
    {"RootModel", K::Value, M::One, "Ozo.Model", false, true, D::Model},
    {"ExternalId", K::String, M::ZeroOne},
    {"ExternalToolInfo", K::String, M::ZeroOne},
    {"Uri", K::String, M::ZeroOne},
};

}  // namespace

meta::ClassDef const NSInterface::ClassObjectIntf::sClassDef{
    "ClassObject", "Ozo", nullptr, kClassObjectProperties, std::size(kClassObjectProperties), true};

IntrospectiveMethods const NSInterface::ClassObjectIntf::sIntrospectiveMethods{
    &NSInterface::ClassObjectIntf::sClassDef, &kElementAccessors<NSInterface::ClassObjectIntf::sClassDef>};

ImmutableClass ImmutableClassObject::MetaClass() { return makeMetaClass(NSInterface::ClassObjectIntf::sClassDef); }

}  // namespace Ozo
