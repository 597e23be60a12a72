// Value-typed properties of element classes: Integer.Length (a DataSize) and
// SwGenericAxisParamType.Category (an enumeration).
#include "support/HostFixture.hpp"

#include <string>

namespace quillon::testing {
namespace {

std::string const kDataSize = T("DataSize");
std::string const kCategory = T("SwGenericAxisParamTypeCategory");

class ValueProperties : public HostFixture {
 protected:
  Value size(int v, char const* u) const {
    return host.construct(kDataSize, {v, host.call(T("DataSizeUnitKind"), u, {})});
  }
  std::string text(Value const& v) const { return host.invoke(v, "toString", {}).toString(); }
};

TEST_F(ValueProperties, Listed) {
  PropertyDesc const length = host.describeClass(T("ImmutableInteger")).properties.at(0);
  EXPECT_EQ(length.name, "Length");
  EXPECT_EQ(length.type, kDataSize);
  EXPECT_EQ(length.attributes, 0u);
  EXPECT_EQ(length.multiplicity, 1);
  PropertyDesc const category = host.describeClass(T("ImmutableSwGenericAxisParamType")).properties.at(0);
  EXPECT_EQ(category.name, "Category");
  EXPECT_EQ(category.type, kCategory);
  EXPECT_EQ(category.multiplicity, 1);
}

// Reading gives a fresh copy each time; writing stores a copy.
TEST_F(ValueProperties, LengthIsCopiedBothWays) {
  Value const m = model();
  Value const i = host.construct(T("Integer"), {m});
  Value const unset = host.get(i, "Length");
  EXPECT_TRUE(unset.isEmpty());
  EXPECT_EQ(unset.className(), kDataSize);

  Value const written = size(8, "Byte");
  host.set(i, "Length", written);
  host.set(written, "value", 9);
  Value const r1 = host.get(i, "Length");
  Value const r2 = host.get(i, "Length");
  EXPECT_EQ(text(r1), "8 Byte") << "the element holds its own copy";
  EXPECT_FALSE(r1.sameObject(r2));
  host.set(r1, "value", 16);
  EXPECT_EQ(text(r2), "8 Byte");
  EXPECT_EQ(text(host.get(i, "Length")), "8 Byte");

  host.set(i, "Length", Value());
  EXPECT_EQ(text(host.get(i, "Length")), "8 Byte") << "an empty value stores nothing";
  EXPECT_EQ(errorOf([&] { host.set(i, "Length", Value::objects({r1, r2})); }),
            "Assertion failed: Parameter must be an empty matrix or a scalar  at "
            "ozo_xb/marshal/DataTypeMarshaling:42: ");
  EXPECT_EQ(text(host.get(i, "Length")), "8 Byte");
}

TEST_F(ValueProperties, CategoryReadsTheLiteral) {
  Value const m = model();
  Value const p = host.construct(T("SwGenericAxisParamType"), {m});
  EXPECT_TRUE(host.get(p, "Category").isEmpty());
  Value const view = host.call(T("ImmutableSwGenericAxisParamType"), "cast", {p});
  std::string const e = errorOf([&] { host.set(view, "Category", host.call(kCategory, "Shift", {})); });
  EXPECT_NE(e.find("You cannot modify an immutable object"), std::string::npos) << e;
  EXPECT_TRUE(host.get(p, "Category").isEmpty());

  Value const distance = host.call(kCategory, "Distance", {});
  host.set(p, "Category", distance);
  Value const read = host.get(p, "Category");
  EXPECT_TRUE(read.sameObject(distance)) << "one host object per literal while it lives";
  host.set(p, "Category", Value());
  EXPECT_EQ(text(host.get(p, "Category")), "Distance");
  host.set(p, "Category", Value::objects({host.call(kCategory, "List", {}), distance}));
  EXPECT_EQ(text(host.get(p, "Category")), "List") << "the first of several";
}

}  // namespace
}  // namespace quillon::testing
