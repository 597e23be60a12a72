// SwRecordLayout as data, and its creation operation.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
//                 name                  kind        multiplicity  type
constexpr PropertyDef kOwn[] = {
    {"LookupTableType",     K::Element, M::Many,    names::kLookupTableType},
    {"SharedAxisType",      K::Element, M::Many,    names::kSharedAxisType},
    {"SwRecordLayoutGroup", K::Element, M::One,     names::kSwRecordLayoutGroup},
    {"String",              K::Element, M::One,     names::kString},
};
}  // namespace

using I = NSInterface::SwRecordLayoutIntf;
constinit ClassDef const I::sClassDef =
    classDef("SwRecordLayout", foundation::NSInterface::PackageableElementIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

SwRecordLayout SwRecordLayout::create(Ozo::Model const& model) { return Ozo::createElement<SwRecordLayout>(model); }

}  // namespace Zorvan::metamodel::types
