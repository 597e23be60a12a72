// What a user of the element catalogue relies on: derived properties follow
// their sources, units convert exactly or fail clearly, literal references
// answer from their literal, ownership stays consistent from both ends.
#include <types/Types.hpp>

#include "platform/ozo/TestClasses.hpp"
#include "support/AssertionText.hpp"

#include <cmath>
#include <functional>
#include <optional>
#include <utility>
#include <string>
#include <vector>

namespace {

namespace types = Zorvan::metamodel::types;
namespace foundation = Zorvan::metamodel::foundation;
using namespace types;
using ozotest::failure;
using testsupport::assertionText;
using testsupport::nullRefText;

constexpr char kUnitH[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesUnit_h";

Ozo::String S(char const* s) { return Ozo::String(s); }
Ozo::Object bits(int n, DataSizeUnitKind::Value u = DataSizeUnitKind::Bit) {
  return Ozo::Object(DataSize(Ozo::Integer(n), u));
}
bool ownsItself(std::string const& error) { return error.find("would own itself") != std::string::npos; }
// The same element in the modifiable handle of one of its model superclasses.
template <class To, class From>
To as(From const& f) {
  return To(f.intf(), f.deviant());
}
template <class A, class B>
bool same(A const& a, B const& b) {
  return a.get() == b.get();
}

class Catalogue : public ozotest::LiveCountTest {
 protected:
  Ozo::Model const m = Ozo::Model::create();
};

// ---------------------------------------------------------------------------
TEST_F(Catalogue, CategoriesAndApplicationFlagsFollowTheStructure) {
  LookupTableType const t = LookupTableType::create(m);
  struct Row { int dims; char const* category; };
  Row const rows[] = {{0, "VALUE"}, {1, "CURVE"}, {2, "MAP"}, {3, "CUBOID"}, {4, "CUBE_4"}, {5, "CUBE_5"}};
  for (Row const& r : rows) {
    if (r.dims > 0) t.getAxes().push_back(Axis::create(m));
    EXPECT_EQ(t.getDimensions().value(), r.dims);
    EXPECT_EQ(t.getCategory().utf8(), r.category);
  }
  t.getAxes().erase(0);
  t.getAxes().erase(0);
  EXPECT_EQ(t.getCategory().utf8(), "CUBOID");

  // An application type is one without an implementation layout.
  EXPECT_TRUE(t.getIsApplication().value());
  t.setSwRecordLayout(SwRecordLayout::create(m));
  EXPECT_FALSE(t.getIsApplication().value());
  t.setSwRecordLayout({});
  EXPECT_TRUE(t.getIsApplication().value());

  SharedAxisType const s = SharedAxisType::create(m);
  EXPECT_TRUE(s.getIsApplication().value());
  s.setSwRecordLayout(SwRecordLayout::create(m));
  EXPECT_FALSE(s.getIsApplication().value());
  VoidPointer const v = VoidPointer::create(m);
  EXPECT_TRUE(v.getIsApplication().value());
  v.setSwBaseType(SwBaseType::create(m));
  EXPECT_FALSE(v.getIsApplication().value());

  types::String const str = types::String::create(m);
  EXPECT_EQ(str.getCategory().utf8(), "FIXED_LENGTH");
  str.setIsVariableSize(Ozo::Boolean(true));
  EXPECT_EQ(str.getCategory().utf8(), "VARIABLE_LENGTH");
}

TEST_F(Catalogue, FixedPointSlopeIsFractionalSlopeOverTwoToTheFractionLength) {
  FixedPoint const f = FixedPoint::create(m);
  struct Row { std::optional<double> fractional; Ozo::Object length; double slope; };
  Row const rows[] = {{{}, {}, 1.0},
                      {0.5, {}, 0.5},
                      {{}, bits(3), 0.125},
                      {3.0, bits(1, DataSizeUnitKind::Byte), 3.0 / 256},
                      {{}, bits(0), 1.0}};
  for (Row const& r : rows) {
    f.setFractionalSlope(r.fractional ? std::optional(Ozo::Real(*r.fractional)) : std::nullopt);
    f.setFractionLength(r.length);
    EXPECT_EQ(f.getSlope().value(), r.slope);
  }
  EXPECT_EQ(failure([&] { prop::set<NSInterface::FixedPointIntf, 6>(f, Ozo::Real(2)); }),
            "Assertion failed: Property FixedPoint.Slope is read-only at ozo/Ozo/ClassObject:231: ");
  EXPECT_EQ(f.getSlope().value(), 1.0);
}

TEST_F(Catalogue, ReferencedTypeIsTheInlineTypeWhenThereIsOne) {
  StructElement const e = StructElement::create(m);
  EXPECT_FALSE(e.getReferencedType().isValid());
  Integer const named = Integer::create(m);
  Structure const inlined = Structure::create(m);
  e.setType(named);
  EXPECT_TRUE(same(e.getReferencedType(), named));
  e.setInlineType(inlined);
  EXPECT_TRUE(same(e.getReferencedType(), inlined));
  e.setInlineType({});
  EXPECT_TRUE(same(e.getReferencedType(), named));
}

TEST_F(Catalogue, GroundValueIsWhatRawZeroStandsFor) {
  Integer const i = Integer::create(m);
  EXPECT_EQ(i.getGroundValue().value(), 0);
  i.setMinValue(Ozo::Real(5));
  EXPECT_EQ(i.getGroundValue().value(), 5) << "brought into the type's range";
  i.setMinValue({});
  i.setMaxValue(Ozo::Real(-2));
  EXPECT_EQ(i.getGroundValue().value(), -2);

  FixedPoint const f = FixedPoint::create(m);
  f.setBias(Ozo::Real(7.5));
  EXPECT_EQ(f.getGroundValue().value(), 7.5);

  Enumeration const e = Enumeration::create(m);
  EXPECT_EQ(e.getGroundValue().value(), 0);
  EnumerationLiteral::create(m, Ozo::Integer(9), Ozo::Integer(0), e, S("nine"));
  EnumerationLiteral::create(m, Ozo::Integer(3), Ozo::Integer(0), e, S("three"));
  EXPECT_EQ(e.getGroundValue().value(), 3) << "the smallest literal";
  e.setDefaultValue(Ozo::Real(9));
  EXPECT_EQ(e.getGroundValue().value(), 9) << "the default wins";
  EXPECT_EQ(ImmutablePrimitiveType::cast(e).getGroundValue().value(), 9);

  EXPECT_EQ(types::String::create(m).getGroundValue().value(), 0);
}

TEST_F(Catalogue, LiteralValidityAndSecurity) {
  EnumerationLiteral const loose = EnumerationLiteral::create(m);
  EXPECT_FALSE(loose.getHasValidValue().value()) << "no enumeration";
  Enumeration const e = Enumeration::create(m);
  EnumerationLiteral const a = EnumerationLiteral::create(m, Ozo::Integer(1), Ozo::Integer(0), e, S("a"));
  EnumerationLiteral const b = EnumerationLiteral::create(m, Ozo::Integer(2), Ozo::Integer(0), e, S("b"));
  EXPECT_TRUE(a.getHasValidValue().value());
  EXPECT_TRUE(a.getIsSecure().value());
  a.setPisUserDefined(Ozo::Boolean(true));
  EXPECT_TRUE(a.getHasValidValue().value());
  EXPECT_FALSE(a.getIsSecure().value()) << "a user-defined value is not secure";
  b.setValue(Ozo::Integer(1));
  EXPECT_FALSE(b.getHasValidValue().value()) << "two literals share a value";
  EXPECT_FALSE(b.getIsSecure().value());
  b.setValue(Ozo::Integer(2));
  e.setMaxValue(Ozo::Real(1));
  EXPECT_FALSE(b.getHasValidValue().value()) << "outside the enumeration's range";
  EXPECT_TRUE(a.getHasValidValue().value());
}

// ---------------------------------------------------------------------------
class Units : public Catalogue {
 protected:
  Unit unit(char const* name, Unit const& to = {}, double factor = 1, double offset = 0) const {
    Unit const u = Unit::create(m, S(name));
    u.setConvUnit(to);
    u.setConvFactor(Ozo::Real(factor));
    u.setConvOffset(Ozo::Real(offset));
    return u;
  }
  Dimension dimension(std::vector<int> const& exponents) const {
    Dimension const d = Dimension::create(m);
    for (int x : exponents) d.getBaseExponent().push_back(Ozo::Integer(x));
    return d;
  }
};

TEST_F(Units, AffineChainsConvertBothWays) {
  Unit const fresh = Unit::create(m);  // its own base
  EXPECT_EQ(fresh.getConvFactor().value(), 1);
  EXPECT_EQ(fresh.getConvOffset().value(), 0);
  Unit const k = unit("K");
  Unit const c = unit("degC", k, 1, 273.15);
  Unit const f = unit("degF", c, 5.0 / 9, -160.0 / 9);  // through Celsius: the chain composes
  std::vector<double> fo;
  for (Ozo::Real x : f.getFactorAndOffsetToBase().values()) fo.push_back(x.value());
  ASSERT_EQ(fo.size(), 2u);
  EXPECT_NEAR(fo[0], 5.0 / 9, 1e-15);
  EXPECT_NEAR(fo[1], 273.15 - 160.0 / 9, 1e-12);
  struct Row { Unit from; double value; Unit to; double expected; };
  Row const rows[] = {{c, 0, k, 273.15},   {f, 212, c, 100},  {c, 0, f, 32},          {f, -40, c, -40},
                      {k, 300, f, 80.33},  {f, 32, k, 273.15}, {k, 0, c, -273.15},    {f, 98.6, f, 98.6}};
  for (Row const& r : rows)
    EXPECT_NEAR(r.from.convert(Ozo::Real(r.value), r.to).value(), r.expected, 1e-9)
        << r.from.getName().utf8() << " -> " << r.to.getName().utf8();
  EXPECT_NEAR(f.convertToBase(Ozo::Real(212)).value(), 373.15, 1e-9);
}

// A later link with both a factor and an offset: its factor scales the
// offset gathered so far (degC -> K -> mK is x 1000 of (x + 273.15)).
TEST_F(Units, ALaterLinksFactorScalesTheOffsetBeforeIt) {
  Unit const mk = unit("mK");
  Unit const k = unit("K", mk, 1000);
  Unit const c = unit("degC", k, 1, 273.15);
  Unit const odd = unit("odd", unit("base"), 3, 7);
  Unit const first = unit("first", odd, 2, 5);  // base = 3 x (2x + 5) + 7 = 6x + 22
  auto const factorAndOffset = [](Unit const& u) {
    std::vector<double> r;
    for (Ozo::Real x : u.getFactorAndOffsetToBase().values()) r.push_back(x.value());
    return r;
  };
  EXPECT_EQ(factorAndOffset(first), (std::vector<double>{6, 22}));
  std::vector<double> const fo = factorAndOffset(c);
  ASSERT_EQ(fo.size(), 2u);
  EXPECT_EQ(fo[0], 1000);
  EXPECT_NEAR(fo[1], 273150, 1e-9);
  EXPECT_NEAR(c.convertToBase(Ozo::Real(100)).value(), 373150, 1e-9);
  EXPECT_NEAR(c.convert(Ozo::Real(-273.15), mk).value(), 0, 1e-9);
  EXPECT_NEAR(mk.convert(Ozo::Real(273150), c).value(), 0, 1e-9);
  EXPECT_EQ(first.convert(Ozo::Real(1), odd).value(), 7) << "2 x 1 + 5";
  EXPECT_EQ(odd.convert(Ozo::Real(7), first).value(), 1) << "(3 x 7 + 7 - 22) / 6 through the base";
}

TEST_F(Units, CyclesAreFoundWithoutHanging) {
  Unit const self = unit("self");
  self.setConvUnit(self);
  std::vector<Unit> ring;
  for (std::size_t i = 0; i < 9; ++i) ring.push_back(unit(("r" + std::to_string(i)).c_str()));
  for (std::size_t i = 0; i < 9; ++i) ring[i].setConvUnit(ring[(i + 1) % 9]);
  Unit const lead = unit("lead", unit("lead2", unit("lead3", ring[4])));
  Unit const fine = unit("fine");
  for (Unit const& u : {self, ring[0], lead}) {
    std::string const cycle = "The conversion units of \"" + u.getName().utf8() + "\" form a cycle";
    EXPECT_EQ(failure([&] { u.convertToBase(Ozo::Real(1)); }), assertionText(cycle, kUnitH, 120));
    EXPECT_EQ(failure([&] { u.getFactorAndOffsetToBase(); }), assertionText(cycle, kUnitH, 120));
    EXPECT_EQ(failure([&] { fine.convert(Ozo::Real(1), u); }), assertionText(cycle, kUnitH, 120));
  }
}

TEST_F(Units, IncompatibleUnitsAreRefused) {
  Unit const metre = unit("m"), second = unit("s");
  Unit const km = unit("km", metre, 1000);
  EXPECT_EQ(failure([&] { km.convert(Ozo::Real(1), second); }),
            assertionText("Cannot convert from \"km\" to \"s\": they have no common base unit", kUnitH, 150));
  // Same base, stated dimensions that differ.
  Unit const odd = unit("odd", metre, 2);
  metre.setDimension(dimension({1}));
  km.setDimension(dimension({1, 0, 0}));
  odd.setDimension(dimension({0, 0, 1}));
  EXPECT_NEAR(km.convert(Ozo::Real(2), metre).value(), 2000, 1e-9) << "trailing zero exponents change nothing";
  EXPECT_EQ(failure([&] { km.convert(Ozo::Real(1), odd); }),
            assertionText("Cannot convert from \"km\" to \"odd\": their dimensions differ", kUnitH, 152));
  Unit const flat = unit("flat", metre, 0);
  EXPECT_EQ(failure([&] { km.convert(Ozo::Real(1), flat); }),
            assertionText("Cannot convert to \"flat\": its conversion factor to the base is 0", kUnitH, 154));
  EXPECT_EQ(flat.convertToBase(Ozo::Real(5)).value(), 0) << "to the base is still defined";
}

TEST_F(Units, DimensionsComeFromTheUnitsDimension) {
  Unit const metre = unit("m"), inch = unit("in", metre, 0.0254), bare = unit("bare", metre, 2);
  metre.setDimension(dimension({1, 0, 0}));
  inch.setDimension(dimension({1}));
  std::vector<int> x;
  for (Ozo::Integer i : metre.getBaseDimensionExponents().values()) x.push_back(i.value());
  EXPECT_EQ(x, (std::vector<int>{1, 0, 0}));
  EXPECT_TRUE(metre.hasSameDimensions(inch).value());
  EXPECT_TRUE(bare.getBaseDimensionExponents().empty());
  EXPECT_FALSE(bare.hasSameDimensions(metre).value()) << "no dimension is not length";
  EXPECT_TRUE(bare.hasSameDimensions(unit("other")).value());
  // Without a stated dimension a unit still converts through the common base.
  EXPECT_NEAR(bare.convert(Ozo::Real(1), inch).value(), 2 / 0.0254, 1e-9);
  EXPECT_NEAR(inch.convert(Ozo::Real(1), bare).value(), 0.0127, 1e-15);
}

TEST_F(Units, EmptyHandlesFailAsNullReferences) {
  ImmutableUnit const none;
  Unit const u = unit("u");
  std::string const expected = nullRefText(kUnitH, 99);
  EXPECT_EQ(failure([&] { none.convertToBase(Ozo::Real(1)); }), expected);
  EXPECT_EQ(failure([&] { none.getBaseDimensionExponents(); }), expected);
  EXPECT_EQ(failure([&] { u.convert(Ozo::Real(1), none); }), expected);
  EXPECT_EQ(failure([&] { u.hasSameDimensions(none); }), expected);
}

// ---------------------------------------------------------------------------
TEST_F(Catalogue, LiteralReferencesAnswerFromTheirLiteral) {
  EnumerationLiteralReference const r = EnumerationLiteralReference::create(m);
  EXPECT_FALSE(r.isComputable().value());
  EXPECT_EQ(r.stringValue().utf8(), "");
  EnumerationLiteral const red = EnumerationLiteral::create(m, Ozo::Integer(1), Ozo::Integer(1), {}, S("RED"));
  r.setValue(red);
  EXPECT_TRUE(r.isComputable().value());
  EXPECT_EQ(r.stringValue().utf8(), "RED");
  red.setName(S("CRIMSON"));
  EXPECT_EQ(r.stringValue().utf8(), "CRIMSON");
  r.setLiteralText(S("Red"));
  EXPECT_EQ(r.stringValue().utf8(), "Red");
  r.setValue({});
  EXPECT_FALSE(r.isComputable().value()) << "text alone computes nothing";

  ImmutableEnumerationLiteralReference const none;
  std::string const expected =
      nullRefText("mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesEnumerationLiteralReference_h", 98);
  EXPECT_EQ(failure([&] { none.isComputable(); }), expected);
  EXPECT_EQ(failure([&] { none.stringValue(); }), expected);
}

// ---------------------------------------------------------------------------
TEST_F(Catalogue, OwnershipPairsStayConsistentFromBothEnds) {
  Enumeration const e = Enumeration::create(m), e2 = Enumeration::create(m);
  EnumerationLiteral const l = EnumerationLiteral::create(m, Ozo::Integer(1), Ozo::Integer(0), e, S("l"));
  ASSERT_EQ(e.getOwnedLiteral().size(), 1u);
  EXPECT_TRUE(same(e.getOwnedLiteral().at(0), l));
  EXPECT_TRUE(same(l.getEnumeration(), e));
  EXPECT_TRUE(same(l.getOwner(), e));
  ASSERT_EQ(e.getOwnedElement().size(), 1u);
  EXPECT_TRUE(same(e.getOwnedElement().at(0), l));

  l.setEnumeration(e2);  // moves
  EXPECT_EQ(e.getOwnedLiteral().size(), 0u);
  EXPECT_TRUE(same(e2.getOwnedLiteral().at(0), l));
  EXPECT_TRUE(same(l.getOwner(), e2));
  e2.getOwnedLiteral().erase(0);  // from the owner's end
  EXPECT_FALSE(l.getEnumeration().isValid());
  EXPECT_FALSE(l.getOwner().isValid());
  EXPECT_EQ(l.getName().utf8(), "l") << "still alive, ownerless";
  e.getOwnedLiteral().push_back(l);
  EXPECT_TRUE(same(l.getEnumeration(), e));
  l.setEnumeration({});
  EXPECT_EQ(e.getOwnedLiteral().size(), 0u);

  MatrixValueSpecification const mv = MatrixValueSpecification::create(m);
  LiteralReal const one = LiteralReal::create(m, Ozo::Real(1), S("one"));
  Cell const c = Cell::create(m, as<CompositeSpecification>(mv), as<foundation::ValueSpecification>(one), S("c"));
  EXPECT_TRUE(same(mv.getOwnedCell().at(0), c));
  EXPECT_TRUE(same(c.getOwningComposite(), mv));
  EXPECT_TRUE(same(one.getOwner(), c)) << "a value element owns its value";
  StructureValueSpecification const sv = StructureValueSpecification::create(m);
  Slot const slot = Slot::create(m, as<CompositeSpecification>(sv), {}, S("s"));
  EXPECT_TRUE(same(sv.getOwnedSlot().at(0), slot));
  c.setOwningComposite(sv);  // a Cell fits only the general list there
  EXPECT_EQ(mv.getOwnedCell().size(), 0u);
  EXPECT_TRUE(same(sv.getOwnedValue().at(0), c));
  EXPECT_TRUE(same(c.getOwningComposite(), sv));
  sv.getOwnedValue().erase(0);
  EXPECT_FALSE(c.getOwningComposite().isValid());
}

// Clearing the owner's collection ends every link, not only the first or
// the last: each child has no owner and no back reference afterwards.
TEST_F(Catalogue, ClearingAnOwnersCollectionDisownsEveryChild) {
  Enumeration const e = Enumeration::create(m);
  std::vector<EnumerationLiteral> literals;
  for (int i = 0; i < 3; ++i)
    literals.push_back(EnumerationLiteral::create(m, Ozo::Integer(i), Ozo::Integer(0), e, S("l")));
  Structure const s = Structure::create(m);
  std::vector<StructElement> elements;
  for (int i = 0; i < 3; ++i) elements.push_back(StructElement::create(m, s, S("x")));
  ASSERT_EQ(e.getOwnedLiteral().size(), 3u);
  ASSERT_EQ(s.getElements().size(), 3u);
  e.getOwnedLiteral().clear();
  s.getElements().clear();
  EXPECT_EQ(e.getOwnedLiteral().size(), 0u);
  EXPECT_EQ(e.getOwnedElement().size(), 0u);
  EXPECT_EQ(s.getOwnedElement().size(), 0u);
  for (EnumerationLiteral const& l : literals) {
    EXPECT_FALSE(l.getEnumeration().isValid());
    EXPECT_FALSE(l.getOwner().isValid());
  }
  for (StructElement const& x : elements) {
    EXPECT_FALSE(x.getStructure().isValid());
    EXPECT_FALSE(x.getOwner().isValid());
  }
  // Free again: each can join another owner without leaving a trace here.
  Enumeration const other = Enumeration::create(m);
  for (EnumerationLiteral const& l : literals) l.setEnumeration(other);
  EXPECT_EQ(other.getOwnedLiteral().size(), 3u);
  EXPECT_EQ(e.getOwnedLiteral().size(), 0u);
}

TEST_F(Catalogue, OwnershipCyclesAreRefusedAndChangeNothing) {
  SwRecordLayoutGroup const g1 = SwRecordLayoutGroup::create(m), g2 = SwRecordLayoutGroup::create(m),
                            g3 = SwRecordLayoutGroup::create(m);
  g1.getSwRecordLayoutGroup().push_back(g2);
  g2.getSwRecordLayoutGroup().push_back(g3);
  std::pair<SwRecordLayoutGroup, SwRecordLayoutGroup> const tries[] = {{g1, g1}, {g3, g1}, {g3, g2}};
  for (auto const& [owner, child] : tries)
    EXPECT_TRUE(ownsItself(failure([&o = owner, &c = child] { o.getSwRecordLayoutGroup().push_back(c); })));
  EXPECT_EQ(g1.getSwRecordLayoutGroup().size(), 1u);
  EXPECT_EQ(g3.getSwRecordLayoutGroup().size(), 0u);
  EXPECT_FALSE(g1.getOwner().isValid());
  EXPECT_TRUE(same(g3.getOwner(), g2));

  // Through the owner end: a cell made the cell of the matrix it holds as value.
  MatrixValueSpecification const inner = MatrixValueSpecification::create(m), outer = MatrixValueSpecification::create(m);
  Cell const c = Cell::create(m, as<CompositeSpecification>(outer), as<foundation::ValueSpecification>(inner), S("c"));
  EXPECT_TRUE(ownsItself(failure([&] { c.setOwningComposite(inner); })));
  EXPECT_TRUE(same(c.getOwningComposite(), outer));
  EXPECT_EQ(inner.getOwnedCell().size(), 0u);
  EXPECT_EQ(outer.getOwnedCell().size(), 1u);

  Structure const s = Structure::create(m);
  StructElement const se = StructElement::create(m, s, S("x"));
  EXPECT_TRUE(ownsItself(failure([&] { se.setInlineType(s); })));
  EXPECT_FALSE(se.getInlineType().isValid());
}

TEST_F(Catalogue, RefusedCreationsLeaveNoElementBehind) {
  Ozo::Model const other = Ozo::Model::create();
  Enumeration const foreign = Enumeration::create(other);
  Structure const s = Structure::create(other);
  MatrixValueSpecification const outer = MatrixValueSpecification::create(m);
  MatrixValueSpecification const top = MatrixValueSpecification::create(m);
  Cell::create(m, as<CompositeSpecification>(top), as<foundation::ValueSpecification>(outer), S("holder"));
  MatrixValueSpecification const farOff = MatrixValueSpecification::create(other);
  LiteralReal const foreignValue = LiteralReal::create(other);
  types::String const text = types::String::create(m);
  std::size_t const before = m.get()->elements().size();
  std::function<void()> const refused[] = {
      [&] { EnumerationLiteral::create(m, Ozo::Integer(1), Ozo::Integer(0), foreign, S("x")); },
      [&] { StructElement::create(m, s, S("x")); },
      [&] { Slot::create(m, as<CompositeSpecification>(farOff), {}, S("x")); },
      // The new cell would hold, as its value, the composite that owns its owner.
      [&] { Cell::create(m, as<CompositeSpecification>(outer), as<foundation::ValueSpecification>(top), S("x")); },
      [&] {
        Cell::create(m, as<CompositeSpecification>(outer), as<foundation::ValueSpecification>(foreignValue), S("x"));
      },
      [&] { SwRecordLayout::create(m, SwRecordLayoutGroup::create(other), text, S("x")); },
  };
  for (std::size_t i = 0; i < std::size(refused); ++i) EXPECT_FALSE(failure(refused[i]).empty()) << i;
  EXPECT_NE(failure([&] {
              Cell::create(m, as<CompositeSpecification>(outer), as<foundation::ValueSpecification>(outer), S("x"));
            }).find("A new Cell cannot own an element that owns it"),
            std::string::npos);
  EXPECT_EQ(m.get()->elements().size(), before);
  EXPECT_EQ(outer.getOwnedCell().size(), 0u);
  EXPECT_EQ(foreign.getOwnedLiteral().size(), 0u);
}

}  // namespace

// Boolean restates Real's range entries as its own; each is Real's property
// stated again, so reading or writing either statement reaches one value.
TEST_F(Catalogue, BooleansRangeEntriesAreRealsOwn) {
  using BI = NSInterface::BooleanIntf;
  Boolean const b = Boolean::create(m);
  b.setMinValue(Ozo::Real(-1.5));
  EXPECT_EQ(Ozo::readOptional<Ozo::Real>(b, BI::sIntrospectiveMethods, 1), Ozo::Real(-1.5));
  Ozo::writeProperty(b, BI::sIntrospectiveMethods, 2, Ozo::Real(4.0));
  EXPECT_EQ(b.getMaxValue(), Ozo::Real(4.0));
  Ozo::writeProperty(b, BI::sIntrospectiveMethods, 3, Ozo::Boolean(true));
  EXPECT_EQ(b.getIsMinOpen(), Ozo::Boolean(true));
  EXPECT_FALSE(Ozo::readProperty<Ozo::Boolean>(b, BI::sIntrospectiveMethods, 4).value());
}
