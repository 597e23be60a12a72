// Reading and writing primitive and string properties through the host.
#include <xb/PrimitiveDescriptors.hpp>
#include "support/HostFixture.hpp"

#include <kovo/Class.hpp>
#include <kovo/Object.hpp>

#include <cmath>
#include <memory>

namespace quillon::testing {
namespace {

class PrimitiveProperties : public HostFixture {};

TEST_F(PrimitiveProperties, RequiredIntegersConvertOrAreRefusedAndChangeNothing) {
  Value const a = axis(model());
  host.set(a, "Dimensions", -1);
  EXPECT_EQ(host.get(a, "Dimensions").toInt32(), -1);
  EXPECT_EQ(host.get(a, "Dimensions").type(), Value::Type::Int32);
  host.set(a, "Dimensions", 7.0);  // an integral double converts
  EXPECT_EQ(host.get(a, "Dimensions").toInt32(), 7);
  EXPECT_NE(errorOf([&] { host.set(a, "Dimensions", 2.5); }), "");
  EXPECT_NE(errorOf([&] { host.set(a, "Dimensions", "five"); }), "");
  EXPECT_EQ(errorOf([&] { host.set(a, "Dimensions", Value::int32s({1, 2})); }),
            "Cannot set property \"Dimensions\" of class \"Zorvan.metamodel.types.Axis\": expected int32 scalar, "
            "got a 1x2 int32 array.");
  EXPECT_NE(errorOf([&] { host.set(a, "Dimensions", Value()); }), "");
  EXPECT_EQ(host.get(a, "Dimensions").toInt32(), 7);
}

TEST_F(PrimitiveProperties, StringsClearWhenEmpty) {
  Value const a = host.construct(T("Axis"), {model(), 1, "speed"});
  EXPECT_EQ(host.get(a, "Name").toString(), "speed");
  host.set(a, "Name", "");
  Value const cleared = host.get(a, "Name");
  EXPECT_EQ(cleared.type(), Value::Type::Char);
  EXPECT_TRUE(cleared.isEmpty());
}

// The checks of a write run in one order: multi-valued, read-only, immutable
// view (the element descriptors' are proved in the binding layer's tests).
TEST_F(PrimitiveProperties, RefusedWritesReportTheFirstCheckThatFails) {
  Value const m = model();
  Value const a = axis(m);
  EXPECT_EQ(errorOf([&] { host.set(a, "SymbolicDimensions", Value()); }),
            "Assertion failed: You cannot set a multi-valued property at "
            "ozo_xb/marshal/OzoxbPrimitiveSequenceProperty:60: ");
  Value const s = host.construct(T("SharedAxisType"), {m});
  EXPECT_EQ(errorOf([&] { host.set(host.call(T("ImmutableSharedAxisType"), "cast", {s}), "IsApplication", true); }),
            "Assertion failed: You cannot set a read-only property at "
            "ozo_xb/marshal/OzoxbPrimitiveProperty:123: ")
      << "read-only is checked before the immutable view";

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
  // Several objects that each fit reach the descriptor, which decides.
  Value const i1 = host.construct(T("Integer"), {m});
  Value const i2 = host.construct(T("Integer"), {m});
  host.set(a, "BaseType", Value::objects({i1, i2}));
  EXPECT_TRUE(host.get(a, "BaseType").sameObject(i1)) << "an element property takes element 0";
  EXPECT_EQ(errorOf([&] { host.set(a, "BaseType", Value::objects({i2, a})); }),
            "Cannot set property \"BaseType\" of class \"Zorvan.metamodel.types.Axis\": expected "
            "Zorvan.metamodel.types.ImmutablePrimitiveType, got a 1x2 Zorvan.metamodel.types.Integer array.");
  EXPECT_TRUE(host.get(a, "BaseType").sameObject(i1));
}

TEST_F(PrimitiveProperties, TextKeepsEveryCharacterThroughTheModel) {
  Value const a = axis(model());
  std::u16string const texts[] = {u"\uFEFFspeed", u"\uFFFEspeed", std::u16string(u"a\0b", 3), u"x\U0001F600",
                                  std::u16string{u'a', char16_t(0xD800), u'b'}};
  for (std::u16string const& t : texts) {
    host.set(a, "Name", std::u16string_view(t));
    EXPECT_EQ(host.get(a, "Name").toU16String(), t);
  }
}

TEST_F(PrimitiveProperties, BooleansTakeAnyNonZeroNumber) {
  Value const i = host.construct(T("Integer"), {model()});
  // A negative number is true, not its low bits.
  std::pair<Value, bool> const writes[] = {{true, true}, {false, false}, {-3, true}, {0.0, false}, {-0.5, true}};
  for (auto const& [in, expected] : writes) {
    host.set(i, "IsSigned", in);
    EXPECT_EQ(host.get(i, "IsSigned").type(), Value::Type::Logical);
    EXPECT_EQ(host.get(i, "IsSigned").toBool(), expected) << in.toDouble();
  }
  EXPECT_NE(errorOf([&] { host.set(i, "IsSigned", std::nan("")); }), "");
  EXPECT_TRUE(host.get(i, "IsSigned").toBool());
}

TEST_F(PrimitiveProperties, OptionalPrimitivesAreEmptyOrOneValue) {
  Value const p = host.construct(T("Integer"), {model()});  // IsVolatile comes from PrimitiveType
  EXPECT_TRUE(host.get(p, "IsVolatile").isEmpty());
  EXPECT_EQ(host.get(p, "IsVolatile").className(), "logical");
  host.set(p, "IsVolatile", true);
  EXPECT_EQ(host.get(p, "IsVolatile").numel(), 1u);
  EXPECT_TRUE(host.get(p, "IsVolatile").toBool());
  EXPECT_EQ(errorOf([&] { host.set(p, "IsVolatile", Value::logicals({false, false})); }),
            "Assertion failed: Too many elements: the value must be an empty array or a scalar. at "
            "ozo_xb/marshal/OptionalPrimitiveMarshaling:84: ");
  EXPECT_TRUE(host.get(p, "IsVolatile").toBool()) << "a refused write keeps the old value";
  host.set(p, "IsVolatile", Value());
  EXPECT_TRUE(host.get(p, "IsVolatile").isEmpty());

  Value const r = host.construct(T("Integer"), {model()});  // minValue comes from Real
  host.set(r, "minValue", -2.5);
  EXPECT_EQ(host.get(r, "minValue").toDouble(), -2.5);
  host.set(r, "minValue", 4);  // an int32 converts to the double element
  EXPECT_EQ(host.get(r, "minValue").className(), "double");
  EXPECT_EQ(host.get(r, "minValue").toDouble(), 4.0);
}

// Descriptors called directly, with words the host itself never makes.
class PrimitiveDescriptors : public PrimitiveProperties {
 protected:
  static kovo::COSInterface* objectOf(Value const& v) { return reinterpret_cast<kovo::COSInterface*>(v.identity()); }
  static Ozo::xb::OzoxbProperty* descriptor(std::string const& cls, char const* name) {
    return dynamic_cast<Ozo::xb::OzoxbProperty*>(kovo::COSClass::find(std::string_view(cls))->findProperty(name));
  }
};

TEST_F(PrimitiveDescriptors, ABooleanWordOf256IsTrue) {
  Value const i = host.construct(T("Integer"), {model()});
  host.set(i, "IsSigned", false);
  Ozo::xb::OzoxbProperty* const p = descriptor(T("Integer"), "IsSigned");
  ASSERT_NE(p, nullptr);
  p->setValue(objectOf(i), kovo::COSValue{256});
  EXPECT_TRUE(host.get(i, "IsSigned").toBool());
}

TEST_F(PrimitiveDescriptors, ARequiredStringStoresTheEmptyText) {
  Value const a = host.construct(T("Axis"), {model(), 1, "speed"});
  Ozo::xb::OzoxbProperty* const optional = descriptor(T("Axis"), "Name");
  ASSERT_NE(optional, nullptr);
  ASSERT_FALSE(optional->keepsEmpty());
  // The same model property through a required (multiplicity one) descriptor.
  std::unique_ptr<Ozo::xb::OzoxbProperty, kovo::HostDelete> const required(
      new Ozo::xb::OzoxbStringProperty<Ozo::String>(optional->className(), "Name", optional->introspectiveMethods(),
                                                    optional->index(), "char", Ozo::xb::Multiplicity::ExactlyOne,
                                                    Ozo::xb::Mutability::Settable, 0));
  ASSERT_TRUE(required->keepsEmpty());
  kovo::ArrayPtr const empty(kovo::HostArray::createString(std::u16string_view()), false);
  auto const isSet = [&] {
    return optional->accessors().isSet(Ozo::xb::OzoxbProperty::modelObject(objectOf(a)), optional->index());
  };

  required->setValue(objectOf(a), kovo::fromArray(empty.get()));
  EXPECT_TRUE(isSet()) << "a required string keeps the assigned empty text";
  EXPECT_TRUE(host.get(a, "Name").isEmpty());
  optional->setValue(objectOf(a), kovo::fromArray(empty.get()));
  EXPECT_FALSE(isSet()) << "an optional string is cleared by the empty text";
}

}  // namespace
}  // namespace quillon::testing
