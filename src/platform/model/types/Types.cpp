// The types classes as data: one property table and one class definition per
// class; accessors and storage come from the runtime. Adding a class is a
// table, a definition line, an interface and its handles.
#include <types/Types.hpp>

#include <iterator>

namespace Zorvan::metamodel::types {

namespace {

using K = Ozo::meta::ValueKind;
using M = Ozo::meta::Multiplicity;
using Ozo::meta::PropertyDef;

constexpr char kPrimitiveType[] = "Zorvan.metamodel.types.PrimitiveType";
constexpr char kCompuMethod[] = "Zorvan.metamodel.types.CompuMethod";
constexpr char kUnit[] = "Zorvan.metamodel.types.Unit";
constexpr char kDataConstr[] = "Zorvan.metamodel.types.DataConstr";
constexpr char kSwBaseType[] = "Zorvan.metamodel.types.SwBaseType";
constexpr char kSwRecordLayout[] = "Zorvan.metamodel.types.SwRecordLayout";
constexpr char kAxis[] = "Zorvan.metamodel.types.Axis";
constexpr char kSharedAxisType[] = "Zorvan.metamodel.types.SharedAxisType";
constexpr char kSwGenericAxisParamType[] = "Zorvan.metamodel.types.SwGenericAxisParamType";
constexpr char kDataSize[] = "Zorvan.metamodel.types.DataSize";
constexpr char kAxisParamCategory[] = "Zorvan.metamodel.types.SwGenericAxisParamTypeCategory";

//                 name                     kind        multiplicity  type             composite
constexpr PropertyDef kPrimitiveTypeProperties[] = {
    {"GroundValue",            K::Real,    M::One},
    {"CompuMethod",            K::Element, M::ZeroOne, kCompuMethod},
    {"Unit",                   K::Element, M::ZeroOne, kUnit},
    {"DataConstr",             K::Element, M::ZeroOne, kDataConstr},
    {"SwBaseType",             K::Element, M::ZeroOne, kSwBaseType},
    {"IsApplication",          K::Boolean, M::One},
    {"Reference",              K::Element, M::ZeroOne, kPrimitiveType},
    {"Qualifier",              K::String,  M::ZeroOne},
    {"IsVolatile",             K::Boolean, M::ZeroOne},
    {"IsConst",                K::Boolean, M::ZeroOne},
};
constexpr PropertyDef kRealProperties[] = {
    {"MinValue",               K::Real,    M::ZeroOne},
    {"MaxValue",               K::Real,    M::ZeroOne},
    {"IsMinOpen",              K::Boolean, M::One},
    {"IsMaxOpen",              K::Boolean, M::One},
};
constexpr PropertyDef kIntegerProperties[] = {
    {"Length",                 K::Value,   M::One,     kDataSize},
    {"IsSigned",               K::Boolean, M::One},
};
constexpr PropertyDef kSharedAxisTypeProperties[] = {
    {"SwRecordLayout",         K::Element, M::One,     kSwRecordLayout},
    {"Axis",                   K::Element, M::One,     kAxis},
    {"IsApplication",          K::Boolean, M::One},
    {"SharedFrom",             K::Element, M::Many,    kAxis},
    {"ValueAxisDataType",      K::Element, M::ZeroOne, kPrimitiveType},
    {"Qualifier",              K::String,  M::ZeroOne},
    {"IsConst",                K::Boolean, M::ZeroOne},
    {"IsVolatile",             K::Boolean, M::ZeroOne},
};
constexpr PropertyDef kSwGenericAxisParamTypeProperties[] = {
    {"Category",               K::Value,   M::One,     kAxisParamCategory},
};
constexpr PropertyDef kAxisProperties[] = {
    {"BaseType",               K::Element, M::ZeroOne, kPrimitiveType},
    {"SharedAxis",             K::Element, M::ZeroOne, kSharedAxisType},
    {"Dimensions",             K::Integer, M::One},
    {"InputVariableType",      K::Element, M::ZeroOne, kPrimitiveType},
    {"SymbolicDimensions",     K::String,  M::Many},
    {"SwGenericAxisParamType", K::Element, M::Many,    kSwGenericAxisParamType, true},
    {"Vf",                     K::Real,    M::Many},
};

}  // namespace

namespace NSInterface {

using Ozo::kElementAccessors;
using Ozo::IntrospectiveMethods;
using Ozo::meta::ClassDef;
namespace fi = foundation::NSInterface;

constexpr bool kAbstract = true;
constexpr bool kConcrete = false;

ClassDef const PrimitiveTypeIntf::sClassDef{"PrimitiveType", kPackageName, &fi::ValueTypeIntf::sClassDef,
                                            kPrimitiveTypeProperties, std::size(kPrimitiveTypeProperties), kAbstract};
ClassDef const RealIntf::sClassDef{"Real", kPackageName, &PrimitiveTypeIntf::sClassDef, kRealProperties,
                                   std::size(kRealProperties), kAbstract};
ClassDef const IntegerIntf::sClassDef{"Integer", kPackageName, &RealIntf::sClassDef, kIntegerProperties,
                                      std::size(kIntegerProperties), kConcrete};
ClassDef const SharedAxisTypeIntf::sClassDef{"SharedAxisType", kPackageName, &fi::ValueTypeIntf::sClassDef,
                                             kSharedAxisTypeProperties, std::size(kSharedAxisTypeProperties),
                                             kConcrete};
ClassDef const SwGenericAxisParamTypeIntf::sClassDef{
    "SwGenericAxisParamType", kPackageName, &fi::NamedElementIntf::sClassDef, kSwGenericAxisParamTypeProperties,
    std::size(kSwGenericAxisParamTypeProperties), kConcrete};
ClassDef const AxisIntf::sClassDef{"Axis", kPackageName, &fi::NamedElementIntf::sClassDef, kAxisProperties,
                                   std::size(kAxisProperties), kConcrete};

IntrospectiveMethods const PrimitiveTypeIntf::sIntrospectiveMethods{&sClassDef, &kElementAccessors<sClassDef>};
IntrospectiveMethods const RealIntf::sIntrospectiveMethods{&sClassDef, &kElementAccessors<sClassDef>};
IntrospectiveMethods const IntegerIntf::sIntrospectiveMethods{&sClassDef, &kElementAccessors<sClassDef>};
IntrospectiveMethods const SharedAxisTypeIntf::sIntrospectiveMethods{&sClassDef, &kElementAccessors<sClassDef>};
IntrospectiveMethods const SwGenericAxisParamTypeIntf::sIntrospectiveMethods{&sClassDef,
                                                                             &kElementAccessors<sClassDef>};
IntrospectiveMethods const AxisIntf::sIntrospectiveMethods{&sClassDef, &kElementAccessors<sClassDef>};

}  // namespace NSInterface

void initialize() {
  static bool const done = [] {
    foundation::initialize();
    for (Ozo::meta::ClassDef const* def :
         {&NSInterface::PrimitiveTypeIntf::sClassDef, &NSInterface::RealIntf::sClassDef,
          &NSInterface::IntegerIntf::sClassDef, &NSInterface::SharedAxisTypeIntf::sClassDef,
          &NSInterface::SwGenericAxisParamTypeIntf::sClassDef, &NSInterface::AxisIntf::sClassDef})
      Ozo::metaClassOf(*def);
    return true;
  }();
  (void)done;
}

Ozo::ImmutablePackage MetaPackage() {
  initialize();
  return Ozo::metaPackage(kPackageName);
}

// ---------------------------------------------------------------------------
// Creation operations.

Integer Integer::create(Ozo::Model const& model) { return Ozo::createElement<Integer>(model); }

Integer Integer::create(Ozo::Model model, Ozo::String name) {
  Integer const x = create(model);
  x.setName(name);
  return x;
}

SharedAxisType SharedAxisType::create(Ozo::Model const& model) { return Ozo::createElement<SharedAxisType>(model); }

SwGenericAxisParamType SwGenericAxisParamType::create(Ozo::Model const& model) {
  return Ozo::createElement<SwGenericAxisParamType>(model);
}

SwGenericAxisParamType SwGenericAxisParamType::create(Ozo::Model model, Ozo::String name) {
  SwGenericAxisParamType const x = create(model);
  x.setName(name);
  return x;
}

Axis Axis::create(Ozo::Model const& model) { return Ozo::createElement<Axis>(model); }

Axis Axis::create(Ozo::Model model, Ozo::Integer dimensions, Ozo::String name) {
  Axis const x = create(model);
  x.setDimensions(dimensions);
  x.setName(name);
  return x;
}

}  // namespace Zorvan::metamodel::types
