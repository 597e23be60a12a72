#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types::rules {

namespace {

Ozo::Object real(double v) { return Ozo::Object(Ozo::Real(v)); }
Ozo::Object boolean(bool v) { return Ozo::Object(Ozo::Boolean(v)); }

// A value brought into a real type's bounds, where they are set.
double clampToRange(ImmutableReal const& type, double v) {
  if (auto const lo = type.getMinValue(); lo && v < lo->value()) v = lo->value();
  if (auto const hi = type.getMaxValue(); hi && v > hi->value()) v = hi->value();
  return v;
}

// The smallest literal value of an enumeration, if it has literals.
std::optional<std::int32_t> smallestLiteral(ImmutableEnumeration const& e) {
  std::optional<std::int32_t> r;
  for (ImmutableEnumerationLiteral const& l : e.getOwnedLiteral().values()) {
    std::int32_t const v = l.getValue().value();
    if (!r || v < *r) r = v;
  }
  return r;
}

}  // namespace

Ozo::Object groundValue(Ozo::ImmutableObject const& self) {
  double v = 0;
  if (auto const e = ImmutableEnumeration::cast(self); e.isValid()) {
    if (auto const d = e.getDefaultValue())
      v = d->value();
    else if (auto const s = smallestLiteral(e))
      v = *s;
  } else if (auto const f = ImmutableFixedPoint::cast(self); f.isValid()) {
    if (auto const bias = f.getBias()) v = bias->value();
  }
  if (auto const r = ImmutableReal::cast(self); r.isValid()) v = clampToRange(r, v);
  return real(v);
}

Ozo::Object fixedPointSlope(Ozo::ImmutableObject const& self) {
  ImmutableFixedPoint const f = ImmutableFixedPoint::cast(self);
  double const slope = f.getFractionalSlope().value_or(Ozo::Real(1)).value();
  Ozo::ImmutableObject const length = f.getFractionLength();
  double const bits = length.isValid() ? DataSize(length).bits() : 0.0;
  return real(slope * std::exp2(-bits));
}

Ozo::Object literalHasValidValue(Ozo::ImmutableObject const& self) {
  ImmutableEnumerationLiteral const l = ImmutableEnumerationLiteral::cast(self);
  ImmutableEnumeration const e = l.getEnumeration();
  if (!e.isValid()) return boolean(false);
  std::int32_t const v = l.getValue().value();
  if (clampToRange(e, v) != v) return boolean(false);
  for (ImmutableEnumerationLiteral const& other : e.getOwnedLiteral().values())
    if (other != l && other.getValue().value() == v) return boolean(false);
  return boolean(true);
}

Ozo::Object literalIsSecure(Ozo::ImmutableObject const& self) {
  ImmutableEnumerationLiteral const l = ImmutableEnumerationLiteral::cast(self);
  bool const valid = Ozo::Boolean(literalHasValidValue(self)).value();
  return boolean(valid && !l.getPisUserDefined().value());
}

Ozo::Object stringCategory(Ozo::ImmutableObject const& self) {
  bool const variable = ImmutableString::cast(self).getIsVariableSize().value();
  return Ozo::Object(Ozo::String(variable ? "VARIABLE_LENGTH" : "FIXED_LENGTH"));
}

Ozo::Object referencedType(Ozo::ImmutableObject const& self) {
  ImmutableStructElement const e = ImmutableStructElement::cast(self);
  foundation::ImmutableValueType const inlineType = e.getInlineType();
  return Ozo::Object(inlineType.isValid() ? Ozo::ImmutableObject(inlineType) : Ozo::ImmutableObject(e.getType()));
}

Ozo::Object lookupTableDimensions(Ozo::ImmutableObject const& self) {
  std::size_t const n = ImmutableLookupTableType::cast(self).getAxes().size();
  return Ozo::Object(Ozo::Integer(static_cast<std::int32_t>(n)));
}

Ozo::Object lookupTableCategory(Ozo::ImmutableObject const& self) {
  static char const* const kShapes[] = {"VALUE", "CURVE", "MAP", "CUBOID"};
  std::size_t const n = ImmutableLookupTableType::cast(self).getAxes().size();
  std::string const shape = n < std::size(kShapes) ? kShapes[n] : "CUBE_" + std::to_string(n);
  return Ozo::Object(Ozo::String(shape));
}

Ozo::Object lookupTableIsApplication(Ozo::ImmutableObject const& self) {
  return boolean(!ImmutableLookupTableType::cast(self).getSwRecordLayout().isValid());
}

Ozo::Object sharedAxisIsApplication(Ozo::ImmutableObject const& self) {
  return boolean(!ImmutableSharedAxisType::cast(self).getSwRecordLayout().isValid());
}

Ozo::Object voidPointerIsApplication(Ozo::ImmutableObject const& self) {
  return boolean(!ImmutableVoidPointer::cast(self).getSwBaseType().isValid());
}

}  // namespace Zorvan::metamodel::types::rules
