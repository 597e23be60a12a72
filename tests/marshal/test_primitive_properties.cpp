// Reading and writing primitive and string properties through the host.
#include "support/HostFixture.hpp"

namespace quillon::testing {
namespace {

std::string T(std::string const& shortName) { return kTypes + shortName; }

class PrimitiveProperties : public HostFixture {};

TEST_F(PrimitiveProperties, RequiredIntegerRoundTrips) {
  Value const a = axis(model());
  host.set(a, "Dimensions", 4);
  EXPECT_EQ(host.get(a, "Dimensions").toInt32(), 4);
  EXPECT_EQ(host.get(a, "Dimensions").type(), Value::Type::Int32);
  host.set(a, "Dimensions", -1);
  EXPECT_EQ(host.get(a, "Dimensions").toInt32(), -1);
  host.set(a, "Dimensions", 7.0);  // an integral double converts
  EXPECT_EQ(host.get(a, "Dimensions").toInt32(), 7);
}

TEST_F(PrimitiveProperties, ValuesThatDoNotFitAreRefusedAndChangeNothing) {
  Value const a = axis(model());
  host.set(a, "Dimensions", 5);
  EXPECT_NE(errorOf([&] { host.set(a, "Dimensions", 2.5); }), "");
  EXPECT_NE(errorOf([&] { host.set(a, "Dimensions", "five"); }), "");
  EXPECT_NE(errorOf([&] { host.set(a, "Dimensions", Value::int32s({1, 2})); }), "");
  EXPECT_NE(errorOf([&] { host.set(a, "Dimensions", Value()); }), "");
  EXPECT_EQ(host.get(a, "Dimensions").toInt32(), 5);
}

TEST_F(PrimitiveProperties, StringsClearWhenEmpty) {
  Value const a = host.construct(T("Axis"), {model(), 1, "speed"});
  EXPECT_EQ(host.get(a, "Name").toString(), "speed");
  host.set(a, "Name", "r\xC3\xA9gime");  // non-ASCII survives UTF-16
  EXPECT_EQ(host.get(a, "Name").toString(), "r\xC3\xA9gime");
  host.set(a, "Name", "");
  Value const cleared = host.get(a, "Name");
  EXPECT_EQ(cleared.type(), Value::Type::Char);
  EXPECT_TRUE(cleared.isEmpty());
}

TEST_F(PrimitiveProperties, WritesAreCheckedInOrder) {
  Value const m = model();
  Value const a = axis(m);
  EXPECT_EQ(errorOf([&] { host.set(a, "SymbolicDimensions", Value()); }),
            "Assertion failed: You cannot set a multi-valued property at "
            "ozo_xb/marshal/OzoxbPrimitiveSequenceProperty:60: ");
  EXPECT_EQ(errorOf([&] { host.set(a, "Owner", Value()); }),
            "Assertion failed: You cannot set a read-only property at "
            "ozo_xb/marshal/OzoxbClassObjectProperty:61: ");

  Value const view = host.call(T("ImmutableAxis"), "cast", {a});
  host.set(a, "Dimensions", 2);
  std::string const prohibited = errorOf([&] { host.set(view, "Dimensions", 3); });
  EXPECT_NE(prohibited.find("You cannot modify an immutable object"), std::string::npos) << prohibited;
  EXPECT_NE(errorOf([&] { host.set(view, "Name", "x"); }), "");
  EXPECT_EQ(host.get(view, "Dimensions").toInt32(), 2) << "the immutable view reads the same object";
}

TEST_F(PrimitiveProperties, ElementReferencesFollowTheView) {
  Value const m = model();
  Value const a = axis(m);
  EXPECT_TRUE(host.get(a, "BaseType").isEmpty());
  EXPECT_EQ(host.get(a, "BaseType").className(), T("PrimitiveType"));
  Value const view = host.call(T("ImmutableAxis"), "cast", {a});
  EXPECT_EQ(host.get(view, "BaseType").className(), T("ImmutablePrimitiveType"));
  EXPECT_NE(errorOf([&] { host.set(a, "BaseType", a); }), "") << "an Axis is not a PrimitiveType";
}

TEST_F(PrimitiveProperties, ManyValuedPropertiesAreLiveSequences) {
  Value const a = axis(model());
  Value const names = host.get(a, "SymbolicDimensions");
  EXPECT_EQ(host.classOf(names), "Ozo.SequenceOfString");
  host.invoke(names, "push_back", {"x"});
  host.invoke(names, "push_back", {"y"});
  Value const again = host.get(a, "SymbolicDimensions");
  EXPECT_TRUE(again.sameObject(names));
  EXPECT_EQ(host.invoke(again, "size", {}).toInt32(), 2);
  EXPECT_EQ(host.invoke(again, "at", {2}).toString(), "y");

  Value const view = host.call(T("ImmutableAxis"), "cast", {a});
  Value const frozen = host.get(view, "SymbolicDimensions");
  EXPECT_EQ(host.classOf(frozen), "Ozo.ImmutableSequenceOfString");
  EXPECT_NE(errorOf([&] { host.invoke(frozen, "push_back", {"z"}); }), "");
  EXPECT_EQ(host.invoke(frozen, "size", {}).toInt32(), 2);

  Value const vf = host.get(a, "Vf");
  host.invoke(vf, "push_back", {1.5});
  EXPECT_DOUBLE_EQ(host.invoke(vf, "front", {}).toDouble(), 1.5);
  std::string const bound = errorOf([&] { host.invoke(vf, "at", {0}); });
  std::string const prefix =
      "Assertion failed: sequence index must be positive at ozo/kernel/containers/sequence/list/"
      "ListQImplForPrimitives:";
  EXPECT_EQ(bound.substr(0, prefix.size()), prefix);
  EXPECT_EQ(bound.substr(bound.size() - 2), ": ");
}

}  // namespace
}  // namespace quillon::testing
