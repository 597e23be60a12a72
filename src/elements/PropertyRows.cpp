// The property rows of the package's element classes, made from the model's
// own property tables: a class file names only the properties it shows, with
// their attribute words.
#include "elements/ClassFile.hpp"
#include "marshal/ValueProperties.hpp"

#include <types/Classes.hpp>

#include <string_view>

namespace Zorvan::metamodel::types::xb {

namespace {

using Ozo::meta::Multiplicity;
using Ozo::meta::ValueKind;
using Ozo::xb::PropertyKind;

std::string_view shortOf(std::string_view qualified) { return qualified.substr(qualified.rfind('.') + 1); }
std::string_view packageOf(std::string_view qualified) { return qualified.substr(0, qualified.rfind('.')); }

// The kind of a property holding values of the named type (qualified).
PropertyKind valueKind(char const* typeName) {
  std::string_view const name = typeName ? typeName : "";
  PropertyKind kind = nullptr;
  forEachOf<IsValue>([&]<class V>() {
    if (packageOf(name) == kPackageName && shortOf(name) == V::name) kind = Ozo::xb::kinds::ValueType<V>;
  });
  OZO_ASSERT_AT("ozo_xb/marshal/OzoxbPropertyFactory", 52, kind != nullptr, "no value type \"%s\"", name.data());
  return kind;
}

// Host data types of single primitives: required, then optional.
char const* primitiveType(ValueKind k, bool optional) {
  switch (k) {
    case ValueKind::Integer: return optional ? "ozoint32" : "int32 scalar";
    case ValueKind::Real: return optional ? "ozodouble" : "double scalar";
    default: return optional ? "ozological" : "logical scalar";
  }
}

char const* primitiveSequenceType(ValueKind k) {
  switch (k) {
    case ValueKind::Integer: return "Ozo.ImmutableSequenceOfInteger";
    case ValueKind::Real: return "Ozo.ImmutableSequenceOfReal";
    case ValueKind::Boolean: return "Ozo.ImmutableSequenceOfBoolean";
    default: return "Ozo.ImmutableSequenceOfString";
  }
}

}  // namespace

PropertyRow TypesRows::deriveRow(Ozo::meta::PropertyDef const& d, Ozo::xb::ShownProperty const& shown) {
  bool const many = d.multiplicity == Multiplicity::Many;
  bool const optional = d.multiplicity == Multiplicity::ZeroOne;
  // The owner end of an ownership pair is derived yet writable.
  bool const readOnly =
      d.readOnly || (d.derived != Ozo::meta::Derivation::None && d.derived != Ozo::meta::Derivation::Container);
  PropertyRow r{shown.index,
                shown.name ? shown.name : d.name,
                nullptr,
                static_cast<Ozo::xb::Multiplicity>(d.multiplicity),
                readOnly ? ReadOnly : Settable,
                nullptr,
                shown.attributes};
  switch (d.kind) {
    case ValueKind::Element: {
      std::string_view const type = d.typeName;
      r.kind = ClassObject;
      r.hostType = kovo::intern({packageOf(type), many ? ".ImmutableSequenceOfImmutable" : ".Immutable", shortOf(type)})
                       .c_str();
      break;
    }
    case ValueKind::Value:
      r.kind = valueKind(d.typeName);
      r.hostType = d.typeName;
      break;
    case ValueKind::String:
      r.kind = many ? PrimitiveSequence : Text;
      r.hostType = many ? primitiveSequenceType(d.kind) : "char";
      break;
    case ValueKind::Integer:
    case ValueKind::Real:
    case ValueKind::Boolean:
      r.kind = many ? PrimitiveSequence : Primitive;
      r.hostType = many ? primitiveSequenceType(d.kind) : primitiveType(d.kind, optional);
      break;
  }
  return r;
}

}  // namespace Zorvan::metamodel::types::xb
