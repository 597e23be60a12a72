// DataSize and Time as a host user sees them: value objects, each holding its
// own copy.
#include "support/HostFixture.hpp"
#include "support/MethodShape.hpp"

#include <limits>
#include <string>
#include <vector>

namespace quillon::testing {
namespace {

std::string const kDataSize = T("DataSize");
std::string const kTime = T("Time");
std::string const kUnit = T("DataSizeUnitKind");
std::string const kTooMany =
    "Assertion failed: Parameter must be an empty matrix or a scalar  at ozo_xb/marshal/DataTypeMarshaling:42: ";

class StructuredValues : public HostFixture {
 protected:
  Value unit(char const* name) const { return host.call(kUnit, name, {}); }
  Value timeUnit(char const* name) const { return host.call(T("TimeUnitKind"), name, {}); }
  Value size(int v, char const* u) const { return host.construct(kDataSize, {v, unit(u)}); }
  Value time(double v, char const* u) const { return host.construct(kTime, {v, timeUnit(u)}); }
  std::string text(Value const& v) const { return host.invoke(v, "toString", {}).toString(); }
  bool eq(Value const& a, Value const& b) const { return host.invoke(a, "eq", {b}).toBool(); }
};

TEST_F(StructuredValues, DescribeListsMethodsAndProperties) {
  struct Case {
    std::string self, value, unit;
  };
  for (Case const& c : {Case{kDataSize, "int32 scalar", kUnit}, Case{kTime, "double scalar", T("TimeUnitKind")}}) {
    SCOPED_TRACE(c.self);
    ClassDesc const d = host.describeClass(c.self);
    EXPECT_EQ(d.description, "");
    std::string const s = c.self, name = s.substr(s.rfind('.') + 1);
    EXPECT_EQ(testsupport::shapesOf(d),
              (std::vector<std::string>{"constructor " + name + "() -> " + s,
                                        "constructor " + name + "(" + s + ") -> " + s,
                                        "constructor " + name + "(" + c.value + ", " + c.unit + ") -> " + s,
                                        "instance isvalid(self: " + s + ") -> logical scalar",
                                        "static MetaDataType() -> Ozo.ImmutableDataType",
                                        "instance getMetaDataType(self: " + s + ") -> Ozo.ImmutableDataType",
                                        "static fromString(char vector) -> " + s,
                                        "instance toString(self: " + s + ") -> char vector",
                                        "instance getMetaType(self: Ozo.Object) -> Ozo.ImmutableType @2",
                                        "instance eq(self: " + s + ", " + s + ") -> logical scalar",
                                        "instance ne(self: " + s + ", " + s + ") -> logical scalar"}));
    std::vector<std::string> properties;
    for (PropertyDesc const& p : d.properties)
      properties.push_back(std::string(p.name) + " " + std::string(p.type) + " @" + std::to_string(p.attributes));
    EXPECT_EQ(properties, (std::vector<std::string>{"value " + c.value + " @64", "unit " + c.unit + " @64"}));
  }

}

TEST_F(StructuredValues, ConstructReadAndWrite) {
  Value const v = size(8, "Byte");
  EXPECT_EQ(host.classOf(v), kDataSize);
  EXPECT_EQ(host.get(v, "value").toInt32(), 8);
  EXPECT_TRUE(host.call(kUnit, "eq", {host.get(v, "unit"), unit("Byte")}).toBool());
  EXPECT_EQ(text(v), "8 Byte");
  EXPECT_TRUE(eq(v, size(64, "Bit"))) << "amounts compare, not representations";
  EXPECT_FALSE(host.invoke(v, "ne", {size(64, "Bit")}).toBool());
  EXPECT_TRUE(host.invoke(v, "isvalid", {}).toBool());
  EXPECT_EQ(text(host.construct(kDataSize, {})), "0 Bit");

  host.set(v, "unit", Value());
  EXPECT_EQ(text(v), "8 Bit") << "an empty unit is the unit of code 0";
  host.set(v, "value", 3);
  host.set(v, "unit", unit("KB"));
  EXPECT_EQ(text(v), "3 KB");

  Value const t = time(1.5, "Ms");
  EXPECT_EQ(text(t), "1.5 Ms");
  EXPECT_DOUBLE_EQ(host.get(t, "value").toDouble(), 1.5);
  EXPECT_TRUE(eq(t, time(1500, "Us")));
  host.set(t, "unit", Value());
  EXPECT_EQ(text(t), "1.5 S");
}

// A copy is a new value of its own; a parse of Time keeps the fraction.
TEST_F(StructuredValues, ValuesAreNeverShared) {
  Value const a = size(8, "Byte");
  Value const b = host.construct(kDataSize, {a});
  EXPECT_FALSE(a.sameObject(b));
  host.set(b, "value", 9);
  EXPECT_EQ(host.get(a, "value").toInt32(), 8);
  EXPECT_EQ(host.get(b, "value").toInt32(), 9);
  EXPECT_EQ(text(host.call(kTime, "fromString", {"0.25 Wks"})), "0.25 Wks");
}

TEST_F(StructuredValues, BadInputIsRefused) {
  Value const a = size(8, "Byte");
  Value const two = Value::objects({a, size(1, "Bit")});
  EXPECT_EQ(errorOf([&] { host.invoke(a, "eq", {two}); }), kTooMany);
  EXPECT_EQ(errorOf([&] { host.invoke(a, "eq", {Value()}); }), "Cannot compare a DataSize with an empty value");
  EXPECT_EQ(errorOf([&] { host.construct(kDataSize, {Value()}); }), "Cannot copy an empty DataSize");
  EXPECT_EQ(errorOf([&] { host.call(kDataSize, "eq", {Value(), a}); }), kNullRef);
  EXPECT_EQ(text(a), "8 Byte") << "nothing changed";
}

// "eq" and "ne" take both arguments before they check the object: a second
// argument of two values is reported even when the object is empty.
TEST_F(StructuredValues, ComparisonsTakeBothArgumentsBeforeCheckingTheObject) {
  Value const sizes = Value::objects({size(8, "Byte"), size(1, "Bit")});
  Value const times = Value::objects({time(1, "S"), time(2, "S")});
  for (char const* op : {"eq", "ne"}) {
    SCOPED_TRACE(op);
    EXPECT_EQ(errorOf([&] { host.call(kDataSize, op, {Value(), sizes}); }), kTooMany);
    EXPECT_EQ(errorOf([&] { host.call(kTime, op, {Value(), times}); }), kTooMany);
    EXPECT_EQ(errorOf([&] { host.call(kTime, op, {times, Value()}); }), kTooMany);
  }
}

// Amounts compare without overflow, and a NaN time equals nothing, itself included.
TEST_F(StructuredValues, TimeEqualityHoldsForHugeAndSpecialAmounts) {
  EXPECT_FALSE(eq(time(1e300, "Yrs"), time(1e300, "Wks")));
  EXPECT_TRUE(host.invoke(time(1e300, "Yrs"), "ne", {time(1e300, "Wks")}).toBool());
  EXPECT_TRUE(eq(time(60, "S"), time(1, "Min")));
  EXPECT_TRUE(eq(time(-0.0, "Yrs"), time(0, "Us")));
  Value const nan = time(std::numeric_limits<double>::quiet_NaN(), "S");
  EXPECT_FALSE(eq(nan, nan));
  EXPECT_TRUE(host.invoke(nan, "ne", {nan}).toBool());
}

}  // namespace
}  // namespace quillon::testing
