// EnumerationLiteralReference as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"LiteralText", K::String, M::ZeroOne},
    {"Value", K::Element, M::ZeroOne, names::kEnumerationLiteral},
};
}  // namespace

using I = NSInterface::EnumerationLiteralReferenceIntf;
constinit ClassDef const I::sClassDef = classDef(
    "EnumerationLiteralReference", foundation::NSInterface::ValueSpecificationIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

ImmutableEnumerationLiteral ImmutableEnumerationLiteralReference::getValue() const {
  return prop::get<Intf, 2, ImmutableEnumerationLiteral>(*this);
}

EnumerationLiteralReference EnumerationLiteralReference::create(Ozo::Model const& model) {
  return Ozo::createElement<EnumerationLiteralReference>(model);
}

EnumerationLiteralReference EnumerationLiteralReference::create(Ozo::Model model, Ozo::String name) {
  return createNamed<EnumerationLiteralReference>(model, name);
}

namespace {
constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesEnumerationLiteralReference_h";
constexpr int kNullRefLine = 98;
}  // namespace

Ozo::Boolean ImmutableEnumerationLiteralReference::isComputable() const {
  checked(kHeader, kNullRefLine);
  return Ozo::Boolean(getValue().isValid());
}

Ozo::String ImmutableEnumerationLiteralReference::stringValue() const {
  checked(kHeader, kNullRefLine);
  Ozo::String const text = getLiteralText();
  if (!text.empty()) return text;
  ImmutableEnumerationLiteral const literal = getValue();
  return literal.isValid() ? literal.getName() : Ozo::String();
}

}  // namespace Zorvan::metamodel::types
