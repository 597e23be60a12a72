// What the types package's class definitions (.cpp) share: the qualified
// names their property tables refer to, modelled or not, and the makers of a
// class definition and its introspection record.
#pragma once

#include <types/Types.hpp>

#include <cstddef>

namespace Zorvan::metamodel::types {

namespace names {
inline constexpr char kAxis[] = "Zorvan.metamodel.types.Axis";
inline constexpr char kCompuMethod[] = "Zorvan.metamodel.types.CompuMethod";
inline constexpr char kDataConstr[] = "Zorvan.metamodel.types.DataConstr";
inline constexpr char kDataSize[] = "Zorvan.metamodel.types.DataSize";
inline constexpr char kLookupTableType[] = "Zorvan.metamodel.types.LookupTableType";
inline constexpr char kPrimitiveType[] = "Zorvan.metamodel.types.PrimitiveType";
inline constexpr char kSharedAxisType[] = "Zorvan.metamodel.types.SharedAxisType";
inline constexpr char kString[] = "Zorvan.metamodel.types.String";
inline constexpr char kSwBaseType[] = "Zorvan.metamodel.types.SwBaseType";
inline constexpr char kSwGenericAxisParamType[] = "Zorvan.metamodel.types.SwGenericAxisParamType";
inline constexpr char kSwGenericAxisParamTypeCategory[] = "Zorvan.metamodel.types.SwGenericAxisParamTypeCategory";
inline constexpr char kSwRecordLayout[] = "Zorvan.metamodel.types.SwRecordLayout";
inline constexpr char kSwRecordLayoutGroup[] = "Zorvan.metamodel.types.SwRecordLayoutGroup";
inline constexpr char kUnit[] = "Zorvan.metamodel.types.Unit";
}  // namespace names

namespace definition {

using K = Ozo::meta::ValueKind;
using M = Ozo::meta::Multiplicity;
using Ozo::meta::ClassDef;
using Ozo::meta::PropertyDef;

inline constexpr bool kAbstract = true;
inline constexpr bool kConcrete = false;
// A property the model derives: writes are refused.
inline constexpr bool kReadOnly = true;

// Class `name` of this package under `super` with its own property table.
// Constant, so the definitions of the package's translation units need no
// particular start-up order.
template <std::size_t N>
constexpr ClassDef classDef(char const* name, ClassDef const& super, PropertyDef const (&own)[N], bool isAbstract) {
  return {name, kPackageName, &super, own, static_cast<unsigned>(N), isAbstract};
}

// The introspection record of interface I: its definition and the runtime's
// reflective accessors for it.
template <class I>
constexpr Ozo::IntrospectiveMethods introspection() {
  return {&I::sClassDef, &Ozo::kElementAccessors<I::sClassDef>};
}

// A new X in `model`, named `name`.
template <class X>
X createNamed(Ozo::Model const& model, Ozo::String const& name) {
  X const x = X::create(model);
  x.setName(name);
  return x;
}

}  // namespace definition

}  // namespace Zorvan::metamodel::types
