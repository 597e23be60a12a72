// The package: its one list of class definitions, in the order the meta
// package lists them. Each class's table, definition and creation
// operations live in its own file (X.cpp).
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

namespace {
namespace ni = NSInterface;
constexpr Ozo::meta::ClassDef const* kClasses[] = {
    &ni::FloatingPointIntf::sClassDef,
    &ni::ComplexIntf::sClassDef,
    &ni::DimensionIntf::sClassDef,
    &ni::LiteralRealIntf::sClassDef,
    &ni::FixedPointIntf::sClassDef,
    &ni::IntegerIntf::sClassDef,
    &ni::RealIntf::sClassDef,
    &ni::UnitIntf::sClassDef,
    &ni::MatrixIntf::sClassDef,
    &ni::EnumerationLiteralIntf::sClassDef,
    &ni::EnumerationIntf::sClassDef,
    &ni::BooleanIntf::sClassDef,
    &ni::MatrixValueSpecificationIntf::sClassDef,
    &ni::CellIntf::sClassDef,
    &ni::StructureIntf::sClassDef,
    &ni::ValueElementIntf::sClassDef,
    &ni::StructureValueSpecificationIntf::sClassDef,
    &ni::SlotIntf::sClassDef,
    &ni::EnumerationLiteralReferenceIntf::sClassDef,
    &ni::ConstantSpecificationIntf::sClassDef,
    &ni::ConstantReferenceIntf::sClassDef,
    &ni::CompositeSpecificationIntf::sClassDef,
    &ni::PrimitiveTypeIntf::sClassDef,
    &ni::StructElementIntf::sClassDef,
    &ni::CompuMethodIntf::sClassDef,
    &ni::DataConstrIntf::sClassDef,
    &ni::SwBaseTypeIntf::sClassDef,
    &ni::LookupTableTypeIntf::sClassDef,
    &ni::SharedAxisTypeIntf::sClassDef,
    &ni::SwRecordLayoutIntf::sClassDef,
    &ni::AxisIntf::sClassDef,
    &ni::VoidPointerIntf::sClassDef,
    &ni::ApplicationValueSpecificationIntf::sClassDef,
    &ni::LookupTableSpecificationIntf::sClassDef,
    &ni::SwRecordLayoutGroupIntf::sClassDef,
    &ni::SwRecordLayoutVIntf::sClassDef,
    &ni::SwGenericAxisParamTypeIntf::sClassDef,
    &ni::SwAxisTypeIntf::sClassDef,
    &ni::StringIntf::sClassDef,
};
}  // namespace

void initialize() {
  static bool const done = [] {
    foundation::initialize();
    for (Ozo::meta::ClassDef const* def : kClasses) Ozo::metaClassOf(*def);
    return true;
  }();
  (void)done;
}

Ozo::ImmutablePackage MetaPackage() {
  initialize();
  return Ozo::metaPackage(kPackageName);
}

}  // namespace Zorvan::metamodel::types
