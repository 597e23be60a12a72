// What model libraries tell the runtime about their classes and value types,
// so that the runtime's generic services (loading a saved model, copying
// elements) can make elements and values it has no C++ types for.
//
// A library registers each creatable element class with the function that
// makes one (the class's own create, so the element has its class's
// interface), and each value type with the two functions that take a value
// apart into plain parts and put it back together.
#pragma once

#include <Ozo/Meta.hpp>

#include <cstdint>
#include <string>
#include <string_view>

namespace Ozo {

// Makes a new element of one class in a model (with the class's defaults).
using ElementCreator = Object (*)(Model const& model);

// Enters a concrete class under its qualified name ("Zorvan.metamodel.types.Axis").
// Registering a class again changes nothing. Cheap: the class's meta class
// is built when it is first needed, not here.
void registerElementClass(meta::ClassDef const& def, ElementCreator create);

struct RegisteredClass {
  meta::ClassDef const* def;
  ElementCreator create;
};
// The registered class of that qualified name, or null.
RegisteredClass const* registeredClass(std::string_view qualifiedName);

// A value in plain parts. An enumeration literal is its name alone
// (`literal`); an amount is a number with its unit's literal name.
struct ValueParts {
  enum class Shape : std::uint8_t { Literal, WholeAmount, RealAmount } shape = Shape::Literal;
  std::string literal;  // the enumeration literal, or the amount's unit
  std::int32_t whole = 0;
  double real = 0;
};

struct ValueCodec {
  char const* typeName;  // qualified: "Zorvan.metamodel.types.DataSize"
  ValueParts::Shape shape;
  ValueParts (*split)(ImmutableObject const& value);
  // The value of the parts; fails naming what is wrong (an unknown literal).
  Object (*join)(ValueParts const& parts);
};

// The host's spelling of a model property where it differs from the
// model's ("minValue" for MinValue): saved documents and comparisons name
// properties as host users know them. Bindings register it when they
// publish the class.
void registerHostName(meta::PropertyDef const& def, char const* hostName);
// The host's name of the property: the registered spelling, else the model's.
char const* hostNameOf(meta::PropertyDef const& def);
// Changes whenever a host name is registered (for caches built from them).
std::uint64_t hostNamesVersion();

void registerValueType(ValueCodec const& codec);
// The codec of a value type by qualified name, or null.
ValueCodec const* valueCodec(std::string_view typeName);

}  // namespace Ozo
