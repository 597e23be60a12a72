// String as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"SwFillCharacter", K::Integer, M::ZeroOne},
    {"SwMaxTextSize", K::Integer, M::One},
    {"IsVariableSize", K::Boolean, M::One},
    {"SwRecordLayout", K::Element, M::ZeroOne, names::kSwRecordLayout},
    {"IsApplication", K::Boolean, M::One},
    {"Category", K::String, M::One, nullptr, false, kReadOnly, D::Rule, &rules::stringCategory},
};
}  // namespace

using I = NSInterface::StringIntf;
constinit ClassDef const I::sClassDef = classDef("String", NSInterface::PrimitiveTypeIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

ImmutableSwRecordLayout ImmutableString::getSwRecordLayout() const {
  return prop::get<Intf, 4, ImmutableSwRecordLayout>(*this);
}

String String::create(Ozo::Model const& model) { return Ozo::createElement<String>(model); }

String String::create(Ozo::Model model, Ozo::Integer swMaxTextSize, Ozo::String name) {
  String const x = createNamed<String>(model, name);
  x.setSwMaxTextSize(swMaxTextSize);
  return x;
}

}  // namespace Zorvan::metamodel::types
