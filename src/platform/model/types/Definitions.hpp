// What the types package's class definitions (.cpp) share: the qualified
// names their property tables refer to, modelled or not, and the makers of a
// class definition and its introspection record.
#pragma once

#include <types/Rules.hpp>
#include <types/Types.hpp>

#include <cstddef>

namespace Zorvan::metamodel::types {

namespace names {
inline constexpr char kApplicationValueSpecification[] = "Zorvan.metamodel.types.ApplicationValueSpecification";
inline constexpr char kAxis[] = "Zorvan.metamodel.types.Axis";
inline constexpr char kBoolean[] = "Zorvan.metamodel.types.Boolean";
inline constexpr char kCell[] = "Zorvan.metamodel.types.Cell";
inline constexpr char kComplex[] = "Zorvan.metamodel.types.Complex";
inline constexpr char kCompositeSpecification[] = "Zorvan.metamodel.types.CompositeSpecification";
inline constexpr char kCompuMethod[] = "Zorvan.metamodel.types.CompuMethod";
inline constexpr char kCompuMethodCategory[] = "Zorvan.metamodel.types.CompuMethodCategory";
inline constexpr char kConstantReference[] = "Zorvan.metamodel.types.ConstantReference";
inline constexpr char kConstantSpecification[] = "Zorvan.metamodel.types.ConstantSpecification";
inline constexpr char kDataConstr[] = "Zorvan.metamodel.types.DataConstr";
inline constexpr char kDataSize[] = "Zorvan.metamodel.types.DataSize";
inline constexpr char kDimension[] = "Zorvan.metamodel.types.Dimension";
inline constexpr char kEnumeration[] = "Zorvan.metamodel.types.Enumeration";
inline constexpr char kEnumerationLiteral[] = "Zorvan.metamodel.types.EnumerationLiteral";
inline constexpr char kEnumerationLiteralReference[] = "Zorvan.metamodel.types.EnumerationLiteralReference";
inline constexpr char kFixedPoint[] = "Zorvan.metamodel.types.FixedPoint";
inline constexpr char kFloatingPoint[] = "Zorvan.metamodel.types.FloatingPoint";
inline constexpr char kFloatingPointKind[] = "Zorvan.metamodel.types.FloatingPointKind";
inline constexpr char kInteger[] = "Zorvan.metamodel.types.Integer";
inline constexpr char kLiteralReal[] = "Zorvan.metamodel.types.LiteralReal";
inline constexpr char kLookupTableSpecification[] = "Zorvan.metamodel.types.LookupTableSpecification";
inline constexpr char kLookupTableType[] = "Zorvan.metamodel.types.LookupTableType";
inline constexpr char kMatrix[] = "Zorvan.metamodel.types.Matrix";
inline constexpr char kMatrixValueSpecification[] = "Zorvan.metamodel.types.MatrixValueSpecification";
inline constexpr char kPrimitiveType[] = "Zorvan.metamodel.types.PrimitiveType";
inline constexpr char kReal[] = "Zorvan.metamodel.types.Real";
inline constexpr char kSharedAxisType[] = "Zorvan.metamodel.types.SharedAxisType";
inline constexpr char kSlot[] = "Zorvan.metamodel.types.Slot";
inline constexpr char kString[] = "Zorvan.metamodel.types.String";
inline constexpr char kStructElement[] = "Zorvan.metamodel.types.StructElement";
inline constexpr char kStructure[] = "Zorvan.metamodel.types.Structure";
inline constexpr char kStructureValueSpecification[] = "Zorvan.metamodel.types.StructureValueSpecification";
inline constexpr char kSwAxisType[] = "Zorvan.metamodel.types.SwAxisType";
inline constexpr char kSwBaseType[] = "Zorvan.metamodel.types.SwBaseType";
inline constexpr char kSwGenericAxisParamType[] = "Zorvan.metamodel.types.SwGenericAxisParamType";
inline constexpr char kSwGenericAxisParamTypeCategory[] = "Zorvan.metamodel.types.SwGenericAxisParamTypeCategory";
inline constexpr char kSwRecordLayout[] = "Zorvan.metamodel.types.SwRecordLayout";
inline constexpr char kSwRecordLayoutGroup[] = "Zorvan.metamodel.types.SwRecordLayoutGroup";
inline constexpr char kSwRecordLayoutV[] = "Zorvan.metamodel.types.SwRecordLayoutV";
inline constexpr char kUnit[] = "Zorvan.metamodel.types.Unit";
inline constexpr char kValueElement[] = "Zorvan.metamodel.types.ValueElement";
inline constexpr char kVoidPointer[] = "Zorvan.metamodel.types.VoidPointer";
inline constexpr char kFoundationValueSpecification[] = "Zorvan.metamodel.foundation.ValueSpecification";
inline constexpr char kFoundationValueType[] = "Zorvan.metamodel.foundation.ValueType";
}  // namespace names

namespace definition {

using K = Ozo::meta::ValueKind;
using M = Ozo::meta::Multiplicity;
using D = Ozo::meta::Derivation;
using Ozo::meta::ClassDef;
using Ozo::meta::PropertyDef;

inline constexpr bool kAbstract = true;
inline constexpr bool kConcrete = false;
// A property the model derives: writes are refused.
inline constexpr bool kReadOnly = true;
// A property whose elements the element owns.
inline constexpr bool kOwns = true;

// Class `name` of this package under `super` with its own property table.
// Constant, so the definitions of the package's translation units need no
// particular start-up order.
template <std::size_t N>
constexpr ClassDef classDef(char const* name, ClassDef const& super, PropertyDef const (&own)[N], bool isAbstract) {
  return {name, kPackageName, &super, own, static_cast<unsigned>(N), isAbstract};
}

// A class without properties of its own.
constexpr ClassDef classDef(char const* name, ClassDef const& super, bool isAbstract) {
  return {name, kPackageName, &super, nullptr, 0, isAbstract};
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

// Creation operations that link the new element to the elements they are
// given check first what linking could refuse, since a model cannot take an
// element back: a refused creation leaves nothing behind. `owner` will own
// the new element, `owned` will be owned by it; either may be empty.
inline void checkLinkable(Ozo::Model const& model, char const* cls, Ozo::ImmutableObject const& owner,
                          Ozo::ImmutableObject const& owned = {}) {
  static constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/Definitions_h";
  for (Ozo::ImmutableObject const* e : {&owner, &owned})
    OZO_ASSERT_AT(kHeader, 112, !e->isValid() || e->get()->getModel(e->deviant()).get() == model.get(),
                  "A new %s can only be linked to elements of its own model", cls);
  if (!owned.isValid()) return;
  for (foundation::ImmutableElement a = foundation::ImmutableElement::cast(owner); a.isValid(); a = a.getOwner())
    OZO_ASSERT_AT(kHeader, 116, a.get() != owned.get(), "A new %s cannot own an element that owns it", cls);
}

// A value element (Cell, Slot) made in its composite, holding its value.
template <class X, class Composite, class Value>
X createValueElement(Ozo::Model const& model, char const* cls, Composite const& owningComposite, Value const& value,
                     Ozo::String const& name) {
  checkLinkable(model, cls, owningComposite, value);
  X const x = createNamed<X>(model, name);
  x.setOwningComposite(owningComposite);
  x.setValue(value);
  return x;
}

}  // namespace definition

}  // namespace Zorvan::metamodel::types
