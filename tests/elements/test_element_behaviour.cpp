// The model's behaviour as a host user meets it: derived properties refuse
// writes, the operation rows reach their targets, ownership and refused input.
// The rules themselves (shapes, conversions, ownership) are proved on the
// model's own handles; here, what the host adds.
#include "support/HostFixture.hpp"

namespace quillon::testing {
namespace {

class ElementBehaviour : public HostFixture {
 protected:
  Value make(std::string const& cls, std::vector<Value> args) const { return host.construct(T(cls), args); }
  Value unit(Value const& m, char const* name, Value const& to, double factor, double offset) const {
    Value const u = make("Unit", {m, name});
    host.set(u, "ConvUnit", to);
    host.set(u, "ConvFactor", factor);
    host.set(u, "ConvOffset", offset);
    return u;
  }
  std::size_t size(Value const& object, char const* property) const {
    return static_cast<std::size_t>(host.invoke(host.get(object, property), "size", {}).toInt32());
  }
  static bool contains(std::string const& text, std::string const& part) {
    return text.find(part) != std::string::npos;
  }
};

// What the derived properties compute is the model's; here, that a write to
// any of them, whatever its kind, is refused and changes nothing.
TEST_F(ElementBehaviour, DerivedPropertiesRefuseWrites) {
  Value const m = model();
  Value const t = make("LookupTableType", {m});
  host.invoke(host.get(t, "Axes"), "push_back", {axis(m)});
  host.invoke(host.get(t, "Axes"), "push_back", {axis(m)});
  Value const f = make("FixedPoint", {m});
  host.set(f, "FractionalSlope", 3.0);
  double const slope = host.get(f, "slope").toDouble();
  struct Row { Value object; char const* property; Value value; };
  Row const rows[] = {{t, "Dimensions", 3},           {t, "Category", "CURVE"},
                      {t, "IsApplication", false},    {f, "slope", 1.0},
                      {make("EnumerationLiteral", {m}), "isSecure", true},
                      {make("StructElement", {m}), "ReferencedType", make("Integer", {m})}};
  for (Row const& r : rows) {
    EXPECT_TRUE(contains(errorOf([&] { host.set(r.object, r.property, r.value); }),
                         "You cannot set a read-only property"))
        << r.property;
  }
  EXPECT_EQ(host.get(t, "Dimensions").toInt32(), 2);
  EXPECT_EQ(host.get(t, "Category").toString(), "MAP");
  EXPECT_TRUE(host.get(t, "IsApplication").toBool());
  EXPECT_EQ(host.get(f, "slope").toDouble(), slope);
}

// The conversions themselves, their failures and the empty handles are the
// model's; here, each operation row reaches its target, through either view.
TEST_F(ElementBehaviour, UnitOperationsThroughTheHost) {
  Value const m = model();
  Value const k = make("Unit", {m, "K"});
  Value const c = unit(m, "degC", k, 1, 273.15);
  Value const f = unit(m, "degF", c, 5.0 / 9, -160.0 / 9);
  EXPECT_NEAR(host.invoke(f, "convert", {212.0, c}).toDouble(), 100, 1e-9);
  EXPECT_NEAR(host.invoke(f, "convertToBase", {32.0}).toDouble(), 273.15, 1e-9);
  // Through the immutable view too, to a target in the modifiable view.
  Value const frozen = host.call(T("ImmutableUnit"), "cast", {f});
  EXPECT_NEAR(host.invoke(frozen, "convert", {-40.0, c}).toDouble(), -40, 1e-9);
  Value const fo = host.invoke(f, "getFactorAndOffsetToBase", {});
  EXPECT_EQ(host.invoke(fo, "size", {}).toInt32(), 2);
  EXPECT_NEAR(host.invoke(fo, "at", {1}).toDouble(), 5.0 / 9, 1e-15);

  Value const dim = make("Dimension", {m});
  host.invoke(host.get(dim, "BaseExponent"), "push_back", {1});
  host.set(k, "Dimension", dim);
  host.set(c, "Dimension", dim);
  EXPECT_TRUE(host.invoke(k, "hasSameDimensions", {c}).toBool());
  EXPECT_FALSE(host.invoke(k, "hasSameDimensions", {f}).toBool());
  EXPECT_EQ(host.invoke(host.invoke(k, "getBaseDimensionExponents", {}), "size", {}).toInt32(), 1);

  // The model's errors come through whole; an empty unit argument is a null handle.
  Value const s = make("Unit", {m, "s"});
  EXPECT_EQ(errorOf([&] { host.invoke(c, "convert", {1.0, s}); }),
            "Assertion failed: Cannot convert from \"degC\" to \"s\": they have no common base unit at "
            "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesUnit_h:150: ");
  EXPECT_EQ(errorOf([&] { host.invoke(k, "convert", {1.0, host.call(T("Unit"), "cast", {m})}); }),
            nullRefText("mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesUnit_h", 99));
}

// Literal references and ownership pairs are the model's; here, the rows
// that reach them and that a constructor's owner lists the new element.
TEST_F(ElementBehaviour, LiteralReferencesAndConstructorOwners) {
  Value const m = model();
  Value const e = make("Enumeration", {m, "Colour"});
  Value const red = make("EnumerationLiteral", {m, 1, 0, e, "RED"});
  Value const r = make("EnumerationLiteralReference", {m});
  EXPECT_FALSE(host.invoke(r, "isComputable", {}).toBool());
  host.set(r, "Value", red);
  EXPECT_TRUE(host.invoke(r, "isComputable", {}).toBool());
  EXPECT_EQ(host.invoke(r, "stringValue", {}).toString(), "RED");

  ASSERT_EQ(size(e, "OwnedLiteral"), 1u);
  EXPECT_TRUE(host.invoke(host.get(e, "OwnedLiteral"), "at", {1}).sameObject(red));
  EXPECT_TRUE(host.get(red, "enumeration").sameObject(e));
  Value const mv = make("MatrixValueSpecification", {m});
  Value const cell = make("Cell", {m, mv, make("LiteralReal", {m, 2.0, "two"}), "c"});
  EXPECT_TRUE(host.invoke(host.get(mv, "ownedCell"), "at", {1}).sameObject(cell));
}

}  // namespace
}  // namespace quillon::testing
