// Host values of the public API and failures that need no classes.
#include <gtest/gtest.h>

#include <quillon/host.hpp>
#include "support/ErrorOf.hpp"

namespace quillon {
namespace {

using testsupport::errorOf;

TEST(Values, NumbersLogicalsAndText) {
  Value i = 7;
  EXPECT_EQ(i.type(), Value::Type::Int32);
  EXPECT_EQ(i.className(), "int32");
  EXPECT_EQ(i.toDouble(), 7.0);
  EXPECT_EQ(errorOf([] { Value(2.5).toInt32(); }), "Value 2.500000 cannot be converted to int32.");
  EXPECT_EQ(Value(4.0).toInt32(), 4);
  EXPECT_TRUE(Value(true).toBool());
  EXPECT_EQ(Value(false).className(), "logical");

  Value s = "Geschwindigkeit \xC2\xB5";
  EXPECT_EQ(s.type(), Value::Type::Char);  // its UTF-16 form is checked with the host arrays
  EXPECT_EQ(s.toString(), "Geschwindigkeit \xC2\xB5");
  EXPECT_EQ(Value(std::u16string_view(u"\u00b5")).toString(), "\xC2\xB5");
  EXPECT_EQ(Value("").rows(), 0u);
  EXPECT_EQ(Value().toString(), "");  // the empty array reads as the empty text
  EXPECT_EQ(errorOf([] { Value(1).toString(); }), "Value of class \"int32\" is not text.");
  EXPECT_EQ(errorOf([&] { s.toDouble(); }), "Value of class \"char\" is not numeric.");
  EXPECT_EQ(errorOf([] { Value().toDouble(); }), "Index 0 is out of range for a value of 0 elements.");
}

TEST(Values, RowsElementsAndCopies) {
  Value row = Value::doubles({1.5, -2, 3});
  EXPECT_EQ(row.numel(), 3u);
  EXPECT_EQ(row.toDouble(2), 3.0);
  EXPECT_EQ(row.element(1).toDouble(), -2.0);
  EXPECT_EQ(errorOf([&] { row.element(3); }), "Index 3 is out of range for a value of 3 elements.");
  EXPECT_EQ(Value::int32s({1, 2}).className(), "int32");
  EXPECT_FALSE(Value::logicals({true, false}).toBool(1));
  EXPECT_TRUE(Value::doubles({}).isEmpty());
  EXPECT_EQ(Value::objects({}).numel(), 0u);
  EXPECT_EQ(errorOf([] { Value::objects({Value(1)}); }), "Every element of an object array must be a single object.");

  Value copy = row;
  Value moved = std::move(copy);
  EXPECT_EQ(moved.toDouble(0), 1.5);
  EXPECT_TRUE(copy.isEmpty());  // NOLINT: a moved-from value is the empty array
  EXPECT_EQ(copy.className(), "double");
  EXPECT_EQ(row.identity(), 0u);
  EXPECT_EQ(row.objectRefCount(), 0);
}

TEST(HostSession, UnknownNamesAndCounters) {
  Host host;
  std::size_t const arrays = host.counter("arrays");
  EXPECT_EQ(errorOf([&] { host.describeClass("No.Such.Class"); }), "Unknown class \"No.Such.Class\".");
  EXPECT_EQ(errorOf([&] { host.classOf(Value(1)); }), "Value of class \"int32\" is not an object.");
  EXPECT_FALSE(host.hasClass("No.Such.Class"));
  EXPECT_FALSE(host.hasPackage("NoSuch"));
  EXPECT_EQ(host.counter("no such counter"), 0u);
  EXPECT_EQ(host.counter("arrays"), arrays);
}

}  // namespace
}  // namespace quillon
