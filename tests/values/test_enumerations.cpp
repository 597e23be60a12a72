// The five enumeration classes as a host user sees them.
#include "support/HostFixture.hpp"
#include "support/MethodShape.hpp"

#include <string>
#include <vector>

namespace quillon::testing {
namespace {

std::string const kCategory = T("CompuMethodCategory");
std::string const kTime = T("TimeUnitKind");

class Enumerations : public HostFixture {
 protected:
  Value literal(std::string const& cls, char const* name) const { return host.call(cls, name, {}); }
  bool compare(std::string const& cls, char const* op, Value const& a, Value const& b) const {
    return host.call(cls, op, {a, b}).toBool();
  }
  std::string text(std::string const& cls, Value const& v) const { return host.call(cls, "toString", {v}).toString(); }
};

// Methods, forms, attributes and signatures of each of the five classes.
TEST_F(Enumerations, DescribeListsTheMethodsInOrder) {
  struct Case {
    char const* name;
    std::vector<std::string> literals;
  };
  for (Case const& c : {Case{"CompuMethodCategory", {"Identical", "Linear", "RatFunc", "TextTable", "LinearAndTextTable"}},
                        Case{"DataSizeUnitKind", {"Bit", "Byte", "KB", "MB", "GB"}},
                        Case{"FloatingPointKind", {"IEEE_Double", "IEEE_Single"}},
                        Case{"SwGenericAxisParamTypeCategory", {"Shift", "Offset", "Distance", "List"}},
                        Case{"TimeUnitKind", {"S", "Ms", "Us", "Min", "Hrs", "Dys", "Wks", "Mos", "Yrs"}}}) {
    std::string const self = T(c.name);
    ClassDesc const d = host.describeClass(self);
    SCOPED_TRACE(self);
    EXPECT_EQ(d.description, "An enumeration");
    EXPECT_TRUE(d.superclasses.empty());
    EXPECT_TRUE(d.properties.empty());
    std::vector<std::string> want{"instance isvalid(self: " + self + ") -> logical scalar",
                                  "static MetaDataType() -> Ozo.ImmutableDataType",
                                  "instance getMetaDataType(self: " + self + ") -> Ozo.ImmutableDataType",
                                  "instance getMetaType(self: Ozo.Object) -> Ozo.ImmutableType @2",
                                  "static fromString(char) -> " + self,
                                  "instance toString(self: " + self + ") -> char vector",
                                  "explicit disp(" + self + ") @4096"};
    for (std::string const& l : c.literals) want.push_back("static " + l + "() -> " + self);
    for (char const* op : {"eq", "ne", "gt", "ge", "lt", "le"})
      want.push_back("explicit " + std::string(op) + "(" + self + ", " + self + ") -> logical scalar @4096");
    EXPECT_EQ(testsupport::shapesOf(d), want);
    for (MethodDesc const& m : d.methods) EXPECT_TRUE(m.argumentNames.empty()) << m.name;
  }
}

// Each operator row against a smaller, an equal and a larger literal: no two
// operators answer alike on all three. The order itself is the model's.
TEST_F(Enumerations, LiteralsCompareByCode) {
  Value const identical = literal(kCategory, "Identical"), linear = literal(kCategory, "Linear");
  EXPECT_EQ(host.classOf(linear), kCategory);
  struct Row { char const* op; bool less, equal, greater; };
  Row const rows[] = {{"eq", false, true, false}, {"ne", true, false, true}, {"lt", true, false, false},
                      {"le", true, true, false},  {"gt", false, false, true}, {"ge", false, true, true}};
  for (Row const& r : rows) {
    EXPECT_EQ(compare(kCategory, r.op, identical, linear), r.less) << r.op;
    EXPECT_EQ(compare(kCategory, r.op, linear, literal(kCategory, "Linear")), r.equal) << r.op;
    EXPECT_EQ(compare(kCategory, r.op, linear, identical), r.greater) << r.op;
  }
  EXPECT_TRUE(compare(kTime, "gt", literal(kTime, "Yrs"), literal(kTime, "S")));
  EXPECT_EQ(text(kTime, literal(kTime, "Yrs")), "Yrs");
}

// An empty array is the literal of code 0; several values are read from the first.
TEST_F(Enumerations, EmptyAndSeveralValues) {
  Value const identical = literal(kCategory, "Identical");
  EXPECT_TRUE(compare(kCategory, "eq", Value(), identical));
  EXPECT_TRUE(host.call(kCategory, "isvalid", {Value()}).toBool());
  EXPECT_EQ(text(kCategory, Value()), "Identical");
  EXPECT_EQ(text(kTime, Value()), "S");
  Value const several = Value::objects({literal(kCategory, "TextTable"), identical});
  EXPECT_EQ(text(kCategory, several), "TextTable");
  EXPECT_TRUE(compare(kCategory, "gt", several, identical));

  Host::OutputCapture out(host);
  host.call(kCategory, "disp", {several});
  host.call(kCategory, "disp", {literal(kCategory, "LinearAndTextTable")});
  EXPECT_EQ(out.text(), "TextTable\nLinearAndTextTable\n");
}

TEST_F(Enumerations, TextAndMetaDataType) {
  Value const v = host.call(T("FloatingPointKind"), "fromString", {"IEEE_Single"});
  EXPECT_TRUE(compare(T("FloatingPointKind"), "eq", v, literal(T("FloatingPointKind"), "IEEE_Single")));
  EXPECT_EQ(errorOf([&] { host.call(T("FloatingPointKind"), "fromString", {"IEEE_Half"}); }),
            "\"IEEE_Half\" names no literal of FloatingPointKind (IEEE_Double, IEEE_Single)");

  Value const t1 = host.call(kCategory, "MetaDataType", {});
  Value const t2 = host.call(kCategory, "getMetaDataType", {literal(kCategory, "RatFunc")});
  EXPECT_EQ(host.classOf(t1), "Ozo.ImmutableDataType");
  EXPECT_TRUE(t1.sameObject(t2)) << "one data type object, one host object";
  EXPECT_FALSE(t1.sameObject(host.call(kTime, "MetaDataType", {})));

  // getMetaType, called on a value, gives the same data type object.
  Value const t3 = host.invoke(literal(kCategory, "Linear"), "getMetaType", {});
  EXPECT_TRUE(t1.sameObject(t3));
}

// An enumeration argument takes a literal of its own class only.
TEST_F(Enumerations, WrongArgumentsAreRefused) {
  Value const m = model();
  std::string const eq = "No signature of \"eq\" in class \"" + kCategory + "\" accepts (";
  std::string const candidates = "); candidates: eq(" + kCategory + ", " + kCategory + ").";
  EXPECT_EQ(errorOf([&] { host.call(kCategory, "eq", {m, literal(kCategory, "Linear")}); }),
            eq + "Ozo.Model, " + kCategory + candidates);
  EXPECT_EQ(errorOf([&] { host.call(kCategory, "eq", {literal(kTime, "S"), literal(kCategory, "Linear")}); }),
            eq + kTime + ", " + kCategory + candidates);
}

}  // namespace
}  // namespace quillon::testing
