// The module's own property kinds for rows made from the model's property
// tables: the primitive kind and one kind per value type.
#include "elements/ClassFile.hpp"
#include "marshal/ValueProperties.hpp"

#include <types/Classes.hpp>

#include <string_view>

namespace Zorvan::metamodel::types::xb {

Ozo::xb::PropertyKind TypesRows::valueKind(char const* typeName) {
  std::string_view const name = typeName ? typeName : "";
  std::string_view const package = name.substr(0, name.rfind('.'));
  std::string_view const shortName = name.substr(name.rfind('.') + 1);
  Ozo::xb::PropertyKind kind = nullptr;
  forEachOf<IsValue>([&]<class V>() {
    if (package == kPackageName && shortName == V::name) kind = Ozo::xb::kinds::ValueType<V>;
  });
  OZO_ASSERT_AT("ozo_xb/marshal/OzoxbPropertyFactory", 52, kind != nullptr, "no value type \"%s\"", name.data());
  return kind;
}

}  // namespace Zorvan::metamodel::types::xb
