// Unit as data, and its creation operations.
#include <types/Definitions.hpp>

namespace Zorvan::metamodel::types {

using namespace definition;

namespace {
constexpr PropertyDef kOwn[] = {
    {"ConvFactor", K::Real, M::One},
    {"ConvOffset", K::Real, M::One},
    {"ConvUnit", K::Element, M::ZeroOne, names::kUnit},
    {"Dimension", K::Element, M::ZeroOne, names::kDimension},
    {"Symbol", K::String, M::ZeroOne},
    {"UnitExpression", K::String, M::One},
    {"BaseUnit", K::Element, M::Many, names::kUnit},
    {"BaseExponent", K::Integer, M::Many},
    {"Superscript", K::String, M::Many},
    {"Subscript", K::String, M::Many},
};
}  // namespace

using I = NSInterface::UnitIntf;
constinit ClassDef const I::sClassDef =
    classDef("Unit", foundation::NSInterface::PackageableElementIntf::sClassDef, kOwn, kConcrete);
constinit Ozo::IntrospectiveMethods const I::sIntrospectiveMethods = introspection<I>();

ImmutableUnit ImmutableUnit::getConvUnit() const { return prop::get<Intf, 3, ImmutableUnit>(*this); }
ImmutableDimension ImmutableUnit::getDimension() const { return prop::get<Intf, 4, ImmutableDimension>(*this); }
Ozo::Collection<ImmutableUnit> ImmutableUnit::getBaseUnit() const {
  return prop::get<Intf, 7, Ozo::Collection<ImmutableUnit>>(*this);
}

// A new unit is its own base: factor 1, offset 0.
Unit Unit::create(Ozo::Model const& model) {
  Unit const x = Ozo::createElement<Unit>(model);
  x.setConvFactor(Ozo::Real(1));
  return x;
}

Unit Unit::create(Ozo::Model model, Ozo::String name) {
  Unit const x = create(model);
  x.setName(name);
  return x;
}

// ---------------------------------------------------------------------------
namespace {

constexpr char kHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesUnit_h";
constexpr int kNullRefLine = 99;

std::string nameOf(ImmutableUnit const& u) {
  std::string const name = u.getName().utf8();
  return name.empty() ? "an unnamed unit" : "\"" + name + "\"";
}

// The affine map from a unit to its base: base value = factor x value + offset.
struct ToBase {
  ImmutableUnit base;
  double factor = 1;
  double offset = 0;
};

// Follows ConvUnit to its end. A second walker at half speed meets the first
// exactly when the chain runs into a cycle: found without remembering the path.
ToBase toBase(ImmutableUnit const& unit) {
  unit.checked(kHeader, kNullRefLine);
  ToBase r{unit};
  ImmutableUnit slow = unit;
  for (std::size_t steps = 1;; ++steps) {
    ImmutableUnit const next = r.base.getConvUnit();
    if (!next.isValid()) return r;
    double const a = r.base.getConvFactor().value(), b = r.base.getConvOffset().value();
    r.offset = a * r.offset + b;
    r.factor = a * r.factor;
    r.base = next;
    if (steps % 2 == 0) slow = slow.getConvUnit();
    OZO_ASSERT_AT(kHeader, 120, r.base != slow, "The conversion units of %s form a cycle", nameOf(unit).c_str());
  }
}

std::vector<Ozo::Integer> exponents(ImmutableUnit const& unit) {
  ImmutableDimension const d = unit.getDimension();
  return d.isValid() ? d.getBaseExponent().values() : std::vector<Ozo::Integer>{};
}

// Exponents name base dimensions by position: trailing zeros say nothing.
bool sameExponents(ImmutableUnit const& a, ImmutableUnit const& b) {
  std::vector<Ozo::Integer> x = exponents(a), y = exponents(b);
  for (auto* v : {&x, &y})
    while (!v->empty() && v->back().value() == 0) v->pop_back();
  return x == y;
}

}  // namespace

Ozo::Real ImmutableUnit::convertToBase(Ozo::Real value) const {
  ToBase const t = toBase(*this);
  return Ozo::Real(t.factor * value.value() + t.offset);
}

Ozo::Collection<Ozo::Real> ImmutableUnit::getFactorAndOffsetToBase() const {
  ToBase const t = toBase(*this);
  return Ozo::makeCollection<Ozo::Real>(K::Real, {Ozo::Real(t.factor), Ozo::Real(t.offset)});
}

Ozo::Boolean ImmutableUnit::hasSameDimensions(ImmutableUnit const& other) const {
  checked(kHeader, kNullRefLine);
  other.checked(kHeader, kNullRefLine);
  return Ozo::Boolean(sameExponents(*this, other));
}

Ozo::Collection<Ozo::Integer> ImmutableUnit::getBaseDimensionExponents() const {
  checked(kHeader, kNullRefLine);
  return Ozo::makeCollection<Ozo::Integer>(K::Integer, exponents(*this));
}

Ozo::Real ImmutableUnit::convert(Ozo::Real value, ImmutableUnit const& target) const {
  checked(kHeader, kNullRefLine);
  target.checked(kHeader, kNullRefLine);
  ToBase const from = toBase(*this), to = toBase(target);
  OZO_ASSERT_AT(kHeader, 150, from.base == to.base, "Cannot convert from %s to %s: they have no common base unit",
                nameOf(*this).c_str(), nameOf(target).c_str());
  // A unit that states no dimension converts through the common base alone.
  bool const stated = getDimension().isValid() && target.getDimension().isValid();
  OZO_ASSERT_AT(kHeader, 152, !stated || sameExponents(*this, target),
                "Cannot convert from %s to %s: their dimensions differ", nameOf(*this).c_str(), nameOf(target).c_str());
  OZO_ASSERT_AT(kHeader, 154, to.factor != 0, "Cannot convert to %s: its conversion factor to the base is 0",
                nameOf(target).c_str());
  return Ozo::Real((from.factor * value.value() + from.offset - to.offset) / to.factor);
}

}  // namespace Zorvan::metamodel::types
