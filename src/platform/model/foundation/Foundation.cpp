// The foundation classes as data: one property table and one class
// definition per class; accessors and storage come from the runtime.
#include <foundation/Foundation.hpp>

#include <iterator>

namespace Zorvan::metamodel::foundation {

namespace {

using K = Ozo::meta::ValueKind;
using M = Ozo::meta::Multiplicity;
using D = Ozo::meta::Derivation;
using Ozo::meta::PropertyDef;

constexpr char kElement[] = "Zorvan.metamodel.foundation.Element";
constexpr char kNamedElement[] = "Zorvan.metamodel.foundation.NamedElement";
constexpr char kNamespace[] = "Zorvan.metamodel.foundation.Namespace";
constexpr char kValueType[] = "Zorvan.metamodel.foundation.ValueType";
constexpr char kValueSpecification[] = "Zorvan.metamodel.foundation.ValueSpecification";

//                 name                   kind        multiplicity  type          composite readOnly derivation
constexpr PropertyDef kElementProperties[] = {
    {"OwnedElement",      K::Element, M::Many,    kElement, false, true, D::Children},
    {"Owner",             K::Element, M::ZeroOne, kElement, false, true, D::Container},
    {"OwnedComment",      K::Element, M::Many,    kElement, true},
};
constexpr PropertyDef kNamedElementProperties[] = {
    {"Name",              K::String,  M::ZeroOne},
    {"Visibility",        K::String,  M::ZeroOne},
    {"ClientDependency",  K::Element, M::Many,    kElement},
    {"Namespace",         K::Element, M::ZeroOne, kNamespace, false, true, D::Container},
};
constexpr PropertyDef kNamespaceProperties[] = {
    {"ElementImport",     K::Element, M::Many,    kElement, true},
    {"NamespaceImport",   K::Element, M::Many,    kElement, true},
    {"OwnedMember",       K::Element, M::Many,    kNamedElement, false, true, D::Children},
};
constexpr PropertyDef kTypedElementProperties[] = {
    {"Type",              K::Element, M::ZeroOne, kValueType},
    {"OwnedType",         K::Element, M::ZeroOne, kValueType, true},
};
constexpr PropertyDef kValueTypeProperties[] = {
    {"InvalidValue",        K::Element, M::ZeroOne, kValueSpecification, true},
    {"SwCalibrationAccess", K::String,  M::ZeroOne},
    {"DisplayFormat",       K::String,  M::ZeroOne},
};

}  // namespace

namespace NSInterface {

using Ozo::kElementAccessors;
using Ozo::IntrospectiveMethods;
using Ozo::meta::ClassDef;

// All foundation classes are abstract.
ClassDef const ElementIntf::sClassDef{"Element", kPackageName, &Ozo::NSInterface::ClassObjectIntf::sClassDef,
                                      kElementProperties, std::size(kElementProperties), true};
ClassDef const NamedElementIntf::sClassDef{"NamedElement", kPackageName, &ElementIntf::sClassDef,
                                           kNamedElementProperties, std::size(kNamedElementProperties), true};
ClassDef const PackageableElementIntf::sClassDef{"PackageableElement", kPackageName, &NamedElementIntf::sClassDef,
                                                 nullptr, 0, true};
ClassDef const NamespaceIntf::sClassDef{"Namespace", kPackageName, &NamedElementIntf::sClassDef,
                                        kNamespaceProperties, std::size(kNamespaceProperties), true};
ClassDef const TypedElementIntf::sClassDef{"TypedElement", kPackageName, &NamedElementIntf::sClassDef,
                                           kTypedElementProperties, std::size(kTypedElementProperties), true};
ClassDef const ValueSpecificationIntf::sClassDef{"ValueSpecification", kPackageName, &TypedElementIntf::sClassDef,
                                                 nullptr, 0, true};
ClassDef const ValueTypeIntf::sClassDef{"ValueType", kPackageName, &NamespaceIntf::sClassDef,
                                        kValueTypeProperties, std::size(kValueTypeProperties), true};

IntrospectiveMethods const ElementIntf::sIntrospectiveMethods{&sClassDef, &kElementAccessors<sClassDef>};
IntrospectiveMethods const NamedElementIntf::sIntrospectiveMethods{&sClassDef, &kElementAccessors<sClassDef>};
IntrospectiveMethods const PackageableElementIntf::sIntrospectiveMethods{&sClassDef, &kElementAccessors<sClassDef>};
IntrospectiveMethods const NamespaceIntf::sIntrospectiveMethods{&sClassDef, &kElementAccessors<sClassDef>};
IntrospectiveMethods const TypedElementIntf::sIntrospectiveMethods{&sClassDef, &kElementAccessors<sClassDef>};
IntrospectiveMethods const ValueSpecificationIntf::sIntrospectiveMethods{&sClassDef, &kElementAccessors<sClassDef>};
IntrospectiveMethods const ValueTypeIntf::sIntrospectiveMethods{&sClassDef, &kElementAccessors<sClassDef>};

}  // namespace NSInterface

void initialize() {
  static bool const done = [] {
    for (Ozo::meta::ClassDef const* def :
         {&NSInterface::ElementIntf::sClassDef, &NSInterface::NamedElementIntf::sClassDef,
          &NSInterface::PackageableElementIntf::sClassDef, &NSInterface::NamespaceIntf::sClassDef,
          &NSInterface::TypedElementIntf::sClassDef, &NSInterface::ValueSpecificationIntf::sClassDef,
          &NSInterface::ValueTypeIntf::sClassDef})
      Ozo::metaClassOf(*def);
    return true;
  }();
  (void)done;
}

}  // namespace Zorvan::metamodel::foundation
