// The model's behaviour as a host user meets it: derived properties refuse
// writes, the operation rows reach their targets, ownership and refused input.
// The rules themselves (shapes, conversions, ownership) are proved on the
// model's own handles; here, what the host adds.
#include "support/HostFixture.hpp"

namespace quillon::testing {
namespace {

std::string T(std::string const& shortName) { return kTypes + shortName; }

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

TEST_F(ElementBehaviour, DerivedPropertiesFollowAndRefuseWrites) {
  Value const m = model();
  Value const t = make("LookupTableType", {m});
  host.invoke(host.get(t, "Axes"), "push_back", {axis(m)});
  host.invoke(host.get(t, "Axes"), "push_back", {axis(m)});
  EXPECT_EQ(host.get(t, "Category").toString(), "MAP");
  EXPECT_EQ(host.get(t, "Dimensions").toInt32(), 2);
  Value const f = make("FixedPoint", {m});
  host.set(f, "FractionalSlope", 3.0);
  host.set(f, "FractionLength", host.call(T("DataSize"), "fromString", {"2 Bit"}));
  EXPECT_EQ(host.get(f, "slope").toDouble(), 0.75);

  // Every derived property refuses a write, whatever its kind, and keeps its value.
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
  EXPECT_EQ(host.get(f, "slope").toDouble(), 0.75);
}

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

  // The model's errors come through whole, and nothing changed.
  Value const s = make("Unit", {m, "s"});
  EXPECT_EQ(errorOf([&] { host.invoke(c, "convert", {1.0, s}); }),
            "Assertion failed: Cannot convert from \"degC\" to \"s\": they have no common base unit at "
            "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesUnit_h:150: ");
  host.set(k, "ConvUnit", f);
  EXPECT_TRUE(contains(errorOf([&] { host.invoke(f, "convertToBase", {1.0}); }), "form a cycle"));
  EXPECT_TRUE(host.get(k, "ConvUnit").sameObject(f));
  EXPECT_NE(errorOf([&] { host.invoke(k, "convert", {1.0, host.call(T("ImmutableUnit"), "cast", {c})}); }), "")
      << "the target is a modifiable unit";
  EXPECT_NE(errorOf([&] { host.invoke(k, "convert", {1.0, dim}); }), "");
}

TEST_F(ElementBehaviour, EmptyHandlesFailWithTheNullReference) {
  Value const m = model();
  Value const noUnit = host.call(T("Unit"), "cast", {m});
  ASSERT_TRUE(noUnit.isEmpty());
  EXPECT_EQ(errorOf([&] { host.invoke(make("Unit", {m}), "convert", {1.0, noUnit}); }),
            "Assertion failed: Cannot access NULL ref. Use isValid() before calling methods at "
            "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesUnit_h:99: ");
  EXPECT_EQ(errorOf([&] { host.call(T("ImmutableEnumerationLiteralReference"), "stringValue", {Value()}); }),
            "Assertion failed: Cannot access NULL ref. Use isValid() before calling methods at "
            "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesEnumerationLiteralReference_h:98: ");
}

TEST_F(ElementBehaviour, LiteralReferencesAndOwnership) {
  Value const m = model();
  Value const e = make("Enumeration", {m, "Colour"});
  Value const red = make("EnumerationLiteral", {m, 1, 0, e, "RED"});
  Value const r = make("EnumerationLiteralReference", {m});
  EXPECT_FALSE(host.invoke(r, "isComputable", {}).toBool());
  host.set(r, "Value", red);
  EXPECT_TRUE(host.invoke(r, "isComputable", {}).toBool());
  EXPECT_EQ(host.invoke(r, "stringValue", {}).toString(), "RED");

  // The constructor's owner lists the literal; both ends agree.
  ASSERT_EQ(size(e, "OwnedLiteral"), 1u);
  EXPECT_TRUE(host.invoke(host.get(e, "OwnedLiteral"), "at", {1}).sameObject(red));
  EXPECT_TRUE(host.get(red, "enumeration").sameObject(e));
  host.invoke(host.get(e, "OwnedLiteral"), "erase", {1});
  EXPECT_TRUE(host.get(red, "enumeration").isEmpty());
  host.invoke(host.get(e, "OwnedLiteral"), "push_back", {red});  // back, from the owner's end
  EXPECT_TRUE(host.get(red, "enumeration").sameObject(e));
  host.set(red, "enumeration", Value());

  Value const mv = make("MatrixValueSpecification", {m});
  Value const cell = make("Cell", {m, mv, make("LiteralReal", {m, 2.0, "two"}), "c"});
  EXPECT_EQ(size(mv, "ownedCell"), 1u);
  host.set(cell, "owningComposite", Value());
  EXPECT_EQ(size(mv, "ownedCell"), 0u);

  // Wrong classes and immutable views change nothing.
  Value const frozenCell = host.call(T("ImmutableCell"), "cast", {cell});
  EXPECT_FALSE(errorOf([&] { host.set(frozenCell, "owningComposite", mv); }).empty());
  EXPECT_FALSE(errorOf([&] { host.set(cell, "owningComposite", e); }).empty());
  EXPECT_FALSE(errorOf([&] { host.invoke(host.get(e, "OwnedLiteral"), "push_back", {cell}); }).empty());
  EXPECT_TRUE(host.get(cell, "owningComposite").isEmpty());
  EXPECT_EQ(size(e, "OwnedLiteral"), 0u);

  // A constructor whose owner lives in another model creates nothing.
  Value const foreign = make("Enumeration", {model()});
  std::size_t const before = host.counter("model objects");
  EXPECT_EQ(errorOf([&] { make("EnumerationLiteral", {m, 1, 0, foreign, "x"}); }),
            "Assertion failed: A new EnumerationLiteral can only be linked to elements of its own model at "
            "mm_types/Zorvan/metamodel/types/Definitions_h:112: ");
  EXPECT_EQ(host.counter("model objects"), before);
}

}  // namespace
}  // namespace quillon::testing
