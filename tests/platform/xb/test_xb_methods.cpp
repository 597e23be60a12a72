// Host identities per view, the binding's one reference, the model class of
// the host package "Ozo", and the method table: rows built from C++
// signatures, as the host sees and calls them.
#include "platform/xb/test_xb_ozo_fixture.hpp"

#include <xb/Methods.hpp>
#include <xb/Property.hpp>

#include <optional>

namespace xbtest {
namespace {

using quillon::MethodDesc;
using quillon::Value;

double addScaled(std::int32_t a, double b) { return a + 2 * b; }
std::string describe(Ozo::ImmutableObject const& self, Ozo::String const& suffix) {
  self.checked();
  return "object" + Ozo::String(suffix).utf8();
}
std::int32_t countPresent(std::optional<Ozo::Integer> a, std::optional<Ozo::Boolean> b) {
  return (a ? a->value() : 0) + (b && b->value() ? 100 : 0);
}
bool isModel(Ozo::ImmutableObject const& o) { return Ozo::ImmutableModel::cast(o).isValid(); }
Ozo::Model makeModel() { return Ozo::Model::create(); }

constexpr Ozo::xb::MethodRow kRows[] = {
    Ozo::xb::constructor<&makeModel>(),
    Ozo::xb::staticMethod<&addScaled>("addScaled", 0, "a, b"),
    Ozo::xb::instanceMethod<&describe>("describe", 2, "suffix"),
    Ozo::xb::staticMethod<&countPresent>("countPresent"),
    Ozo::xb::explicitMethod<&isModel>("isModel", 0, "object"),
};

class RowsClass final : public Ozo::xb::ClassMetaData {
 public:
  RowsClass() : ClassMetaData("Rows", "") {}
  void initializeClass(kovo::COSClass* cls, kovo::COSClient*) override { Ozo::xb::addMethods(cls, kRows); }
};

class MethodTable : public XbHostTest {
 protected:
  void SetUp() override {
    static bool const registered =
        (kovo::factory::registerKovoPackage("XbRows", [](kovo::COSPackage* p) { p->addClass(new RowsClass, 2); }),
         true);
    (void)registered;
    XbHostTest::SetUp();
  }
  MethodDesc method(std::string const& name) const {
    std::vector<MethodDesc> const m = host.methods("XbRows.Rows", name);
    EXPECT_EQ(m.size(), 1u) << name;
    return m.empty() ? MethodDesc{} : m.front();
  }
};

// Kinds, flags and host types of rows are checked on the catalogue's own
// method tables; here what those tables never show: several argument names,
// optional arguments and a constructor row's result.
TEST_F(MethodTable, RowsDescribeTheirTargets) {
  EXPECT_EQ(method("addScaled").argumentNames, (std::vector<std::string_view>{"a", "b"}));
  EXPECT_EQ(method("addScaled").flags, 0x8u);
  EXPECT_EQ(method("countPresent").arguments, (std::vector<std::string_view>{"ozoint32", "ozological"}));
  EXPECT_EQ(method("describe").attributes, 2);
  MethodDesc const c = method("Rows");
  EXPECT_EQ(c.kind, "constructor");
  EXPECT_EQ(c.result, "Ozo.Model");
}

// The invokers convert every input, call the target and convert the result.
TEST_F(MethodTable, InvokersConvertCallAndReturn) {
  EXPECT_DOUBLE_EQ(host.call("XbRows.Rows", "addScaled", {Value(3), Value(0.25)}).toDouble(), 3.5);

  Value const model = host.construct("Ozo.Model", {});
  EXPECT_EQ(host.call("XbRows.Rows", "describe", {model, Value("!")}).toString(), "object!");
  EXPECT_TRUE(host.call("XbRows.Rows", "isModel", {model}).toBool());
  EXPECT_EQ(errorOf([&] { host.call("XbRows.Rows", "describe", {Value::objects({}), Value("x")}); }), kNullRef)
      << "an empty self reaches the target, which reports it";

  EXPECT_EQ(host.call("XbRows.Rows", "countPresent", {Value::int32s({}), Value::logicals({})}).toInt32(), 0);
  EXPECT_EQ(host.call("XbRows.Rows", "countPresent", {Value(7), Value::logical(true)}).toInt32(), 107);
  EXPECT_EQ(errorOf([&] { host.call("XbRows.Rows", "countPresent", {Value::int32s({1, 2}), Value()}); }),
            "Assertion failed: Too many elements: the value must be an empty array or a scalar. at "
            "ozo_xb/marshal/OptionalPrimitiveMarshaling:84: ");
}

// A constructor row binds the created object to the host object under
// construction, which holds one reference until it goes.
TEST_F(MethodTable, ConstructorRowsBindTheNewObject) {
  std::size_t const models = host.counter("model objects");
  {
    Value const made = host.construct("XbRows.Rows", {});
    EXPECT_EQ(host.classOf(made), "XbRows.Rows");
    EXPECT_EQ(host.counter("model objects"), models + 1);
    EXPECT_EQ(host.counter("bindings"), baseline[1] + 1);
  }
  EXPECT_EQ(host.counter("model objects"), models);
}

// An object the call will change is refused through its immutable view
// before the target runs.
TEST_F(MethodTable, WritableSelvesRefuseTheImmutableView) {
  Ozo::Model const m = Ozo::Model::create();
  Value const immutable = bind(m, true);
  Value const modifiable = bind(m, false);
  auto const convert = [](Value const& v) {
    return Ozo::xb::Convert<Ozo::xb::Writable<Ozo::ImmutableObject>>::in(
        kovo::fromArray(static_cast<kovo::HostArray*>(v.raw())), {});
  };
  EXPECT_EQ(convert(modifiable).handle.get(), m.get());
  EXPECT_EQ(errorOf([&] { convert(immutable); }),
            "Assertion failed: You cannot modify an immutable object at ozo_xb/marshal/OzoxbProperty:87: ");
}

// ---------------------------------------------------------------------------
using XbMarshal = XbHostTest;
using XbOzoPackage = XbHostTest;

TEST_F(XbMarshal, OneHostObjectPerViewAndOneReferencePerBinding) {
  Ozo::Model const m = Ozo::Model::create();
  int const before = m.get()->numRef();
  {
    Value const a = bind(m, false), b = bind(m, false), i = bind(m, true);
    EXPECT_TRUE(a.sameObject(b));
    EXPECT_FALSE(i.sameObject(a));
    EXPECT_EQ(m.get()->numRef(), before + 2);
    // Both views convert back to the same handle.
    EXPECT_TRUE(handleOf(a) == m && handleOf(i) == m);
  }
  EXPECT_EQ(m.get()->numRef(), before);
  host.destroy(bind(m, false));
  EXPECT_EQ(m.get()->numRef(), before);
}

// The binding lives in the identity itself: destroying the host object
// while a user still holds it must free that place for a new binding, and
// the registry's count must follow both.
TEST_F(XbMarshal, DestroyedBindingMakesRoomForANewOne) {
  Ozo::Model const m = Ozo::Model::create();
  std::size_t const bindings = host.counter("bindings");
  Value const first = bind(m, false);
  EXPECT_EQ(host.counter("bindings"), bindings + 1);
  host.destroy(first);
  EXPECT_EQ(host.counter("bindings"), bindings);
  Value const again = bind(m, false);
  EXPECT_FALSE(again.sameObject(first));
  EXPECT_TRUE(handleOf(again) == m);
  EXPECT_FALSE(handleOf(first).isValid());
  EXPECT_EQ(host.counter("bindings"), bindings + 1);
}

// Naming models is the runtime's; here what the host sees of it.
TEST_F(XbOzoPackage, ModelIsMadeNamedAndReleasedThroughTheHost) {
  Value const a = host.construct("Ozo.Model", {});
  std::string const name = host.get(a, "Name").toString();
  EXPECT_TRUE(Ozo::ModelCache::find(name) == handleOf(a));
  EXPECT_FALSE(host.get(a, "ReadOnly").toBool());
  EXPECT_EQ(errorOf([&] { host.set(a, "Name", "renamed"); }),
            "Assertion failed: You cannot set a read-only property at ozo_xb/OzoPackage:61: ");
  host.destroy(a);
  EXPECT_FALSE(Ozo::ModelCache::find(name).isValid());
}

}  // namespace
}  // namespace xbtest
