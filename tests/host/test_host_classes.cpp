// The public host API over classes defined in this process. Needs the host
// runtime's own headers for defining the classes; without them on the
// include path there is nothing to build here.
#if __has_include(<kovo/Runtime.hpp>)
#include <gtest/gtest.h>

#include <quillon/host.hpp>

#include "platform/kovo/Support.hpp"

#include <stdexcept>
#include "support/ErrorOf.hpp"

namespace quillon {
namespace {

using testsupport::errorOf;

using namespace kovo;
using namespace kovo::test;

// A meta-property entry, read through the class.
COSValue gOwner = fromInt32(2);

void defineThing(COSClass* c) {
  addMethod(c, {.name = "", .result = "QH.Thing", .args = {"int32 scalar"}, .constructor = true,
                .body = constructNative("QH.Thing")});
  addMethod(c, {.name = "twice", .result = "int32 scalar", .self = "QH.Thing",
                .body = [](int&, COSValue* out, int, COSValue const* in) { out[0] = fromInt32(2 * nativeOf(in[0])->value); }});
  addMethod(c, {.name = "Make", .result = "QH.Thing", .args = {"int32 scalar"}, .body = makeNative("QH.Thing")});
  addMethod(c, {.name = "print", .self = "QH.Thing", .body = [](int&, COSValue*, int, COSValue const* in) {
                  zkPrintf("thing %d\n", nativeOf(in[0])->value);
                }});
  addMethod(c, {.name = "fail", .body = [](int&, COSValue*, int, COSValue const*) { throw std::out_of_range("out of range"); }});
  c->addProperty(new NativeValue("QH.Thing", 0x800, {.multiplicity = 1, .index = 3}));
}

void defineSpecial(COSClass* c) {
  c->addSuperclass(intern("QH.Thing"), 1, 0, 1);
  addMethod(c, {.name = "same", .result = "logical scalar", .args = {"QH.Thing", "QH.Thing"},
                .flags = factory::kFlagExplicit | 0x20,
                .body = [](int&, COSValue* out, int, COSValue const* in) {
                  out[0] = fromLogical(nativeOf(in[0]) == nativeOf(in[1]));
                }});
  c->addProperty(new TestProperty("Owner", "int32 scalar", &gOwner, true, {.metaId = 2, .declaredBy = "Element"}));
}

class HostApi : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    factory::registerKovoPackage("QH", [](COSPackage* pkg) {
      pkg->addClass(new TestClass("Thing", defineThing), 2);
      pkg->addClass(new TestClass("Special", defineSpecial), 2);
      addFunction(pkg, "Answer", "int32 scalar", [](int&, COSValue* out, int, COSValue const*) { out[0] = fromInt32(42); });
    });
  }
  void SetUp() override { before = host.counters(); }
  void TearDown() override { EXPECT_EQ(host.counters(), before); }
  Host host;
  std::vector<std::pair<std::string, std::size_t>> before;
};

TEST_F(HostApi, DescribesPackagesAndClasses) {
  PackageDesc const p = host.describePackage("QH");
  EXPECT_EQ(p.classes, (std::vector<std::string>{"QH.Thing", "QH.Special"}));
  EXPECT_EQ(p.functions, std::vector<std::string>{"Answer"});

  // Kinds, names and arguments of methods are checked on the generated classes.
  ClassDesc const thing = host.describeClass("QH.Thing");
  ASSERT_EQ(thing.methods.size(), 5u);
  EXPECT_EQ(thing.methods[1].signatureText(), "twice(self: QH.Thing) -> int32 scalar");
  ASSERT_EQ(thing.properties.size(), 1u);
  EXPECT_EQ(thing.properties[0].multiplicity, 1);
  EXPECT_EQ(thing.properties[0].index, 3u);
  EXPECT_EQ(thing.properties[0].attributes, 0x800u);
  EXPECT_TRUE(thing.metaProperties.empty());

  ClassDesc const special = host.describeClass("QH.Special");
  EXPECT_EQ(special.superclasses, std::vector<std::string>{"QH.Thing"});
  ASSERT_EQ(special.methods.size(), 1u);
  EXPECT_EQ(special.methods[0].kind, "explicit");
  EXPECT_EQ(special.methods[0].flags, factory::kFlagExplicit | 0x20);
  EXPECT_TRUE(special.properties.empty());  // meta entries are listed apart
  ASSERT_EQ(special.metaProperties.size(), 1u);
  EXPECT_EQ(special.metaProperties[0].name, "Owner");

  auto const twice = host.methods("QH.Special", "twice");
  ASSERT_EQ(twice.size(), 1u);
  EXPECT_EQ(twice[0].declaredIn, "QH.Thing");
  auto const props = host.allProperties("QH.Special");
  ASSERT_EQ(props.size(), 2u);
  EXPECT_EQ(props[0].name, "Owner");
  EXPECT_TRUE(props[0].isStatic);
  EXPECT_EQ(props[1].declaredIn, "QH.Thing");
}

TEST_F(HostApi, CallsObjectsAndLifetime) {
  int const destroyed = TestClass::destroyCalls();
  {
    Value t = host.construct("QH.Thing", {5});
    EXPECT_EQ(host.classOf(t), "QH.Thing");
    EXPECT_EQ(t.objectRefCount(), 1);
    EXPECT_EQ(host.invoke(t, "twice", {}).toInt32(), 10);
    EXPECT_EQ(host.call("QH.Thing", "twice", {t}).toInt32(), 10);
    host.set(t, "Value", 6.0);
    EXPECT_EQ(host.get(t, "Value").toInt32(), 6);
    EXPECT_EQ(host.getStatic("QH.Special", "Owner").toInt32(), 2);
    EXPECT_EQ(host.callFunction("QH", "Answer", {}).toInt32(), 42);

    Value again = host.invoke(t, "Make", {1});
    EXPECT_EQ(host.classOf(again), "QH.Thing");
    EXPECT_FALSE(again.sameObject(t));
    EXPECT_TRUE(t.element(0).sameObject(t));
    Value both = Value::objects({t, again});
    EXPECT_EQ(both.numel(), 2u);
    EXPECT_TRUE(both.element(1).sameObject(again));
    EXPECT_FALSE(host.call("QH.Special", "same", {t, again}).toBool());
    EXPECT_TRUE(host.call("QH.Special", "same", {t, t}).toBool());

    Host::OutputCapture capture(host);
    host.invoke(t, "print", {});
    EXPECT_EQ(capture.text(), "thing 6\n");
  }
  EXPECT_EQ(TestClass::destroyCalls(), destroyed + 2);
}

// The runtime's own messages are checked where they are made; here, that
// they and a class's own failures reach the caller unchanged.
TEST_F(HostApi, EveryFailureIsAnErrorWithTheSameText) {
  EXPECT_THROW(host.call("QH.Thing", "fail", {}), Error);
  EXPECT_EQ(errorOf([&] { host.call("QH.Thing", "fail", {}); }), "out of range");
  Value t = host.construct("QH.Thing", {1});
  EXPECT_THROW(host.set(t, "Value", "x"), Error);
  EXPECT_EQ(errorOf([&] { host.set(t, "Value", "x"); }),
            "Cannot set property \"Value\" of class \"QH.Thing\": expected int32 scalar, got char.");
}

}  // namespace
}  // namespace quillon
#endif
