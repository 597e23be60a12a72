// What a well-formed model of the package satisfies beyond what each write
// checks: the rules the runtime applies when it validates a model. Each rule
// looks at one element and what it links to; what it learns about shared
// elements (conversion chains, record layouts) it keeps for the rest of the
// run, so a model is checked in time linear in its size.
#include <types/Definitions.hpp>

#include <Ozo/Library.hpp>
#include <Ozo/Validation.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Zorvan::metamodel::types {

namespace {

using Ozo::Validation;

std::string number(double d) {
  if (std::isnan(d)) return "NaN";
  char buffer[32];
  auto const r = std::to_chars(buffer, buffer + sizeof buffer, d);
  return std::string(buffer, r.ptr);
}

std::string quoted(foundation::ImmutableNamedElement const& e, char const* unnamed) {
  std::string const name = e.getName().utf8();
  return name.empty() ? unnamed : "\"" + name + "\"";
}

template <class Intf>
Ozo::meta::PropertyDef const* property(unsigned index) {
  return Ozo::propertyOf(Intf::sClassDef, index);
}

// ---------------------------------------------------------------------------
// Axis: Dimensions is its number of points; symbolic dimensions, when given,
// name each of them.
void checkAxis(Ozo::ImmutableObject const& self, Validation& v) {
  ImmutableAxis const axis = ImmutableAxis::cast(self);
  std::int32_t const n = axis.getDimensions().value();
  if (n < 0) {
    v.error(self, property<NSInterface::AxisIntf>(3), "axis-dimensions",
            "Dimensions is " + std::to_string(n) + ": an axis cannot have fewer than 0 points");
    return;
  }
  std::size_t const symbols = axis.getSymbolicDimensions().size();
  // Dimensions is what sizes the axis: names that disagree are suspect, not fatal.
  if (symbols != 0 && symbols != static_cast<std::size_t>(n))
    v.warning(self, property<NSInterface::AxisIntf>(5), "axis-symbolic-dimensions",
            "SymbolicDimensions names " + std::to_string(symbols) + (symbols == 1 ? " point" : " points") +
                " but Dimensions is " + std::to_string(n));
}

// ---------------------------------------------------------------------------
// Units: what the ConvUnit chain from each unit leads to, found once per run.
struct UnitFacts {
  enum class End : std::uint8_t { Base, Cycle, Gone } end = End::Base;
  ImmutableUnit goneAt;  // End::Gone: the unit whose ConvUnit is in a model that is gone
  // The base dimension exponents (trailing zeros dropped) of the first unit
  // of the chain, this one included, that states a Dimension.
  std::optional<std::vector<std::int32_t>> dimension;
};
using UnitMemo = std::unordered_map<void const*, UnitFacts>;

std::optional<std::vector<std::int32_t>> statedDimension(ImmutableUnit const& u) {
  ImmutableDimension const d = u.getDimension();
  if (!d.isValid()) return std::nullopt;
  std::vector<std::int32_t> e;
  for (Ozo::Integer const& x : d.getBaseExponent().values()) e.push_back(x.value());
  while (!e.empty() && e.back() == 0) e.pop_back();
  return e;
}

// The facts of `unit`: the chain is walked until it ends, meets a unit
// whose facts are known or meets itself; every unit walked is then known.
UnitFacts const& factsOf(ImmutableUnit const& unit, UnitMemo& memo) {
  if (auto const it = memo.find(unit.get()); it != memo.end()) return it->second;
  std::vector<ImmutableUnit> path;
  std::unordered_map<void const*, std::size_t> onPath;
  UnitFacts after;  // what the chain leads to past the last unit of the path
  for (ImmutableUnit u = unit;;) {
    if (auto const it = memo.find(u.get()); it != memo.end()) {
      after = it->second;
      break;
    }
    if (onPath.contains(u.get())) {
      after.end = UnitFacts::End::Cycle;
      break;
    }
    onPath.emplace(u.get(), path.size());
    path.push_back(u);
    ImmutableUnit const next = u.getConvUnit();
    if (!next.isValid()) {
      if (Ozo::refersIntoGoneModel(u, NSInterface::UnitIntf::sClassDef, 3)) {
        after.end = UnitFacts::End::Gone;
        after.goneAt = u;
      }
      break;
    }
    u = next;
  }
  for (auto it = path.rbegin(); it != path.rend(); ++it) {
    UnitFacts f = after;
    if (auto own = statedDimension(*it)) f.dimension = std::move(own);
    after = f;
    memo[it->get()] = std::move(f);
  }
  return memo.at(unit.get());
}

void checkUnit(Ozo::ImmutableObject const& self, Validation& v) {
  ImmutableUnit const unit = ImmutableUnit::cast(self);
  UnitMemo& memo = v.memo<UnitMemo>();
  UnitFacts const facts = factsOf(unit, memo);
  auto const* const convUnit = property<NSInterface::UnitIntf>(3);
  std::string const name = quoted(unit, "an unnamed unit");
  switch (facts.end) {
    case UnitFacts::End::Cycle:
      v.error(self, convUnit, "unit-cycle", "The conversion units of " + name + " form a cycle");
      return;
    case UnitFacts::End::Gone:
      // A unit's own link into a model that is gone is reported as such.
      if (facts.goneAt != unit)
        v.error(self, convUnit, "unit-chain-gone",
                "The conversion chain of " + name + " reaches into a model that is gone (past " +
                    quoted(facts.goneAt, "an unnamed unit") + ")");
      break;
    case UnitFacts::End::Base: break;
  }
  ImmutableUnit const next = unit.getConvUnit();
  auto const own = statedDimension(unit);
  if (!own || !next.isValid()) return;
  UnitFacts const& below = factsOf(next, memo);
  if (below.dimension && *below.dimension != *own)
    v.error(self, convUnit, "unit-dimensions",
            name + " converts to " + quoted(next, "an unnamed unit") + " but their dimensions differ");
}

// ---------------------------------------------------------------------------
// Enumeration: each literal is told apart by its value and by its name.
void checkEnumeration(Ozo::ImmutableObject const& self, Validation& v) {
  ImmutableEnumeration const e = ImmutableEnumeration::cast(self);
  auto const* const literals = property<NSInterface::EnumerationIntf>(1);
  std::unordered_map<std::int32_t, std::string> byValue;
  std::unordered_map<std::u16string, std::size_t> byName;
  for (ImmutableEnumerationLiteral const& l : e.getOwnedLiteral().values()) {
    if (!l.isValid()) continue;
    std::string const name = quoted(l, "an unnamed literal");
    std::int32_t const value = l.getValue().value();
    if (auto const [it, added] = byValue.try_emplace(value, name); !added)
      v.error(self, literals, "enumeration-literal-value",
              "Literals " + it->second + " and " + name + " have the same value " + std::to_string(value));
    std::u16string const text = l.getName().text();
    if (!text.empty() && ++byName[text] == 2)
      v.error(self, literals, "enumeration-literal-name", "Two literals are named " + name);
  }
}

// ---------------------------------------------------------------------------
// Fixed point: the fraction is part of the word.
void checkFixedPoint(Ozo::ImmutableObject const& self, Validation& v) {
  ImmutableFixedPoint const f = ImmutableFixedPoint::cast(self);
  Ozo::ImmutableObject const fraction = f.getFractionLength();
  Ozo::ImmutableObject const length = f.getLength();
  if (!fraction.isValid() || !length.isValid()) return;
  DataSize const fl(fraction), l(length);
  if (l < fl)
    v.error(self, property<NSInterface::FixedPointIntf>(3), "fixed-point-fraction",
            "FractionLength " + fl.toString().utf8() + " exceeds Length " + l.toString().utf8());
}

// ---------------------------------------------------------------------------
// Real types (Integer, Enumeration, FixedPoint, ...): the range holds a value.
void checkRange(Ozo::ImmutableObject const& self, Validation& v) {
  ImmutableReal const r = ImmutableReal::cast(self);
  auto const lo = r.getMinValue(), hi = r.getMaxValue();
  auto const* const minValue = property<NSInterface::RealIntf>(1);
  for (auto const& [bound, which] : {std::pair{lo, minValue}, std::pair{hi, property<NSInterface::RealIntf>(2)}})
    if (bound && std::isnan(bound->value()))
      v.error(self, which, "range-bounds", std::string(Ozo::hostNameOf(*which)) + " is not a number");
  if (!lo || !hi || std::isnan(lo->value()) || std::isnan(hi->value())) return;
  double const a = lo->value(), b = hi->value();
  if (a > b)
    v.error(self, minValue, "range-bounds", "minValue " + number(a) + " exceeds maxValue " + number(b));
  else if (a == b && (r.getIsMinOpen().value() || r.getIsMaxOpen().value()))
    v.error(self, minValue, "range-bounds",
            "minValue and maxValue are both " + number(a) + " and the range is open: it holds no value");
}

// ---------------------------------------------------------------------------
// Lookup tables: the record layout lays out the table's data, axis by axis
// (entries of axis 0 hold the values), so the highest axis it names is the
// table's number of axes.
using LayoutMemo = std::unordered_map<void const*, std::optional<std::int32_t>>;

// The highest axis number in the layout; none when it lays out nothing.
std::optional<std::int32_t> highestAxis(ImmutableSwRecordLayout const& layout, LayoutMemo& memo) {
  if (auto const it = memo.find(layout.get()); it != memo.end()) return it->second;
  std::optional<std::int32_t> top;
  auto see = [&top](std::int32_t axis) { top = top ? std::max(*top, axis) : axis; };
  std::vector<ImmutableSwRecordLayoutGroup> pending;
  if (ImmutableSwRecordLayoutGroup const g = layout.getSwRecordLayoutGroup(); g.isValid()) pending.push_back(g);
  while (!pending.empty()) {
    ImmutableSwRecordLayoutGroup const g = pending.back();
    pending.pop_back();
    if (auto const axis = g.getSwRecordLayoutGroupAxis()) see(axis->value());
    for (ImmutableSwRecordLayoutV const& entry : g.getSwRecordLayoutV().values())
      if (entry.isValid()) see(entry.getSwRecordLayoutVAxis().value());
    for (ImmutableSwRecordLayoutGroup const& inner : g.getSwRecordLayoutGroup().values())
      if (inner.isValid()) pending.push_back(inner);
  }
  return memo[layout.get()] = top;
}

void checkLookupTable(Ozo::ImmutableObject const& self, Validation& v) {
  ImmutableLookupTableType const t = ImmutableLookupTableType::cast(self);
  ImmutableSwRecordLayout const layout = t.getSwRecordLayout();
  if (!layout.isValid()) return;
  auto const top = highestAxis(layout, v.memo<LayoutMemo>());
  std::size_t const axes = t.getAxes().size();
  if (top && *top >= 0 && static_cast<std::size_t>(*top) != axes)
    v.error(self, property<NSInterface::LookupTableTypeIntf>(3), "lookup-table-layout",
            "The table has " + std::to_string(axes) + (axes == 1 ? " axis" : " axes") + " but its record layout" +
                (layout.getName().empty() ? std::string() : " " + quoted(layout, "")) + " lays out " +
                std::to_string(*top));
}

[[maybe_unused]] bool const registered = [] {
  Ozo::registerValidationRule(NSInterface::AxisIntf::sClassDef, &checkAxis);
  Ozo::registerValidationRule(NSInterface::UnitIntf::sClassDef, &checkUnit);
  Ozo::registerValidationRule(NSInterface::EnumerationIntf::sClassDef, &checkEnumeration);
  Ozo::registerValidationRule(NSInterface::FixedPointIntf::sClassDef, &checkFixedPoint);
  Ozo::registerValidationRule(NSInterface::RealIntf::sClassDef, &checkRange);
  Ozo::registerValidationRule(NSInterface::LookupTableTypeIntf::sClassDef, &checkLookupTable);
  // Application types: no memory layout (and, for a pointer, no base type) is
  // what makes them so.
  Ozo::allowUnset(NSInterface::LookupTableTypeIntf::sClassDef, 1);
  Ozo::allowUnset(NSInterface::SharedAxisTypeIntf::sClassDef, 1);
  Ozo::allowUnset(NSInterface::VoidPointerIntf::sClassDef, 2);
  return true;
}();

}  // namespace

}  // namespace Zorvan::metamodel::types
